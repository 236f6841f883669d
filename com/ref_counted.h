// Reference counting and the first three slots of every object the module
// hands out, written once for all of them.
//
// Two bases differ only in QueryInterface. RefCounted answers for IUnknown
// and for each of its interfaces that has an identifier (InterfaceId); the
// string enumerator is such an object. RefCountedNoQuery answers E_NOTIMPL
// whatever is asked: the module's own interfaces have no identifiers, and
// the host reaches their objects only through the factories.
#ifndef BTE_COM_REF_COUNTED_H
#define BTE_COM_REF_COUNTED_H

#include <atomic>
#include <cstdint>

#include "buildtagexpr.h"
#include "com/interface_id.h"

namespace bte::com {

// Slots 1 and 2. The count starts at 0; the creator's AddRef makes it 1 and
// the Release that brings it back to 0 deletes the object through its
// virtual destructor, the last slot.
template <class... Interfaces>
class CountedObject : public Interfaces... {
 public:
  ULONG BTE_CALL AddRef() override { return static_cast<ULONG>(++count_); }
  ULONG BTE_CALL Release() override {
    const int32_t count = --count_;
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

 protected:
  virtual ~CountedObject() = default;

 private:
  std::atomic<int32_t> count_{0};
};

template <class... Interfaces>
class RefCounted : public CountedObject<Interfaces...> {
 public:
  // E_POINTER for a null out-pointer; E_NOINTERFACE, *out untouched, for an
  // interface the object does not have; else one more reference in *out.
  HRESULT BTE_CALL QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    void* found = iid == IID_IUnknown ? AsUnknown<Interfaces...>() : nullptr;
    ((found = found != nullptr ? found : Answer<Interfaces>(iid)), ...);
    if (found == nullptr) return E_NOINTERFACE;
    this->AddRef();
    *out = found;
    return S_OK;
  }

 protected:
  ~RefCounted() override = default;

 private:
  // The object's IUnknown is that of its first interface.
  template <class First, class... Rest>
  void* AsUnknown() {
    return static_cast<IUnknown*>(static_cast<First*>(this));
  }
  template <class Interface>
  void* Answer(REFIID iid) {
    if constexpr (InterfaceId<Interface> == nullptr) {
      return nullptr;
    } else {
      return iid == *InterfaceId<Interface> ? static_cast<Interface*>(this) : nullptr;
    }
  }
};

template <class Interface>
class RefCountedNoQuery : public CountedObject<Interface> {
 public:
  HRESULT BTE_CALL QueryInterface(REFIID, void**) override { return E_NOTIMPL; }

 protected:
  ~RefCountedNoQuery() override = default;
};

}  // namespace bte::com

#endif  // BTE_COM_REF_COUNTED_H
