#include "rtffilter/annotation_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "rtffilter/identity_strings.h"
#include "rtffilter/filter_pass.h"
#include "rtffilter/keyword_tables.h"
#include "rtffilter/markup.h"
#include "rtffilter/rtf_token.h"

namespace bte::rtf {
namespace {

void RemoveLineBreaks(std::string& text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char byte) { return byte == '\r' || byte == '\n'; }),
             text.end());
}

int HexValue(char byte) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
  if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
  return -1;
}

// The two bytes after \' read as hexadecimal, as far as they are digits.
int EscapedByte(const char* digits) {
  int value = 0;
  for (int i = 0; i < 2; ++i) {
    const int digit = HexValue(digits[i]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

// Searches the annotation's own groups, which lie close after it.
const char* FindNear(std::string_view marker, const char* from, const char* end) {
  const size_t size = marker.size();
  for (const char* p = from; end - p >= static_cast<ptrdiff_t>(size); ++p) {
    p = static_cast<const char*>(std::memchr(p, '{', static_cast<size_t>(end - p) - size + 1));
    if (p == nullptr) return nullptr;
    if (std::memcmp(p + 1, marker.data() + 1, size - 1) == 0) return p;
  }
  return nullptr;
}

bool Failed(AnnotationReading& reading, const char* problem, const char* at) {
  reading.problem = problem;
  reading.problemAt = at;
  return false;
}

}  // namespace

bool ReadAnnotation(const char* at, const char* end, AnnotationReading& reading,
                    std::string& scratch) {
  const char* group = FindNear(kAnnotationGroup, at, end);
  if (group == nullptr) return Failed(reading, "annotation has no annotation group", at);
  uint32_t groupLength = 0;
  if (!FindGroupEnd(group, static_cast<uint32_t>(end - group), groupLength))
    return Failed(reading, "annotation group has no closing brace", group);
  const char* to = group + groupLength;
  reading.length = static_cast<uint32_t>(to - at);
  const char* ref = FindNear(kAnnotationRef, at, to);
  reading.reference =
      ref == nullptr || ref + kAnnotationRef.size() >= to
          ? 0
          : ReadMarkerNumber(ref, static_cast<uint32_t>(to - ref), kAnnotationRef.size());
  reading.isBuildTag = IsBuildTagAnnotation(at, reading.length, reading.tagText, scratch);
  return true;
}

bool CollectGroupText(const char* text, uint32_t length, std::string& result) {
  result.clear();
  if (length == 0) return false;
  RTFToken token;
  for (const char* p = text; p < text + length; p += token.length) {
    ReadRtfToken(p, static_cast<uint32_t>(text + length - p), token);
    if (token.kind == TokenText) result.append(p, token.length);
  }
  RemoveLineBreaks(result);
  return true;
}

bool CollectAnnotationText(const char* text, uint32_t length, std::string& result) {
  result.clear();
  if (length == 0) return false;
  const char* const end = text + length;
  RTFToken token;
  RTFToken wordToken;
  const char* lastOpen = nullptr;
  const char* p = text;
  while (p < end) {
    ReadRtfToken(p, static_cast<uint32_t>(end - p), token);
    const bool followsOpen = lastOpen != nullptr && lastOpen + 1 == p;
    uint32_t step = token.length;
    int32_t category = 0;
    uint32_t groupLength = 0;
    switch (token.kind) {
      case TokenGroupOpen:
        lastOpen = p;
        break;
      case TokenGroupClose:
        lastOpen = nullptr;
        break;
      case TokenText:
        result.append(p, token.length);
        break;
      case TokenControlWord:
        if (followsOpen && LookupDestination(p + 1, token.nameLength - 1, category) &&
            FindGroupEnd(lastOpen, static_cast<uint32_t>(end - lastOpen), groupLength)) {
          step = static_cast<uint32_t>(lastOpen + groupLength - p);
          lastOpen = nullptr;
        }
        break;
      case TokenControlSymbol:
        if (token.length == 2 && p[1] == '\'') {
          if (end - p >= 4) {
            const int value = EscapedByte(p + 2);
            if (value != 0) result.push_back(static_cast<char>(value));
            step = 4;
          }
        } else if (token.length == 2 && p[1] == '*' && followsOpen && p + 2 < end) {
          ReadRtfToken(p + 2, static_cast<uint32_t>(end - p - 2), wordToken);
          if (wordToken.kind == TokenControlWord &&
              LookupDestination(p + 3, wordToken.nameLength - 1, category) &&
              FindGroupEnd(lastOpen, static_cast<uint32_t>(end - lastOpen), groupLength)) {
            step = static_cast<uint32_t>(lastOpen + groupLength - p);
            lastOpen = nullptr;
          }
        }
        break;
      default:
        break;
    }
    p += step;
  }
  RemoveLineBreaks(result);
  return true;
}

bool IsBuildTagAnnotation(const char* text, uint32_t length, std::string& tagText) {
  std::string scratch;
  return IsBuildTagAnnotation(text, length, tagText, scratch);
}

bool IsBuildTagAnnotation(const char* text, uint32_t length, std::string& tagText,
                          std::string& groupText) {
  if (length == 0) return false;
  const char* const end = text + length;
  bool idMatched = false;
  bool authorMatched = false;
  RTFToken token;
  RTFToken wordToken;
  const char* lastOpen = nullptr;
  const char* p = text;
  while (p < end) {
    ReadRtfToken(p, static_cast<uint32_t>(end - p), token);
    const bool followsOpen = lastOpen != nullptr && lastOpen + 1 == p;
    uint32_t step = token.length;
    if (token.kind == TokenGroupOpen) lastOpen = p;
    if (token.kind == TokenGroupClose) lastOpen = nullptr;
    int32_t category = 0;
    uint32_t groupLength = 0;
    if (token.kind == TokenControlSymbol && token.length == 2 && p[1] == '*' && followsOpen &&
        p + 2 < end) {
      ReadRtfToken(p + 2, static_cast<uint32_t>(end - p - 2), wordToken);
      if (wordToken.kind == TokenControlWord &&
          LookupDestination(p + 3, wordToken.nameLength - 1, category) &&
          FindGroupEnd(lastOpen, static_cast<uint32_t>(end - lastOpen), groupLength)) {
        const char* content = p + 2 + wordToken.length;
        const char* close = lastOpen + groupLength - 1;
        const uint32_t contentLength =
            content < close ? static_cast<uint32_t>(close - content) : 0;
        if (category == DestAnnotationId) {
          CollectGroupText(content, contentLength, groupText);
          if (groupText == BuildTagAnnotationId) idMatched = true;
        } else if (category == DestAnnotationAuthor) {
          CollectGroupText(content, contentLength, groupText);
          if (groupText == BuildTagAnnotationAuthor) authorMatched = true;
        } else if (category == DestAnnotation) {
          CollectAnnotationText(content, contentLength, tagText);
        }
        step = static_cast<uint32_t>(lastOpen + groupLength - p);
        lastOpen = nullptr;
      }
    }
    p += step;
  }
  return idMatched && authorMatched;
}

}  // namespace bte::rtf
