#include "rtffilter/annotation_text.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "rtffilter/identity_strings.h"
#include "rtffilter/markup.h"
#include "rtffilter/reader/rtf_scanner.h"

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

bool Failed(AnnotationReading& reading, FailureReason failure, const char* at) {
  reading.failure = failure;
  reading.failedAt = at;
  return false;
}

// The text tokens of a group, and under rules that read hex escapes whole
// the bytes they stand for.
class TextCollector : public RtfListener {
 public:
  explicit TextCollector(std::string& result) : result_(result) {}

  bool OnText(const char* at, const RTFToken& token) override {
    result_.append(at, token.length);
    return true;
  }

  bool OnControlSymbol(const char* at, const RTFToken& token) override {
    if (token.length != 4) return true;  // other symbols add nothing
    const int value = EscapedByte(at + 2);
    if (value != 0) result_.push_back(static_cast<char>(value));
    return true;
  }

 private:
  std::string& result_;
};

// Matches the id and author groups and reads the (last) annotation group.
class IdentityReader : public RtfListener {
 public:
  IdentityReader(std::string& tagText, std::string& groupText)
      : tagText_(tagText), groupText_(groupText) {}

  bool OnDestination(const DestinationGroup& group) override {
    if (group.length == 0) return true;  // not closed: read on after its "\*"
    const char* content = group.word + group.wordToken.length;
    const char* close = group.open + group.length - 1;
    const uint32_t length = content < close ? static_cast<uint32_t>(close - content) : 0;
    if (group.category == DestAnnotationId) {
      CollectGroupText(content, length, groupText_);
      idMatched_ |= groupText_ == BuildTagAnnotationId;
    } else if (group.category == DestAnnotationAuthor) {
      CollectGroupText(content, length, groupText_);
      authorMatched_ |= groupText_ == BuildTagAnnotationAuthor;
    } else {
      CollectAnnotationText(content, length, tagText_);
    }
    return true;
  }

  bool matched() const { return idMatched_ && authorMatched_; }

 private:
  std::string& tagText_;
  std::string& groupText_;
  bool idMatched_ = false;
  bool authorMatched_ = false;
};

}  // namespace

bool ReadAnnotation(const char* at, const char* end, AnnotationReading& reading,
                    std::string& scratch) {
  const char* group = FindNear(kAnnotationGroup, at, end);
  if (group == nullptr) return Failed(reading, FailureReason::kAnnotationWithoutGroup, at);
  uint32_t groupLength = 0;
  if (!FindGroupEnd(group, static_cast<uint32_t>(end - group), groupLength))
    return Failed(reading, FailureReason::kAnnotationGroupUnclosed, group);
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
  TextCollector collector(result);
  ScanRtf(kEveryTokenRules, text, text + length, text + length, collector);
  RemoveLineBreaks(result);
  return true;
}

bool CollectAnnotationText(const char* text, uint32_t length, std::string& result) {
  result.clear();
  if (length == 0) return false;
  TextCollector collector(result);
  ScanRtf(kAnnotationTextRules, text, text + length, text + length, collector);
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
  IdentityReader reader(tagText, groupText);
  ScanRtf(kAnnotationIdentityRules, text, text + length, text + length, reader);
  return reader.matched();
}

}  // namespace bte::rtf
