// The rebuilder writes each part of a document as soon as nothing in it can
// change any more (no open paragraph or row, no list entry whose fate is
// open) and reuses its memory. Whatever the document, that must give the
// bytes that building the whole tree and writing it at the end gives.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "hidden_ranges.h"

namespace bte::rtf::testing {
namespace {

// Seeded documents of list paragraphs (the host's list text, number texts
// for readers, both in one paragraph, on several lists and levels), body
// paragraphs, table rows with list paragraphs in their cells, nested rows
// and section breaks, with excluded ranges ("<<", ">>") opened and closed
// at random, across paragraph, row and section ends.
class ListDocument {
 public:
  explicit ListDocument(uint32_t seed, int parts = 40) : random_(seed), parts_(parts) {}

  std::string Make() {
    std::string rtf = "{\\rtf1\\ansi ";
    for (int part = 0; part < parts_; ++part) {
      if (Pick(4) == 0) Open(rtf);
      AddPart(rtf);
      if (open_ > 0 && Pick(3) == 0) Close(rtf);
    }
    while (open_ > 0) Close(rtf);
    return ExpandMarks(rtf + "End\\par }");
  }

 private:
  int Pick(int count) { return static_cast<int>(random_() % count); }
  void Open(std::string& rtf) {
    rtf += "<<";
    ++open_;
  }
  void Close(std::string& rtf) {
    rtf += ">>";
    --open_;
  }
  std::string Text() { return "t" + std::to_string(++text_); }

  std::string ListParagraph(const std::string& table) {
    const int level = Pick(4), number = 1 + Pick(5);
    std::string state = "\\pard" + table + "\\ls" + std::to_string(1 + Pick(2)) + "\\ilvl" +
                        std::to_string(level);
    const std::string hostText = " {" + std::to_string(number) + ".}{\\tab}{\\*\\listtextkvt}";
    const std::string readerText = "{\\listtext " + std::to_string(number) + ".\\tab}";
    switch (Pick(4)) {
      case 0: return "{" + state + hostText + Text() + "\\par}";
      case 1: return state + " " + readerText + Text() + "\\par ";
      case 2: return "{" + state + hostText + readerText + Text() + "\\par}";
      default: return "{\\pntext\\f0 " + std::to_string(number) + ".\\tab}" + Text() + "\\par ";
    }
  }

  std::string Cell() {
    std::string cell = Pick(2) == 0 ? ListParagraph("\\intbl") : "\\pard\\intbl " + Text();
    if (Pick(4) == 0) cell = "<<" + cell + ">>";
    return cell + "\\cell ";
  }

  void AddPart(std::string& rtf) {
    switch (Pick(9)) {
      case 0: case 1: case 2: case 3:
        rtf += ListParagraph("");
        break;
      case 4:
        rtf += "\\pard " + Text() + "\\par ";
        break;
      case 5:
        rtf += "\\trowd\\cellx1000\\cellx2000 " + Cell() + Cell() + "\\row ";
        break;
      case 6:
        rtf += "\\trowd\\cellx2000 \\pard\\intbl\\itap2 " + Text() +
               "\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}"
               "{\\nonesttables\\par}\\pard\\intbl " + Text() + "\\cell\\row ";
        break;
      case 7:
        // A section without a paragraph would fail the document.
        rtf += "\\pard " + Text() + "\\par \\sect ";
        break;
      default:
        // A body paragraph inside a table row that is not closed yet.
        rtf += "\\trowd\\cellx1000 \\pard\\intbl " + Text() + "\\cell \\pard " + Text() +
               "\\par \\row ";
        break;
    }
  }

  std::mt19937 random_;
  int parts_;
  int open_ = 0;
  int text_ = 0;
};

// A document that fails (a section without a paragraph) fails either way.
TEST(StreamedWriting, ListDocumentsComeOutAsWrittenAtTheEnd) {
  int written = 0;
  for (uint32_t seed = 1; seed <= 600; ++seed) {
    const std::string rtf = ListDocument(seed).Make();
    const std::string atTheEnd = RebuildAtTheEnd(rtf);
    ASSERT_EQ(Rebuild(rtf), atTheEnd) << "seed " << seed << ": " << rtf;
    written += atTheEnd != "<failed>";
  }
  EXPECT_GE(written, 590);
}

// Long enough for the memory of written parts to be used again, many times.
TEST(StreamedWriting, LongListDocumentsComeOutAsWrittenAtTheEnd) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    const std::string rtf = ListDocument(seed, 20000).Make();
    const std::string atTheEnd = RebuildAtTheEnd(rtf);
    ASSERT_NE(atTheEnd, "<failed>");
    ASSERT_EQ(Rebuild(rtf), atTheEnd) << "seed " << seed;
  }
}

// A paragraph of thousands of items, every one excluded, loses its mark
// however far its items spread through the section's memory.
TEST(StreamedWriting, LongParagraphOfExcludedItemsLosesItsMark) {
  std::string input = "{\\rtf1 ", expected = input;
  for (int word = 0; word < 5000; ++word) {
    input += "\\b <<w" + std::to_string(word) + ">>";
    expected += "\\b ";
  }
  EXPECT_EQ(Rebuild(ExpandMarks(input + "\\par After\\par }")), expected + "After\\par }");
}

// A removed entry that is the last of its list holds the writing back while
// a body paragraph and its sub-entries follow: the first sub-entry keeps it
// (its list text and mark stay), though the second is removed too.
TEST(StreamedWriting, RemovedEntryWaitsForItsSubEntries) {
  auto entry = [](int level, const std::string& number) {
    return "{\\pard\\ls1\\ilvl" + std::to_string(level) + " {" + number +
           "}{\\tab}{\\*\\listtextkvt}";
  };
  const std::string rtf = ExpandMarks(
      entry(0, "1.") + "one\\par}" + entry(0, "2.") + "<<two>>\\par}\\pard Between\\par " +
      entry(1, "a.") + "sub a\\par}" + entry(1, "b.") + "<<sub b>>\\par}" + entry(0, "3.") +
      "three\\par}\\pard After\\par }");
  const std::string written = Rebuild(rtf);
  EXPECT_EQ(written, RebuildAtTheEnd(rtf));
  EXPECT_NE(written.find("{2.}{\\tab}{\\*\\listtextkvt}\\par}"), std::string::npos) << written;
  EXPECT_NE(written.find("{3.}{\\tab}{\\*\\listtextkvt}three"), std::string::npos) << written;
}

}  // namespace
}  // namespace bte::rtf::testing
