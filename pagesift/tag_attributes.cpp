#include "pagesift/tag_attributes.h"

#include "pagesift/character_references.h"

namespace pagesift {

void ReadAttributes(std::string_view tag, size_t nameEnd, TagAttributes& attributes) {
  size_t cursor = nameEnd;
  AttributeSpan span;
  while (ScanAttribute(tag, cursor, span) == ScanResult::kAttribute) {
    TagAttributes::Attribute attribute;
    attribute.begin = span.begin;
    attribute.nameBegin = span.nameBegin;
    attribute.end = span.end;
    for (size_t i = span.nameBegin; i < span.nameEnd; ++i) attribute.name += AsciiLower(tag[i]);
    AppendDecoded(tag.substr(span.valueBegin, span.valueEnd - span.valueBegin), attribute.value, true);
    attributes.list.push_back(std::move(attribute));
    cursor = span.end;
  }
  attributes.tailBegin = cursor;
}

bool FindAttribute(std::string_view tag, size_t nameEnd, std::string_view name, AttributeSpan& span) {
  size_t cursor = nameEnd;
  while (ScanAttribute(tag, cursor, span) == ScanResult::kAttribute) {
    if (span.nameEnd - span.nameBegin == name.size() &&
        EqualsIgnoringCase(tag.substr(span.nameBegin, name.size()), name))
      return true;
    cursor = span.end;
  }
  return false;
}

}  // namespace pagesift
