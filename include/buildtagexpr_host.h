// Host-side helpers for buildtagexpr.h, header-only: a holder that gives an
// interface pointer's reference back, and one way to read every record of
// an expression list. Nothing here is exported by the module; a host may
// use it or write its own.
//
//   bte::host::ComPtr<IBuildTagExprManager> manager;
//   CreateBuildTagExprManagerInstance(manager.out(), "project.ini");
//   bte::host::ComPtr<IBuildTagExprList> list;
//   manager->GetExpressionList(list.out());
//   std::vector<bte::host::ExpressionRecord> records;
//   bte::host::ReadAllRecords(list.get(), records);
#ifndef BUILDTAGEXPR_HOST_H
#define BUILDTAGEXPR_HOST_H

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "buildtagexpr.h"

namespace bte::host {

// Holds one reference to an object and gives it back with Release when it
// is reset or destroyed. Copies take a reference of their own.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds (a factory's, for example).
  explicit ComPtr(Interface* adopted) noexcept : object_(adopted) {}
  ComPtr(const ComPtr& other) noexcept : object_(other.object_) {
    if (object_ != nullptr) object_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Gives back the held reference, then takes over adopted (may be null).
  void reset(Interface* adopted = nullptr) noexcept {
    Interface* old = std::exchange(object_, adopted);
    if (old != nullptr) old->Release();
  }
  // The slot for an out-parameter: whatever was held is given back first.
  Interface** out() noexcept {
    reset();
    return &object_;
  }
  // Hands the reference to the caller, who then releases it.
  Interface* detach() noexcept { return std::exchange(object_, nullptr); }

  Interface* get() const noexcept { return object_; }
  Interface* operator->() const noexcept { return object_; }
  Interface& operator*() const noexcept { return *object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

 private:
  Interface* object_ = nullptr;
};

// One record as the list hands it out.
struct ExpressionRecord {
  std::string expression;
  std::string targets;  // ";"-joined as GetTargets gives them (may hold empty names)
};

namespace detail {

// Records copy text into caller buffers; the buffer grows until the text
// fits with room to spare. A copy that is cut short, GetTargets' way, may
// back off a whole multibyte character (up to 3 bytes) before padding with
// zeros, so only a text that ends 4 bytes before the buffer does is known
// to be whole. fill answers whether the record accepted the buffer.
template <class Fill>
bool ReadGrowing(Fill fill, std::string& text) {
  constexpr size_t kSlack = 4;
  constexpr uint32_t kLargest = 1u << 30;
  for (uint32_t size = 256;; size *= 4) {
    std::vector<char> buffer(size, '\0');
    if (fill(buffer.data(), size)) {
      const void* end = std::memchr(buffer.data(), '\0', size);
      const size_t length = end ? static_cast<const char*>(end) - buffer.data() : size;
      if (length + kSlack <= size) {
        text.assign(buffer.data(), length);
        return true;
      }
    }
    if (size >= kLargest) return false;
  }
}

}  // namespace detail

// Both texts of one record, whatever their length; false when the record
// would not hand them out.
inline bool ReadRecord(IBuildTagExprRecord* record, ExpressionRecord& out) {
  return detail::ReadGrowing(
             [record](char* buffer, uint32_t size) {
               return record->GetExpression(buffer, size) == S_OK;
             },
             out.expression) &&
         detail::ReadGrowing(
             [record](char* buffer, uint32_t size) {
               return record->GetTargets(buffer, size) == S_OK;
             },
             out.targets);
}

// Every record the list still has, in order (a fresh list yields all of
// them). false, with the records read so far, when one could not be read.
inline bool ReadAllRecords(IBuildTagExprList* list, std::vector<ExpressionRecord>& out) {
  for (;;) {
    ComPtr<IBuildTagExprRecord> record;
    if (list->GetNextRecord(record.out()) != S_OK || !record) return true;
    ExpressionRecord read;
    if (!ReadRecord(record.get(), read)) return false;
    out.push_back(std::move(read));
  }
}

// The target names of a record's ";"-joined list; the empty names that
// global entries add are left out.
inline std::vector<std::string> TargetNames(const std::string& joined) {
  std::vector<std::string> names;
  for (size_t start = 0; start <= joined.size();) {
    size_t end = joined.find(';', start);
    if (end == std::string::npos) end = joined.size();
    if (end > start) names.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace bte::host

#endif  // BUILDTAGEXPR_HOST_H
