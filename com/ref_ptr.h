// One reference to an object, given back when the holder goes.
#ifndef BTE_COM_REF_PTR_H
#define BTE_COM_REF_PTR_H

namespace bte::com {

template <class Interface>
class RefPtr {
 public:
  RefPtr() = default;
  RefPtr(const RefPtr&) = delete;
  RefPtr& operator=(const RefPtr&) = delete;
  ~RefPtr() { Reset(); }

  // For an out-pointer that receives a reference: the one held is given
  // back first.
  Interface** Receive() {
    Reset();
    return &object_;
  }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  Interface& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  void Reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }

  Interface* object_ = nullptr;
};

}  // namespace bte::com

#endif  // BTE_COM_REF_PTR_H
