// What kind of target an href names, for the library's own callers that
// hold the href as a view rather than a C string.
#ifndef PAGESIFT_HREF_TYPE_H
#define PAGESIFT_HREF_TYPE_H

#include <string_view>

namespace pagesift {

// pagesift::kHref* for an href value (CHtmlPack::GetAnchorHrefType).
int HrefTypeOf(std::string_view href);

}  // namespace pagesift

#endif  // PAGESIFT_HREF_TYPE_H
