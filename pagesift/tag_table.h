// The element table: what the library knows about each HTML element.
#ifndef PAGESIFT_TAG_TABLE_H
#define PAGESIFT_TAG_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pagesift {

enum class TagLevel : uint8_t {
  kNone,           // document structure, head content, markup
  kInline,         // phrasing content
  kBlock,          // blocks of flow content
  kBlockEmbedded,  // blocks that live only inside a particular parent
};

// How the tokenizer reads what follows the start tag.
enum class TagContent : uint8_t {
  kNormal,
  kVoid,       // never has content or an end tag
  kRawText,    // text up to the matching end tag, nothing parsed
  kPlainText,  // text up to the end of the document
};

struct TagEntry {
  const char* name;  // lower case; empty for markup and unknown tags
  uint32_t id;
  uint32_t majorType;
  uint8_t contentType;  // a ContentType (containment_rules.h)
  TagLevel level;
  TagContent content;
};

// The entry for an element name (any case); null for an unknown name.
const TagEntry* FindTagEntry(std::string_view name);
const TagEntry& UnknownTagEntry();
// The element names of the table, by index; null past the last.
const char* KnownElementName(size_t index);
const TagEntry& MarkupTagEntry(uint32_t id);  // kTagComment, kTagDoctype, ...

// Every entry has an index below 256, so that a token names its entry in
// one byte.
uint8_t TagEntryIndex(const TagEntry& entry);
const TagEntry& TagEntryAt(uint8_t index);

}  // namespace pagesift

#endif  // PAGESIFT_TAG_TABLE_H
