// Seeded RTF documents shaped like real writers' output, with build-tag
// ranges inserted where authors put them, and what filtering them must give
// according to a small model that knows which visible texts each range holds.
// Every visible text of a document is unique ("qz00017", or a picture's
// "abcd00017"), so the model can say for each whether it must go or stay.
#ifndef BTE_TESTS_RTFFILTER_GENERATED_DOCUMENTS_H
#define BTE_TESTS_RTFFILTER_GENERATED_DOCUMENTS_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace bte::test {

struct TableRowShape {
  int level;  // 1 for an outer table, 2 for a nested one
  int cells;
  bool operator==(const TableRowShape& other) const {
    return level == other.level && cells == other.cells;
  }
};

struct GeneratedDocument {
  std::string rtf;
  std::string expression;
  std::vector<std::string> keptTexts;      // in document order
  std::vector<std::string> excludedTexts;  // lie only inside excluded ranges
  std::vector<std::string> markup;         // build-tag markers' and annotations' own texts
  std::vector<TableRowShape> rows;         // the rows a reader must find, in order
  std::vector<std::string> numbers;        // list number texts, in order
  std::string description;                 // what the generator chose, for failures
};

GeneratedDocument GenerateDocument(uint32_t seed);

// What a filtered document shows, read back without the filter's reader:
// each row end with the cell marks since the row before (level 2 for
// \nestrow), and the visible text of every {\listtext} or {\pntext} group.
std::vector<TableRowShape> RowsOf(const std::string& rtf);
std::vector<std::string> NumberTextsOf(const std::string& rtf);
// Whether every '{' is closed by a later '}' and no '}' closes nothing;
// escaped braces do not count.
bool BracesBalance(const std::string& rtf);

}  // namespace bte::test

#endif  // BTE_TESTS_RTFFILTER_GENERATED_DOCUMENTS_H
