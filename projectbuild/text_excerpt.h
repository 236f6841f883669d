// Short excerpts of document text for reports: one line, blanks collapsed,
// character references left as written.
#ifndef BTE_PROJECTBUILD_TEXT_EXCERPT_H
#define BTE_PROJECTBUILD_TEXT_EXCERPT_H

#include <string>
#include <string_view>

namespace bte::projectbuild {

// At most maxBytes bytes (cut at a word where one is near, then "..."),
// never splitting a UTF-8 sequence.
std::string Excerpt(std::string_view text, size_t maxBytes = 60);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TEXT_EXCERPT_H
