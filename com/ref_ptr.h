// One reference to an object, given back when the holder goes. The module
// holds references with the same holder it offers hosts, so that there is
// one way to do it.
#ifndef BTE_COM_REF_PTR_H
#define BTE_COM_REF_PTR_H

#include "buildtagexpr_host.h"

namespace bte::com {

template <class Interface>
using RefPtr = host::ComPtr<Interface>;

}  // namespace bte::com

#endif  // BTE_COM_REF_PTR_H
