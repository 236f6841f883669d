// The exact layout in which the host writes its build-tag markup, read
// without tokenizing: large tagged documents hold one such annotation per
// range, and reading each the general way costs more than the rest of the
// filter. Each reader answers false for any other layout; the general
// reading then decides, and for these layouts it reaches the same answer.
#ifndef BTE_RTFFILTER_HOST_MARKUP_H
#define BTE_RTFFILTER_HOST_MARKUP_H

#include <cstdint>
#include <string_view>

#include "rtffilter/annotation_text.h"

namespace bte::rtf {

// keyword, one blank, 1 to 9 digits and the closing brace, as in
// "{\*\atrfstart 12}"; length receives the group's length.
bool ReadPlainMarkerGroup(const char* at, const char* end, std::string_view keyword,
                          uint32_t& length);

// The id group, the author group, \chatn and the annotation group holding
// only its reference group and plain tag text.
bool ReadHostAnnotation(const char* at, const char* end, AnnotationReading& reading);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_HOST_MARKUP_H
