#include "rtffilter/host_markup.h"

#include <cstring>
#include <string>

#include "rtffilter/identity_strings.h"
#include "rtffilter/markup.h"

namespace bte::rtf {
namespace {

constexpr uint32_t kMostDigits = 9;  // keeps every number within 32 bits

bool StartsWith(const char* at, const char* end, std::string_view text) {
  return static_cast<size_t>(end - at) >= text.size() &&
         std::memcmp(at, text.data(), text.size()) == 0;
}

// Reads " N}" at at; returns the position after the brace, or null.
const char* ReadBlankNumberBrace(const char* at, const char* end, uint32_t& number) {
  if (at == end || *at != ' ') return nullptr;
  ++at;
  number = 0;
  uint32_t digits = 0;
  for (; at < end && *at >= '0' && *at <= '9'; ++at, ++digits) {
    if (digits == kMostDigits) return nullptr;
    number = number * 10 + static_cast<uint32_t>(*at - '0');
  }
  if (digits == 0 || at == end || *at != '}') return nullptr;
  return at + 1;
}

const std::string& AnnotationHead() {
  static const std::string head = std::string("{\\*\\atnid ") +
                                  std::string(BuildTagAnnotationId) + "}{\\*\\atnauthor " +
                                  std::string(BuildTagAnnotationAuthor) + "}\\chatn" +
                                  std::string(kAnnotationGroup) + std::string(kAnnotationRef);
  return head;
}

}  // namespace

bool ReadPlainMarkerGroup(const char* at, const char* end, std::string_view keyword,
                          uint32_t& length) {
  if (!StartsWith(at, end, keyword)) return false;
  uint32_t number = 0;
  const char* after = ReadBlankNumberBrace(at + keyword.size(), end, number);
  if (after == nullptr) return false;
  length = static_cast<uint32_t>(after - at);
  return true;
}

bool ReadHostAnnotation(const char* at, const char* end, AnnotationReading& reading) {
  const std::string& head = AnnotationHead();
  if (!StartsWith(at, end, head)) return false;
  uint32_t reference = 0;
  const char* tags = ReadBlankNumberBrace(at + head.size(), end, reference);
  if (tags == nullptr) return false;
  const char* close = tags;
  while (close < end && *close != '}' && *close != '{' && *close != '\\') ++close;
  if (close == end || *close != '}') return false;
  reading.length = static_cast<uint32_t>(close + 1 - at);
  reading.reference = reference;
  reading.isBuildTag = true;
  reading.tagText.clear();
  for (const char* p = tags; p < close; ++p)
    if (*p != '\r' && *p != '\n') reading.tagText.push_back(*p);
  return true;
}

}  // namespace bte::rtf
