// Reference counting and the common slots shared by every object the module
// hands out.
#ifndef BTE_FRAME_REF_COUNTED_H
#define BTE_FRAME_REF_COUNTED_H

#include <atomic>
#include <new>

#include "buildtagexpr.h"

namespace bte {

// Implements slots 0 to 2 of Interface. The count starts at 0; the factory's
// AddRef makes it 1 and the Release that brings it back to 0 deletes the
// object through its virtual destructor.
template <class Interface>
class RefCounted : public Interface {
 public:
  HRESULT BTE_CALL QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG BTE_CALL AddRef() override { return static_cast<ULONG>(++refCount_); }
  ULONG BTE_CALL Release() override {
    const int32_t count = --refCount_;
    if (count == 0) {
      delete this;
      return 0;
    }
    return static_cast<ULONG>(count);
  }

 protected:
  ~RefCounted() override = default;

 private:
  std::atomic<int32_t> refCount_{0};
};

// The factory pattern: 1 for a null out-pointer; otherwise construct, take
// the caller's reference, store and return 0. Allocation failure stores null
// and answers E_OUTOFMEMORY.
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

}  // namespace bte

#endif  // BTE_FRAME_REF_COUNTED_H
