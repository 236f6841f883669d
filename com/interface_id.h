// The identifier QueryInterface answers for, per interface. Only the
// platform's interfaces have one; the module's own interfaces have none.
#ifndef BTE_COM_INTERFACE_ID_H
#define BTE_COM_INTERFACE_ID_H

#include "buildtagexpr.h"

namespace bte::com {

// Null for an interface without an identifier; a library that declares an
// interface with one specialises this beside it.
template <class Interface>
inline constexpr const IID* InterfaceId = nullptr;

template <>
inline constexpr const IID* InterfaceId<IEnumString> = &IID_IEnumString;

}  // namespace bte::com

#endif  // BTE_COM_INTERFACE_ID_H
