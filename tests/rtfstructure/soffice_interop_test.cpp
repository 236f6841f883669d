// Filtered documents read back by a real RTF reader: excluded text is gone,
// kept text stays, emptied rows vanish, rows with surviving cells keep all
// their columns, and list numbering runs on without gaps. Documents come from
// the corpus and from the converter itself (made from HTML written here);
// build-tag ranges with their annotations are inserted around chosen text as
// the host writes them, and the RTF filter object filters the document.
// Skipped when the converter is absent.
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hidden_ranges.h"
#include "soffice_runner.h"
#include "tests/support/corpus.h"

namespace bte::rtf::testing {
namespace {

const char kTableHtml[] =
    "<html><body><p>Intro paragraph</p><table border=\"1\">"
    "<tr><td>R1C1</td><td>R1C2</td><td>R1C3</td></tr>"
    "<tr><td>R2C1</td><td><p>R2C2</p><table border=\"1\"><tr><td>N1A</td><td>N1B</td></tr>"
    "<tr><td>N2A</td><td>N2B</td></tr></table></td><td>R2C3</td></tr>"
    "<tr><td>R3C1</td><td>R3C2</td><td>R3C3</td></tr>"
    "<tr><td>R4C1</td><td>R4C2</td><td>R4C3</td></tr></table>"
    "<p>Outro paragraph</p></body></html>";

const std::vector<std::string> kTableWords = {
    "R1C1", "R1C2", "R1C3", "R2C1", "R2C2", "R2C3", "R3C1", "R3C2", "R3C3", "R4C1", "R4C2",
    "R4C3", "N1A",  "N1B",  "N2A",  "N2B",  "Intro paragraph", "Outro paragraph"};

struct TableVariant {
  const char* name;
  std::vector<std::string> excluded;
  int rowsLost;   // table rows the reader finds fewer than in the unfiltered document
  int cellsLost;  // the same for cells
};

// A table whose first outer cell opens with a nested table, written the
// way this reader writes RTF: row definitions before the cells, nested row
// definitions in their property groups.
std::string OuterRowDefinition() {
  std::string definition = "\\trowd\\trql\\trpaddl108\\trpaddfl3";
  for (const char* right : {"3000", "6000"})
    definition += std::string("\\clbrdrt\\brdrs\\brdrw5\\clbrdrl\\brdrs\\brdrw5\\clbrdrb") +
                  "\\brdrs\\brdrw5\\clbrdrr\\brdrs\\brdrw5\\clpadl28\\cellx" + right;
  return definition + "\n";
}

std::string NestedTableRow(const std::string& left, const std::string& right) {
  return "\\pard\\plain\\intbl\\itap2 " + left + "\\nestcell\\pard\\plain\\intbl\\itap2 " + right +
         "\\nestcell{\\*\\nesttableprops\\trowd\\trql\\clbrdrt\\brdrs\\brdrw5\\cellx1400"
         "\\clbrdrt\\brdrs\\brdrw5\\cellx2800\\nestrow}{\\nonesttables\\par}\n";
}

const std::string kNestedFirstRtf =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n\\pard\\plain\\itap0 Intro paragraph\\par\n" +
    OuterRowDefinition() + NestedTableRow("F1A", "F1B") + NestedTableRow("F2A", "F2B") +
    "\\pard\\plain\\intbl\\cell\\pard\\plain\\intbl G1B\\cell\\row\n" + OuterRowDefinition() +
    "\\pard\\plain\\intbl G2A\\cell\\pard\\plain\\intbl G2B\\cell\\row\n"
    "\\pard\\plain\\itap0 Outro paragraph\\par\n}";

const std::vector<std::string> kNestedFirstWords = {
    "F1A", "F1B", "F2A", "F2B", "G1B", "G2A", "G2B", "Intro paragraph", "Outro paragraph"};

// Filters rtf once per variant and reads every result back as HTML; words
// are the texts to look for.
void CheckVariants(const std::string& rtf, const std::vector<std::string>& words,
                   const std::vector<TableVariant>& variants) {
  SofficeRunner runner;
  std::map<std::string, std::string> filtered = {{"unfiltered.rtf", rtf}};
  for (const TableVariant& v : variants) {
    const std::string input = ExcludeWords(rtf, v.excluded);
    const std::string output = FilterHidden(input);
    ASSERT_NE(output, "<failed>") << v.name;
    ASSERT_LE(output.size(), input.size());
    filtered[std::string(v.name) + ".rtf"] = output;
  }
  const auto read = runner.Convert(filtered, "html");
  ASSERT_EQ(read.count("unfiltered"), 1u);
  const size_t rows = Count(read.at("unfiltered"), "<tr");
  const size_t cells = Count(read.at("unfiltered"), "<td");
  for (const TableVariant& v : variants) {
    SCOPED_TRACE(v.name);
    ASSERT_EQ(read.count(v.name), 1u) << "the reader could not read the output";
    const std::string& html = read.at(v.name);
    const std::string text = HtmlText(html);
    for (const std::string& word : words) {
      const bool excluded =
          std::find(v.excluded.begin(), v.excluded.end(), word) != v.excluded.end();
      EXPECT_EQ(Count(text, word), excluded ? 0u : 1u) << word;
    }
    EXPECT_EQ(Count(html, "<tr"), rows - v.rowsLost);
    EXPECT_EQ(Count(html, "<td"), cells - v.cellsLost);
    EXPECT_EQ(Count(text, "atrf"), 0u);
  }
}

// Emptied rows go and rows with surviving cells keep their columns. A removed
// row takes its table words along: this reader loses the whole outer table
// over a nested row's \itap2 left behind, and the paragraph after the table
// over a last row's row and cell definitions.
TEST(SofficeTables, EmptiedRowsGoAndRowsWithSurvivingCellsKeepTheirColumns) {
  REQUIRE_SOFFICE();
  SofficeRunner runner;
  const auto made = runner.Convert({{"table.html", kTableHtml}}, "rtf", "HTML (StarWriter)");
  ASSERT_EQ(made.count("table"), 1u) << "the converter made no RTF";
  CheckVariants(made.at("table"), kTableWords,
                {
                    {"untouched", {}, 0, 0},
                    {"onecell", {"R1C2"}, 0, 0},
                    {"twocells", {"R3C1", "R3C3"}, 0, 0},
                    {"middlerow", {"R3C1", "R3C2", "R3C3"}, 1, 3},
                    {"nestedcell", {"N2A"}, 0, 0},
                    {"outercellbesidenested", {"R2C1", "R2C3"}, 0, 0},
                    {"nestedrow", {"N2A", "N2B"}, 1, 2},
                    {"nestedtable", {"N1A", "N1B", "N2A", "N2B"}, 2, 4},
                    {"lastrow", {"R4C1", "R4C2", "R4C3"}, 1, 3},
                });
}

// The outer row's definition comes before the nested rows that open its
// first cell; removing those rows leaves it whole.
TEST(SofficeTables, NestedRowsOpeningACellLeaveTheOuterRowWhole) {
  REQUIRE_SOFFICE();
  CheckVariants(kNestedFirstRtf, kNestedFirstWords, {
      {"untouched", {}, 0, 0},
      {"firstnestedrow", {"F1A", "F1B"}, 1, 2},
      {"secondnestedrow", {"F2A", "F2B"}, 1, 2},
      {"nestedtable", {"F1A", "F1B", "F2A", "F2B"}, 2, 4},
      {"lastrow", {"G2A", "G2B"}, 1, 2},
  });
}

// A list paragraph as the host writes it: visible number and tab as the two
// lead items, then its own list text group.
std::string HostListEntry(const std::string& number, const std::string& text, int level) {
  return "{\\pard\\plain\\ls1\\ilvl" + std::to_string(level) + "\\li" +
         std::to_string(360 * (level + 1)) + " {" + number + "}{\\tab}{\\*\\listtextkvt " +
         number + "}" + text + "\\par}\n";
}

TEST(SofficeInterop, HostListNumberingRunsOnWithoutGaps) {
  REQUIRE_SOFFICE();
  const std::string head = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\n";
  const std::string list =
      HostListEntry("1.", "Alpha", 0) + HostListEntry("2.", "Bravo", 0) +
      HostListEntry("a.", "Sub one", 1) + HostListEntry("b.", "Sub two", 1) +
      HostListEntry("3.", "Charlie", 0) + HostListEntry("4.", "Delta", 0) +
      HostListEntry("5.", "Echo", 0) + "\\pard After the list\\par\n}";
  const auto variant = [&](const char* name, const std::vector<std::string>& excluded,
                           std::vector<std::string> lines) {
    lines.push_back("After the list");
    return ReadBack{name, FilterHidden(ExcludeWords(head + list, excluded)), excluded, lines, -1};
  };
  CheckReadBack(
      {variant("none", {}, {"1.\tAlpha", "2.\tBravo", "a.\tSub one", "b.\tSub two", "3.\tCharlie",
                            "4.\tDelta", "5.\tEcho"}),
       variant("second", {"Bravo", "Sub one", "Sub two"},
               {"1.\tAlpha", "2.\tCharlie", "3.\tDelta", "4.\tEcho"}),
       variant("twoapart", {"Alpha", "Delta"},
               {"1.\tBravo", "a.\tSub one", "b.\tSub two", "2.\tCharlie", "3.\tEcho"}),
       variant("subentry", {"Sub one"}, {"1.\tAlpha", "2.\tBravo", "a.\tSub two", "3.\tCharlie"}),
       variant("parentonly", {"Bravo"},
               {"1.\tAlpha", "2.\t", "a.\tSub one", "b.\tSub two", "3.\tCharlie"})},
      "txt:Text");
}

std::map<std::string, int> WordCounts(const std::string& text) {
  std::map<std::string, int> counts;
  std::string word;
  for (const char c : text + " ") {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      ++counts[word];
      word.clear();
    }
  }
  return counts;
}

// A word of four or more letters in the last paragraph of an outer table
// cell, found once in the whole RTF text and once in what the reader shows.
std::string PickCellWord(const std::string& rtf, const std::map<std::string, int>& shown) {
  std::string cellText;
  for (const ItemRecord& item : Itemise(rtf)) {
    if (item.kind == ItemContent) {
      cellText.append(item.text).push_back(' ');
      continue;
    }
    if (item.kind == ItemCell && item.state.tableDepth == 1) {
      for (const auto& [word, count] : WordCounts(cellText)) {
        const auto seen = shown.find(word);
        if (word.size() >= 4 && std::isalpha(static_cast<unsigned char>(word[0])) &&
            Count(rtf, word) == 1 && seen != shown.end() && seen->second == 1)
          return word;
      }
    }
    cellText.clear();
  }
  return "";
}

// One corpus document read before and after filtering out the texts picked
// from it.
struct CorpusRound {
  std::vector<std::string> texts;
  std::string before;  // the reader's HTML of the original
  std::string after;   // and of the filtered document
};

// Reads the named corpus documents, filters out of each what pick chooses
// (given the RTF and the words the reader shows; nothing: left out) and reads
// the results; by file name less ".rtf".
std::map<std::string, CorpusRound> FilterCorpusTables(
    const std::vector<std::string>& names,
    const std::function<std::vector<std::string>(const std::string&, const std::string&)>& pick) {
  std::map<std::string, std::string> originals, filtered;
  for (const std::string& name : names)
    originals[name] = ReadFile((bte::test::CorpusDir() / "rtf" / name).string());
  SofficeRunner runner;
  const auto unfiltered = runner.Convert(originals, "html");
  std::map<std::string, CorpusRound> rounds;
  for (const auto& [name, rtf] : originals) {
    const std::string stem = name.substr(0, name.size() - 4);
    if (unfiltered.count(stem) == 0) continue;
    std::vector<std::string> texts = pick(rtf, unfiltered.at(stem));
    if (texts.empty()) continue;
    const std::string output = FilterHidden(ExcludeWords(rtf, texts));
    EXPECT_NE(output, "<failed>") << name;
    filtered["f_" + name] = output;
    rounds[stem] = {std::move(texts), unfiltered.at(stem), ""};
  }
  const auto read = runner.Convert(filtered, "html");
  for (auto& [stem, round] : rounds) {
    EXPECT_EQ(read.count("f_" + stem), 1u) << stem << ": the reader could not read the output";
    if (read.count("f_" + stem) != 0) round.after = read.at("f_" + stem);
  }
  return rounds;
}

// The words the reader showed before filtering, less those of the texts
// filtered out.
std::map<std::string, int> ShownWithout(const CorpusRound& round) {
  std::map<std::string, int> expected = WordCounts(HtmlText(round.before));
  for (const std::string& text : round.texts)
    for (const auto& [word, count] : WordCounts(text)) expected[word] -= count;
  for (auto at = expected.begin(); at != expected.end();)
    at = at->second == 0 ? expected.erase(at) : std::next(at);
  return expected;
}

TEST(SofficeInterop, CorpusTablesLoseOneCellsTextAndKeepTheirShape) {
  REQUIRE_SOFFICE();
  BTE_REQUIRE_CORPUS();
  const auto rounds = FilterCorpusTables(
      {"docsharp_nested_table_word.rtf", "pandoc_table_nested.rtf",
       "rtfpipe_rtf2xml_table_with_header.rtf", "striprtf_nested_table.rtf",
       "rtfpipe_nested_table_report.rtf", "rtfpipe_rtf2xml_list_in_table.rtf",
       "docsharp_table_vertical_merge.rtf"},
      [](const std::string& rtf, const std::string& html) {
        const std::string word = PickCellWord(rtf, WordCounts(HtmlText(html)));
        return word.empty() ? std::vector<std::string>() : std::vector<std::string>{word};
      });
  ASSERT_GE(rounds.size(), 3u) << "too few corpus tables to check";
  for (const auto& [stem, round] : rounds) {
    SCOPED_TRACE(stem + ": " + round.texts.front());
    EXPECT_EQ(WordCounts(HtmlText(round.after)), ShownWithout(round));
    EXPECT_EQ(Count(round.after, "<tr"), Count(round.before, "<tr"));
    EXPECT_EQ(Count(round.after, "<td"), Count(round.before, "<td"));
  }
}

// The texts of the last outer row that can go whole: every content item
// of it plain text of three or more bytes with a letter, found once in the
// RTF text and nowhere in the markup the range wrapping adds. Rows holding
// nested tables or empty paragraphs (which stay, and keep their row) are
// passed over.
bool CanHide(const std::string& text, const std::string& rtf) {
  static const std::string wrapping = ExcludeWords("#", {"#"});
  const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  return text.size() >= 3 && text.find_first_of("\\{}") == std::string::npos &&
         std::any_of(text.begin(), text.end(), isLetter) && Count(rtf, text) == 1 &&
         wrapping.find(text) == std::string::npos;
}

std::vector<std::string> PickRowTexts(const std::string& rtf) {
  std::vector<std::string> row, picked;
  bool usable = true, hasCell = false, paragraphEmpty = true;
  for (const ItemRecord& item : Itemise(rtf)) {
    const std::string& text = item.text;
    if (item.kind == ItemParagraph && paragraphEmpty) usable = false;
    paragraphEmpty = item.kind == ItemParagraph || item.kind == ItemCell || item.kind == ItemRow ||
                     (paragraphEmpty && item.kind != ItemContent);
    if (item.kind == ItemContent) {
      usable = usable && CanHide(text, rtf);
      row.push_back(text);
    }
    if (item.kind == ItemNestedCell || item.kind == ItemNestedRow) usable = false;
    if (item.kind == ItemCell) hasCell = true;
    if (item.kind != ItemRow) continue;
    if (usable && hasCell && !row.empty()) picked = row;
    row.clear();
    usable = true;
    hasCell = false;
  }
  return picked;
}

// A row all of whose text goes vanishes for the reader too, and everything
// else, the text after the table included, stays as it was.
TEST(SofficeInterop, CorpusTablesLoseTheirLastRemovableRowWhole) {
  REQUIRE_SOFFICE();
  BTE_REQUIRE_CORPUS();
  const auto rounds = FilterCorpusTables(
      {"rtfpipe_rtf2xml_table_with_header.rtf", "rtfpipe_rtf2xml_table_empty_row.rtf",
       "striprtf_pages_table_sample.rtf", "tika_testRTFTableCellSeparation.rtf",
       "docsharp_table_vertical_merge.rtf", "striprtf_calcium_score.rtf",
       "rtfpipe_nested_table_report.rtf", "docsharp_nested_table_word.rtf"},
      [](const std::string& rtf, const std::string&) { return PickRowTexts(rtf); });
  ASSERT_GE(rounds.size(), 3u) << "too few corpus tables to check";
  for (const auto& [stem, round] : rounds) {
    SCOPED_TRACE(stem + ": " + round.texts.front());
    EXPECT_EQ(WordCounts(HtmlText(round.after)), ShownWithout(round));
    EXPECT_EQ(Count(round.after, "<tr"), Count(round.before, "<tr") - 1);
  }
}

}  // namespace
}  // namespace bte::rtf::testing
