// The texts that open the build-tag markup in an RTF document.
#ifndef BTE_RTFFILTER_MARKUP_H
#define BTE_RTFFILTER_MARKUP_H

#include <cstdint>
#include <string_view>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {

inline constexpr std::string_view kRangeStart = "{\\*\\atrfstart";
inline constexpr std::string_view kRangeEnd = "{\\*\\atrfend";
inline constexpr std::string_view kAnnotationIdGroup = "{\\*\\atnid";
inline constexpr std::string_view kAnnotationGroup = "{\\*\\annotation";
inline constexpr std::string_view kAnnotationRef = "{\\*\\atnref";

// The number after keyword at the start of text (white space skipped); 0
// when there is none.
inline uint32_t ReadMarkerNumber(const char* text, uint32_t length, uint32_t keywordLength) {
  int64_t number = 0;
  if (length <= keywordLength ||
      !ReadNumberAfterBlanks(text + keywordLength, text + length, number))
    return 0;
  return static_cast<uint32_t>(number);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_MARKUP_H
