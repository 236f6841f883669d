// Build-tag ranges as the host writes them into RTF: the range's start and
// end markers and the annotation that carries its tags. Shared by the tests
// and the fuzz targets that make such documents.
#ifndef BTE_TESTS_SUPPORT_HOST_MARKUP_H
#define BTE_TESTS_SUPPORT_HOST_MARKUP_H

#include <string>

namespace bte::test {

inline std::string RangeStart(int number) { return "{\\*\\atrfstart " + std::to_string(number) + "}"; }

inline std::string RangeEnd(int number) { return "{\\*\\atrfend " + std::to_string(number) + "}"; }

// The annotation of range number, with the host's id and author unless
// others are given.
inline std::string Annotation(int number, const std::string& tags,
                              const std::string& author = "Conditional Build Tags",
                              const std::string& id = "Scrivlet") {
  return "{\\*\\atnid " + id + "}{\\*\\atnauthor " + author + "}\\chatn{\\*\\annotation{\\*\\atnref " +
         std::to_string(number) + "}" + tags + "}";
}

// Start, content, end, annotation: a range in the host's usual order.
inline std::string Tagged(int number, const std::string& content, const std::string& tags) {
  return RangeStart(number) + content + RangeEnd(number) + Annotation(number, tags);
}

}  // namespace bte::test

#endif  // BTE_TESTS_SUPPORT_HOST_MARKUP_H
