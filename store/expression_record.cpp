#include "store/expression_record.h"

#include <cstring>

namespace bte {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

HRESULT BuildTagExprRecord::GetExpression(char* buffer, uint32_t size) {
  if (buffer == nullptr || expression_.size() + 1 > size) return S_FALSE;
  std::memcpy(buffer, expression_.c_str(), expression_.size() + 1);
  return S_OK;
}

// Copies as strncpy does (the rest of size filled with NULs, no terminator
// when the text fills the buffer), never splitting a multibyte character.
HRESULT BuildTagExprRecord::GetTargets(char* buffer, uint32_t size) {
  if (buffer == nullptr) return S_FALSE;
  size_t count = targets_.size() < size ? targets_.size() : size;
  if (count < targets_.size())
    while (count > 0 && IsContinuationByte(targets_[count])) --count;
  std::memcpy(buffer, targets_.data(), count);
  std::memset(buffer + count, 0, size - count);
  return S_OK;
}

}  // namespace bte
