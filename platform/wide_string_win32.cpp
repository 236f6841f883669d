#include "platform/wide_string.h"

#include <windows.h>

#include <climits>

namespace bte::platform {
namespace {

// The Win32 conversions take int lengths; longer texts go in pieces that end
// between characters.
constexpr size_t kPiece = INT_MAX / 4;

// Where a piece of at most kPiece bytes may end without cutting a character
// of the process code page in two.
size_t MultiBytePieceEnd(std::string_view text, size_t start) {
  size_t end = start + kPiece;
  if (end >= text.size()) return text.size();
  size_t cut = start;
  for (size_t i = start; i < end;) {
    i += IsDBCSLeadByte(static_cast<BYTE>(text[i])) ? 2 : 1;
    if (i <= end) cut = i;
  }
  return cut > start ? cut : end;
}

size_t WidePieceEnd(WideStringView text, size_t start) {
  size_t end = start + kPiece;
  if (end >= text.size()) return text.size();
  // Never part a surrogate pair.
  if (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;
  return end;
}

}  // namespace

WideString MultiByteToWide(std::string_view text) {
  WideString out;
  for (size_t start = 0; start < text.size();) {
    const size_t end = MultiBytePieceEnd(text, start);
    const int length = static_cast<int>(end - start);
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data() + start, length, nullptr, 0);
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(needed));
    MultiByteToWideChar(CP_ACP, 0, text.data() + start, length, &out[at], needed);
    start = end;
  }
  return out;
}

std::string WideToMultiByte(WideStringView text) {
  std::string out;
  for (size_t start = 0; start < text.size();) {
    const size_t end = WidePieceEnd(text, start);
    const int length = static_cast<int>(end - start);
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data() + start, length, nullptr, 0, nullptr, nullptr);
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(needed));
    WideCharToMultiByte(CP_ACP, 0, text.data() + start, length, &out[at], needed, nullptr,
                        nullptr);
    start = end;
  }
  return out;
}

}  // namespace bte::platform
