// Reading annotations: whether one is a build-tag annotation (by its id and
// author) and the plain text of its groups.
#ifndef BTE_RTFFILTER_ANNOTATION_TEXT_H
#define BTE_RTFFILTER_ANNOTATION_TEXT_H

#include <cstdint>
#include <string>

#include "rtffilter/filter_result.h"

namespace bte::rtf {

// What an annotation says, read from its "{\*\atnid" group to the end of
// its annotation group.
struct AnnotationReading {
  uint32_t length = 0;
  uint32_t reference = 0;  // the number of its "{\*\atnref N}" group, 0 without
  bool isBuildTag = false;
  std::string tagText;
  // Why reading failed and where; kNone after success.
  FailureReason failure = FailureReason::kNone;
  const char* failedAt = nullptr;
};

// Reads the annotation at at, token by token; false (with the failure) when
// it has no annotation group or the group does not close before end.
bool ReadAnnotation(const char* at, const char* end, AnnotationReading& reading,
                    std::string& scratch);

// true when the id and author groups carry the build-tag identity strings.
// tagText receives the text of the (last) annotation group met.
bool IsBuildTagAnnotation(const char* text, uint32_t length, std::string& tagText);
// The same, with a caller's buffer for the id and author texts, for callers
// that read many annotations.
bool IsBuildTagAnnotation(const char* text, uint32_t length, std::string& tagText,
                          std::string& scratch);

// The text tokens of the range, without carriage returns and line feeds.
// false (and an empty result) only for length 0.
bool CollectGroupText(const char* text, uint32_t length, std::string& result);

// As CollectGroupText, but \'hh escapes are decoded and destination groups
// inside the annotation (its reference number, fields, ...) are left out.
bool CollectAnnotationText(const char* text, uint32_t length, std::string& result);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_ANNOTATION_TEXT_H
