// Real documents written by word processors come out untouched when they
// carry no build tags. (With ranges around their paragraphs and cells, their
// ordinary comments and section breaks beside them, they are golden outputs.)
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

}  // namespace
}  // namespace bte::test
