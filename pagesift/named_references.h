// The HTML5 named character references ("amp;" -> "&"). Names that may be
// written without ";" appear a second time without it.
#ifndef PAGESIFT_NAMED_REFERENCES_H
#define PAGESIFT_NAMED_REFERENCES_H

#include <cstddef>

namespace pagesift {

struct NamedReference {
  const char* name;
  const char* text;  // UTF-8
};

// Sorted by name (byte order).
extern const NamedReference kNamedReferences[];
extern const size_t kNamedReferenceCount;

}  // namespace pagesift

#endif  // PAGESIFT_NAMED_REFERENCES_H
