// What filtering promises on any document, checked on thousands of seeded
// documents shaped like real writers' output (generated_documents.h):
// no build-tag markup survives; no text that lies only inside excluded ranges
// survives; every other text does, in order; braces balance and the output is
// never longer than the input; rows keep their cell counts and list numbers
// run on. BTE_PROPERTY_CASES sets how many documents (a long run: a million).
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "generated_documents.h"
#include "rtf_documents.h"

namespace bte::test {
namespace {

uint32_t CaseCount() {
  const char* count = std::getenv("BTE_PROPERTY_CASES");
  return count != nullptr ? static_cast<uint32_t>(std::strtoul(count, nullptr, 10)) : 3000;
}

// The first promise broken by output, or "".
std::string BrokenPromise(const GeneratedDocument& document, const std::string& output) {
  for (const std::string& markup : document.markup)
    if (output.find(markup) != std::string::npos) return "markup survives: " + markup;
  for (const std::string& text : document.excludedTexts)
    if (output.find(text) != std::string::npos) return "excluded text survives: " + text;
  size_t at = 0;
  for (const std::string& text : document.keptTexts) {
    at = output.find(text, at);
    if (at == std::string::npos) return "kept text lost or out of order: " + text;
  }
  if (!BracesBalance(output)) return "braces do not balance";
  if (output.size() > document.rtf.size()) return "output longer than input";
  if (RowsOf(output) != document.rows) return "rows lost cells or a removed row stayed";
  if (NumberTextsOf(output) != document.numbers) return "list numbers do not run on";
  return "";
}

TEST(FilterGuarantees, HoldOnGeneratedDocuments) {
  const uint32_t cases = CaseCount();
  int failures = 0;
  for (uint32_t seed = 1; seed <= cases && failures < 5; ++seed) {
    const GeneratedDocument document = GenerateDocument(seed);
    const auto output = Filter(document.rtf, document.expression.c_str());
    const std::string broken =
        output.has_value() ? BrokenPromise(document, *output) : "filtering failed";
    if (broken.empty()) continue;
    ++failures;
    ADD_FAILURE() << "seed " << seed << ": " << broken << "\n"
                  << document.description << "\nexpression: " << document.expression
                  << "\ninput:  " << document.rtf << "\noutput: " << output.value_or("");
  }
}

// The generator itself: its documents hold what the promises speak of, so
// that a filter that removed nothing, or everything, is caught.
TEST(FilterGuarantees, GeneratedDocumentsCoverTheShapes) {
  int withTables = 0, withNested = 0, withLists = 0, withExclusions = 0, withoutFinalMark = 0;
  for (uint32_t seed = 1; seed <= 500; ++seed) {
    const GeneratedDocument document = GenerateDocument(seed);
    withTables += !RowsOf(document.rtf).empty();
    withNested += document.rtf.find("\\nestrow") != std::string::npos;
    withLists += !document.numbers.empty();
    withExclusions += !document.excludedTexts.empty();
    withoutFinalMark += document.description.find("without-mark") != std::string::npos;
    // With nothing excluded, the model's rows and numbers are the input's.
    if (document.excludedTexts.empty()) {
      EXPECT_EQ(RowsOf(document.rtf), document.rows) << seed;
      EXPECT_EQ(NumberTextsOf(document.rtf), document.numbers) << seed;
    }
  }
  EXPECT_GT(withTables, 100);
  EXPECT_GT(withNested, 20);
  EXPECT_GT(withLists, 100);
  EXPECT_GT(withExclusions, 150);
  EXPECT_GT(withoutFinalMark, 20);
}

}  // namespace
}  // namespace bte::test
