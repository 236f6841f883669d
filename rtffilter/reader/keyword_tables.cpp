// The keyword tables checked once, when this file is compiled.
#include "rtffilter/reader/keyword_tables.h"

namespace bte::rtf {
namespace {

// Every row is found with its value (a repeated row with its first one's).
template <size_t N>
constexpr bool FindsEveryRow(const KeywordTable& table, const KeywordRow (&rows)[N]) {
  for (const KeywordRow& row : rows) {
    int32_t value = 0;
    if (!table.Find(row.keyword.data(), row.keyword.size(), value)) return false;
    int32_t first = 0;
    for (const KeywordRow& other : rows) {
      if (other.keyword == row.keyword) {
        first = other.value;
        break;
      }
    }
    if (value != first) return false;
  }
  return true;
}
static_assert(FindsEveryRow(keyword_rows::kDestinations, keyword_rows::kDestinationRows));
static_assert(FindsEveryRow(keyword_rows::kSpecialWords, keyword_rows::kSpecialWordRows));

}  // namespace
}  // namespace bte::rtf
