// Searches the tests and the fuzz targets make in texts: how often a piece
// occurs, and whether one text is another with bytes left out.
#ifndef BTE_TESTS_SUPPORT_TEXT_SEARCH_H
#define BTE_TESTS_SUPPORT_TEXT_SEARCH_H

#include <cstddef>
#include <string_view>

// Overlapping occurrences count, each from its own start.
inline size_t Count(std::string_view text, std::string_view piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string_view::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

// Whether part is whole with bytes deleted, nothing added or changed.
inline bool IsSubsequence(std::string_view part, std::string_view whole) {
  size_t at = 0;
  for (char c : whole)
    if (at < part.size() && part[at] == c) ++at;
  return at == part.size();
}

#endif  // BTE_TESTS_SUPPORT_TEXT_SEARCH_H
