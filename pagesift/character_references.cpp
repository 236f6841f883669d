#include "pagesift/character_references.h"

#include <cstdint>
#include <cstring>

#include "pagesift/named_references.h"
#include "platform/utf8.h"

namespace pagesift {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
}

// Numeric references to C1 controls mean the windows-1252 characters.
constexpr uint16_t kWindows1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

uint32_t CheckedCodePoint(uint32_t code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacement;
  if (code >= 0x80 && code <= 0x9F) return kWindows1252[code - 0x80];
  return code;
}

// At "&#": the length consumed (0 when no digits follow).
size_t DecodeNumeric(std::string_view text, size_t at, std::string& out) {
  size_t cursor = at + 2;
  bool hex = cursor < text.size() && (text[cursor] == 'x' || text[cursor] == 'X');
  if (hex) ++cursor;
  size_t digitsBegin = cursor;
  uint32_t code = 0;
  for (; cursor < text.size(); ++cursor) {
    char c = text[cursor];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
      digit = static_cast<uint32_t>((c | 0x20) - 'a' + 10);
    } else {
      break;
    }
    code = code > 0x10FFFF ? code : code * (hex ? 16 : 10) + digit;
  }
  if (cursor == digitsBegin) return 0;
  if (cursor < text.size() && text[cursor] == ';') ++cursor;
  bte::platform::AppendUtf8(CheckedCodePoint(code), out);
  return cursor - at;
}

const NamedReference* FindNamed(std::string_view name) {
  size_t low = 0, high = kNamedReferenceCount;
  while (low < high) {
    size_t middle = (low + high) / 2;
    int order = name.compare(kNamedReferences[middle].name);
    if (order == 0) return &kNamedReferences[middle];
    if (order > 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return nullptr;
}

// At "&name": the length consumed (0 when no reference is recognised).
size_t DecodeNamed(std::string_view text, size_t at, std::string& out, bool inAttribute) {
  constexpr size_t kLongestName = 32;
  size_t end = at + 1;
  while (end < text.size() && end - at <= kLongestName && IsAsciiAlnum(text[end])) ++end;
  if (end < text.size() && text[end] == ';') {
    if (const NamedReference* found = FindNamed(text.substr(at + 1, end - at))) {
      out += found->text;
      return end + 1 - at;
    }
  }
  // Names that may stand without ";": the longest one that matches.
  for (size_t length = end - at - 1; length >= 2; --length) {
    const NamedReference* found = FindNamed(text.substr(at + 1, length));
    if (!found) continue;
    size_t after = at + 1 + length;
    if (inAttribute && after < text.size() && (IsAsciiAlnum(text[after]) || text[after] == '=')) return 0;
    out += found->text;
    return length + 1;
  }
  return 0;
}

}  // namespace

void AppendDecoded(std::string_view text, std::string& out, bool inAttribute) {
  size_t at = 0;
  while (at < text.size()) {
    size_t amp = text.find('&', at);
    if (amp == std::string_view::npos) amp = text.size();
    out.append(text.data() + at, amp - at);
    if (amp == text.size()) break;
    size_t used = 0;
    if (amp + 1 < text.size()) {
      used = text[amp + 1] == '#' ? DecodeNumeric(text, amp, out) : DecodeNamed(text, amp, out, inAttribute);
    }
    if (used == 0) {
      out += '&';
      used = 1;
    }
    at = amp + used;
  }
}

void AssignDecoded(std::string_view text, CByteString& value) {
  std::string decoded = value.Release();  // its storage, reused
  decoded.clear();
  AppendDecoded(text, decoded, true);
  value.Adopt(std::move(decoded));
}

void AppendEscaped(std::string_view text, std::string& out) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

}  // namespace pagesift
