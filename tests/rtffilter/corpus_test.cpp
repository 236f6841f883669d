// Real documents written by word processors: untouched when they carry no
// build tags, and with build-tag ranges inserted, filtered on their real
// formatting. (Ranges around their paragraphs and words are golden outputs.)
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "tests/support/corpus.h"

namespace bte::test {
namespace {

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir() / "rtf"))
    if (entry.path().extension() == ".rtf") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// None of these documents carries build-tag annotations; several carry the
// word processor's own comments, which must survive. The folder is read when
// the test runs, so that listing the tests needs no corpus.
TEST(CorpusRoundTripTest, EveryDocumentComesOutByteForByte) {
  BTE_REQUIRE_CORPUS();
  const std::vector<std::string> names = CorpusFiles();
  EXPECT_GE(names.size(), 50u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string original = ReadCorpusFile(name);
    for (const char* expression : {"Print", "NOT Print", "", "A AND NOT B OR C", "~"}) {
      EXPECT_EQ(Filter(original, expression), original) << "expression: " << expression;
    }
    EXPECT_EQ(Filter(original, nullptr), original) << "without a parser";
  }
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("not found: " + from);
  return text.replace(at, from.size(), to);
}

// Puts a build-tag range with tags around the first `piece`, the annotation
// right after the end marker.
std::string Wrap(const std::string& document, const std::string& piece, int number,
                 const std::string& tags) {
  return Replace(document, piece, Tagged(number, piece, tags));
}

TEST(InsertedRangesInWordTest, OrdinaryCommentBesideABuildTagRange) {
  BTE_REQUIRE_CORPUS();
  // A Word document with a reviewer's comment on "text"; the build-tag range
  // goes around the words before it.
  const std::string word = ReadCorpusFile("tika_testComment.rtf");
  const std::string tagged = Wrap(word, "ere is some ", 1, "Draft");
  const auto filtered = Filter(tagged, "NOT Draft");
  EXPECT_EQ(filtered, Replace(word, "ere is some ", ""));
  ASSERT_TRUE(filtered.has_value());
  EXPECT_NE(filtered->find("{\\*\\atnauthor Michael McCandless}"), std::string::npos);
  EXPECT_EQ(Filter(tagged, "Draft"), word);
}

TEST(InsertedRangesInWordTest, WholeSectionParagraph) {
  BTE_REQUIRE_CORPUS();
  // Word's section breaks: the tagged paragraph goes, \sect stays, and the
  // next paragraph keeps its mark.
  const std::string sections = ReadCorpusFile("rtfpipe_rtf2xml_sections_next_page.rtf");
  const std::string tagged = Wrap(sections, "Section two\r\\par ", 1, "Print");
  EXPECT_EQ(Filter(tagged, "NOT Print"), Replace(sections, "Section two\r\\par ", "\r"));
  EXPECT_EQ(Filter(tagged, "Print"), sections);
}

}  // namespace
}  // namespace bte::test
