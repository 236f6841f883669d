#include "pagesift/tag_scanner.h"

namespace pagesift {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsHtmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsHtmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

size_t ScanTagName(std::string_view text, size_t at) {
  while (at < text.size() && !IsOfClass(text[at], kEndsTagName)) ++at;
  return at;
}

namespace {

size_t SkipSpaces(std::string_view text, size_t at) {
  while (at < text.size() && IsHtmlSpace(text[at])) ++at;
  return at;
}

// The value after "=": quoted either way, or unquoted up to a space or ">".
ScanResult ScanValue(std::string_view text, size_t at, AttributeSpan& span) {
  span.hasValue = true;
  if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
    size_t close = text.find(text[at], at + 1);
    if (close == std::string_view::npos) return ScanResult::kNoEnd;
    span.valueBegin = at + 1;
    span.valueEnd = close;
    span.end = close + 1;
    return ScanResult::kAttribute;
  }
  size_t end = at;
  while (end < text.size() && !IsOfClass(text[end], kEndsUnquotedValue)) ++end;
  span.valueBegin = at;
  span.valueEnd = end;
  span.end = end;
  return ScanResult::kAttribute;
}

}  // namespace

ScanResult ScanAttribute(std::string_view text, size_t at, AttributeSpan& span) {
  span = AttributeSpan{};
  span.begin = at;
  while (at < text.size() && IsOfClass(text[at], kSkippedBeforeName)) ++at;
  if (at >= text.size()) return ScanResult::kNoEnd;
  if (text[at] == '>') {
    span.end = at;
    return ScanResult::kTagEnd;
  }
  // A name may start with "=", and runs to a space, "/", ">" or "=".
  span.nameBegin = at++;
  while (at < text.size() && !IsOfClass(text[at], kEndsAttributeName)) ++at;
  span.nameEnd = at;
  size_t afterName = SkipSpaces(text, at);
  if (afterName < text.size() && text[afterName] == '=') {
    return ScanValue(text, SkipSpaces(text, afterName + 1), span);
  }
  span.valueBegin = span.valueEnd = span.end = at;
  return at < text.size() ? ScanResult::kAttribute : ScanResult::kNoEnd;
}

}  // namespace pagesift
