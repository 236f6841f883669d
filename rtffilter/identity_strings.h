// The two strings that mark an RTF annotation as a build-tag annotation. The
// host writes them into every such annotation; the filter recognises them.
#ifndef BTE_RTFFILTER_IDENTITY_STRINGS_H
#define BTE_RTFFILTER_IDENTITY_STRINGS_H

#include <string_view>

namespace bte {

inline constexpr std::string_view BuildTagAnnotationId = "Scrivlet";
inline constexpr std::string_view BuildTagAnnotationAuthor = "Conditional Build Tags";

}  // namespace bte

#endif  // BTE_RTFFILTER_IDENTITY_STRINGS_H
