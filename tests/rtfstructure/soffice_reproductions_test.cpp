// The shapes real documents give build-tag ranges, filtered through the
// filter object and read back by the office suite: the reader finds no
// excluded text and no build-tag comment, tables keep their rows and cells,
// and lists number on. Then a seeded sample of generated documents, read
// the same way. Skipped without the converter (and, for the corpus
// documents, without the corpus).
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generated_documents.h"
#include "rtf_documents.h"
#include "soffice_runner.h"
#include "tests/support/corpus.h"

namespace bte::rtf::testing {
namespace {

using test::Tagged;

// Wraps the first text at or after after in a range tagged tags.
std::string Wrap(std::string rtf, const std::string& after, const std::string& text, int number,
                 const std::string& tags) {
  const size_t at = rtf.find(text, rtf.find(after));
  if (at == std::string::npos || rtf.find(after) == std::string::npos) return "";
  return rtf.substr(0, at) + Tagged(number, text, tags) + rtf.substr(at + text.size());
}

std::string FilterWeb(const std::string& rtf) {
  return rtf.empty() ? "" : test::Filter(rtf, "NOT Web").value_or("");
}

TEST(SofficeReproductions, TableWithoutFinalParagraphMark) {
  REQUIRE_SOFFICE();
  const std::string rtf = "{\\rtf1\\ansi\n\\trowd \\cellx2880\n\\pard\\intbl A\\cell \\row\n\\pard\n" +
                          test::Tagged(1, "After table.", "Web") + "}\n";
  CheckReadBack({{"lastparagraph", FilterWeb(rtf), {"After table", "Web"}, {"A"}, 1}}, "html");
}

TEST(SofficeReproductions, CorpusRowsSelectedWholeAndListItems) {
  REQUIRE_SOFFICE();
  BTE_REQUIRE_CORPUS();
  const std::string various = test::ReadCorpusFile("tika_testRTFVarious.rtf");
  const std::string word = test::ReadCorpusFile("tika_testRTFListMicrosoftWord.rtf");
  const std::string wordPad = test::ReadCorpusFile("rtfpipe_List.rtf");
  // A row selected whole: from its first cell's text to after its last cell mark.
  auto row = [&](const char* n) {
    const std::string first = std::string("Row ") + n + " Col 1";
    const size_t from = various.find(first);
    const size_t to = various.find(std::string("Row ") + n + " Col 3\\cell ") + 16;
    return various.substr(0, from) + Tagged(1, various.substr(from, to - from), "Web") + various.substr(to);
  };
  // A kept range on row 2 and an excluded list item elsewhere: the blank
  // paragraph between the table and the next text stays.
  const std::string keptRow = Wrap(Wrap(various, "", "Row 2 Col 2", 1, "Print"), "", "Suddenly", 2,
                                   "Web");
  CheckReadBack(
      {
          {"lastrow", FilterWeb(row("2")), {"Row 2 Col"}, {"Row 1 Col 1", "Row 1 Col 3"}, 1},
          {"firstrow", FilterWeb(row("1")), {"Row 1 Col"}, {"Row 2 Col 1", "Row 2 Col 3"}, 1},
          {"keptrow", FilterWeb(keptRow), {"Suddenly"}, {"Row 2 Col 2", "apanese text"}, 2},
      },
      "html");
  CheckReadBack(
      {
          {"wordlist", FilterWeb(Wrap(word, "\\tab}two", "two", 1, "Web")), {"two"},
           {"1. one", "2. three"}, -1},
          {"wordpadlist", FilterWeb(Wrap(wordPad, "1.\\tab", "List 1", 1, "Web")), {"List 1"},
           {"Paragraph 2", "1. List 2"}, -1},
      },
      "txt:Text");
}

// Generated documents read back: no excluded text, no build-tag comment, and
// the rows the model expects, on documents without pictures.
TEST(SofficeReproductions, GeneratedDocumentsReadBack) {
  REQUIRE_SOFFICE();
  std::vector<ReadBack> cases;
  for (uint32_t seed = 1; cases.size() < 30; ++seed) {
    const test::GeneratedDocument document = test::GenerateDocument(seed * 7919);
    // This reader refuses a document whose picture data is no picture.
    if (document.excludedTexts.empty() || document.rtf.find("\\pict") != std::string::npos)
      continue;
    std::vector<std::string> gone;
    for (const std::string& text : document.excludedTexts)
      if (text.compare(0, 2, "qz") == 0) gone.push_back(text);
    cases.push_back({"generated" + std::to_string(seed),
                     test::Filter(document.rtf, document.expression.c_str()).value_or(""), gone,
                     {}, static_cast<int>(document.rows.size())});
  }
  CheckReadBack(cases, "html");
}

}  // namespace
}  // namespace bte::rtf::testing
