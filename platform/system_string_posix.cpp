// System strings and the task allocator for hosts on POSIX. A system string
// is laid out as on Windows: a 32-bit byte count, the UTF-16 text, a zero
// code unit; the pointer handed out points at the text.
#include <cstdlib>
#include <cstring>

#include "buildtagexpr.h"

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);

uint32_t Length(const OLECHAR* text) {
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

}  // namespace

extern "C" {

BTE_EXPORT void* CoTaskMemAlloc(size_t size) { return std::malloc(size == 0 ? 1 : size); }

BTE_EXPORT void CoTaskMemFree(void* block) { std::free(block); }

BTE_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
  if (length > (UINT32_MAX - kPrefix) / sizeof(OLECHAR) - 1) return nullptr;
  const size_t bytes = size_t{length} * sizeof(OLECHAR);
  auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  const uint32_t byteCount = static_cast<uint32_t>(bytes);
  std::memcpy(block, &byteCount, kPrefix);
  auto* body = reinterpret_cast<OLECHAR*>(block + kPrefix);
  if (text != nullptr)
    std::memcpy(body, text, bytes);
  else
    std::memset(body, 0, bytes);
  body[length] = 0;
  return body;
}

BTE_EXPORT BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringLen(text, Length(text));
}

BTE_EXPORT void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(reinterpret_cast<unsigned char*>(text) - kPrefix);
}

BTE_EXPORT uint32_t SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t byteCount;
  std::memcpy(&byteCount, reinterpret_cast<unsigned char*>(text) - kPrefix, kPrefix);
  return byteCount / sizeof(OLECHAR);
}
}
