// The texts that open the build-tag markup in an RTF document.
#ifndef BTE_RTFFILTER_MARKUP_H
#define BTE_RTFFILTER_MARKUP_H

#include <string_view>

namespace bte::rtf {

inline constexpr std::string_view kRangeStart = "{\\*\\atrfstart";
inline constexpr std::string_view kRangeEnd = "{\\*\\atrfend";
inline constexpr std::string_view kAnnotationIdGroup = "{\\*\\atnid";
inline constexpr std::string_view kAnnotationGroup = "{\\*\\annotation";
inline constexpr std::string_view kAnnotationRef = "{\\*\\atnref";

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_MARKUP_H
