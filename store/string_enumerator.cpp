#include "store/string_enumerator.h"

#include <cstring>

#include "com/create_instance.h"
#include "platform/wide_string.h"

namespace bte {
namespace {

// A task-allocator copy, or null when the allocator has nothing to give.
LPOLESTR WideCopy(const std::string& text) {
  const platform::WideString wide = platform::MultiByteToWide(text);
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(OLECHAR));
  return copy;
}

}  // namespace

HRESULT StringEnumerator::Next(ULONG celt, LPOLESTR* rgelt, ULONG* fetched) {
  if (rgelt == nullptr) return E_POINTER;
  const uint64_t count = strings_.size();
  uint64_t n = celt;
  if (position_ + n > count) n = count - position_;
  if (position_ >= count) {
    if (fetched != nullptr) *fetched = 0;
    return BTE_E_NO_MORE_STRINGS;
  }
  if (fetched != nullptr) *fetched = static_cast<ULONG>(n);
  for (uint64_t i = 0; i < n; ++i) {
    LPOLESTR copy = WideCopy(strings_[position_ + i]);
    if (copy != nullptr) rgelt[i] = copy;
  }
  position_ += static_cast<uint32_t>(n);
  return S_OK;
}

HRESULT StringEnumerator::Skip(ULONG celt) {
  if (uint64_t{position_} + celt > strings_.size()) return S_FALSE;
  position_ += celt;
  return S_OK;
}

HRESULT StringEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

HRESULT StringEnumerator::Clone(IEnumString** out) {
  if (out == nullptr) return E_POINTER;
  StringEnumerator* copy = nullptr;
  if (com::CreateInstance<StringEnumerator>(&copy, strings_) != S_OK) return E_OUTOFMEMORY;
  const HRESULT result = copy->QueryInterface(IID_IEnumString, reinterpret_cast<void**>(out));
  copy->Release();
  return result;
}

}  // namespace bte
