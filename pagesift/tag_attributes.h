// A tag's attributes read into parts, for tags whose attributes change: each
// attribute keeps its span in the tag text, so that a tag written again
// from its parts keeps the bytes of every attribute that did not change.
#ifndef PAGESIFT_TAG_ATTRIBUTES_H
#define PAGESIFT_TAG_ATTRIBUTES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pagesift/tag_scanner.h"

namespace pagesift {

struct TagAttributes {
  struct Attribute {
    size_t begin = 0;  // the span in the tag text, with the space before it
    size_t nameBegin = 0;
    size_t end = 0;
    std::string name;   // lower case
    std::string value;  // references decoded
    bool changed = false;
  };
  std::vector<Attribute> list;
  size_t tailBegin = 0;  // what follows the last attribute: "/>", ">"
  bool changed = false;

  Attribute* Find(std::string_view name) {
    for (Attribute& attribute : list) {
      if (EqualsIgnoringCase(attribute.name, name)) return &attribute;
    }
    return nullptr;
  }
};

// Reads the attributes of tag, which start at nameEnd.
void ReadAttributes(std::string_view tag, size_t nameEnd, TagAttributes& attributes);

// The first attribute of that name (any case) in the tag, read straight from
// its text without parsing the others into parts; false when absent.
bool FindAttribute(std::string_view tag, size_t nameEnd, std::string_view name, AttributeSpan& span);

}  // namespace pagesift

#endif  // PAGESIFT_TAG_ATTRIBUTES_H
