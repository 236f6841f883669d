// How the module makes an object for a caller: the pattern of every factory.
#ifndef BTE_COM_CREATE_INSTANCE_H
#define BTE_COM_CREATE_INSTANCE_H

#include <new>

#include "buildtagexpr.h"

namespace bte::com {

// 1 for a null out-pointer; otherwise construct, take the caller's
// reference, store and return 0. Allocation failure stores null and answers
// E_OUTOFMEMORY.
template <class Object, class Interface, class... Args>
HRESULT CreateInstance(Interface** out, Args&&... args) {
  if (out == nullptr) return S_FALSE;
  Object* object = new (std::nothrow) Object(static_cast<Args&&>(args)...);
  if (object == nullptr) {
    *out = nullptr;
    return E_OUTOFMEMORY;
  }
  object->AddRef();
  *out = object;
  return S_OK;
}

}  // namespace bte::com

#endif  // BTE_COM_CREATE_INSTANCE_H
