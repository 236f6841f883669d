// Build-tag ranges put where an author would put them in real documents
// (rows selected whole, list items, the closing text after a table), with
// what the filtered bytes must show: no tagged text, no build-tag markup,
// rows with all their cells, list numbers that run on.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generated_documents.h"
#include "rtf_documents.h"
#include "tests/support/corpus.h"

namespace bte::test {
namespace {

// Wraps [from, to) of rtf in an excluded range (tag Web).
std::string Excluded(const std::string& rtf, size_t from, size_t to) {
  return rtf.substr(0, from) + Tagged(1, rtf.substr(from, to - from), "Web") + rtf.substr(to);
}

// The text from the first occurrence of first after after, up to the end of
// the first occurrence of last after it.
std::string ExcludedSpan(const std::string& rtf, const std::string& after, const std::string& first,
                         const std::string& last) {
  const size_t from = rtf.find(first, rtf.find(after));
  const size_t to = rtf.find(last, from);
  if (from == std::string::npos || to == std::string::npos) return "";
  return Excluded(rtf, from, to + last.size());
}

struct CorpusCase {
  const char* name;
  const char* file;
  const char* after;  // the range starts after this...
  const char* first;  // ...at this...
  const char* last;   // ...and runs to the end of this
  const char* gone;   // no longer in the output
  int removedRow;     // the index of the row that goes, or -1
  std::vector<std::string> numbers;  // the decimal list numbers left
};

class CorpusReproductionsTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusReproductionsTest, LeaveNoTaggedTextAndWellFormedStructure) {
  BTE_REQUIRE_CORPUS();
  const CorpusCase& c = GetParam();
  const std::string original = ReadCorpusFile(c.file);
  const std::string tagged = ExcludedSpan(original, c.after, c.first, c.last);
  ASSERT_FALSE(tagged.empty()) << "shape not found in " << c.file;
  const auto output = Filter(tagged, "NOT Web");
  ASSERT_TRUE(output.has_value());
  EXPECT_EQ(output->find(c.gone, tagged.find(c.after)), std::string::npos);
  std::vector<TableRowShape> rows = RowsOf(original);
  if (c.removedRow >= 0) rows.erase(rows.begin() + c.removedRow);
  for (const char* markup : {"atrfstart", "atrfend", "Conditional Build Tags"})
    EXPECT_EQ(output->find(markup), std::string::npos) << markup;
  EXPECT_TRUE(BracesBalance(*output));
  EXPECT_EQ(RowsOf(*output), rows);
  std::vector<std::string> numbers;
  for (const std::string& text : NumberTextsOf(*output))
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') numbers.push_back(text);
  EXPECT_EQ(numbers, c.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CorpusReproductionsTest,
    ::testing::Values(
        CorpusCase{"ClosingTextAfterTable", "striprtf_pages_table_sample.rtf", "\\lastrow",
                   "Hier steht", "normaler Text.", "Hier steht", -1, {}},
        CorpusCase{"LastRowSelectedWhole", "tika_testRTFVarious.rtf", "", "Row 2 Col 1",
                   "Row 2 Col 3\\cell ", "Row 2 Col", 1, {"1)", "2)", "3)"}},
        CorpusCase{"FirstRowSelectedWhole", "tika_testRTFVarious.rtf", "", "Row 1 Col 1",
                   "Row 1 Col 3\\cell ", "Row 1 Col", 0, {"1)", "2)", "3)"}},
        CorpusCase{"WordListItem", "tika_testRTFListMicrosoftWord.rtf", "\\tab}two", "two",
                   "two", "two\n", -1, {"1.", "2.", "1.", "2.", "3."}},
        CorpusCase{"WordPadListItem", "rtfpipe_List.rtf", "", "List 1", "List 1\\par",
                   "List 1", -1, {"1."}},
        CorpusCase{"WordPadListItemWithItsNumber", "rtfpipe_List.rtf", "", "{\\pntext\\f0 1.",
                   "List 1\\par", "List 1", -1, {"1."}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::test
