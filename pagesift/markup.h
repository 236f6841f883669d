// Recognising one piece of markup at a "<": what it is and where it ends.
#ifndef PAGESIFT_MARKUP_H
#define PAGESIFT_MARKUP_H

#include <cstddef>
#include <string_view>

#include "pagesift/tag_table.h"

namespace pagesift {

enum class MarkupKind { kNone, kStartTag, kEndTag, kMarkup };

struct MarkupInfo {
  MarkupKind kind = MarkupKind::kNone;
  size_t begin = 0;  // the "<"
  size_t end = 0;    // one past the closing ">" (or the end of the text)
  size_t nameBegin = 0;
  size_t nameEnd = 0;
  const TagEntry* entry = nullptr;
  bool selfClosing = false;       // written as "<name ... />"
  bool carriesBuildTags = false;  // has a "data-buildtags" attribute
  // Where the first one's value lies as written (no quotes), when it has one.
  size_t buildTagsBegin = 0;
  size_t buildTagsEnd = 0;
};

// Reads the markup starting with the "<" at position at. kind kNone: the
// "<" starts no markup (or a tag that the text ends inside of) and is text.
MarkupInfo ReadMarkup(std::string_view text, size_t at);

// The position of the end tag that closes raw text opened by element name,
// searching from position at; text.size() when there is none.
size_t FindRawTextEnd(std::string_view text, size_t at, std::string_view name);

}  // namespace pagesift

#endif  // PAGESIFT_MARKUP_H
