// The word-level checks the dialog runs: splitting into known words, the
// word-order check with its messages, and the Basic form.
#include "editor/word_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/resources.h"

namespace bte::editor {
namespace {

const WordVocabulary kTags({"Print", "Web", "Beta", "x", "y", "a&b"});

// Collects every message as its formatted text.
struct MessageLog {
  std::vector<std::string> texts;
  MessageSink Sink() {
    return [this](uint32_t id, const std::vector<std::string>& args) {
      texts.push_back(FormatResourceString(id, args));
    };
  }
};

struct SplitCase {
  const char* text;
  bool accepted;
  std::vector<std::string> words;  // appended before the first fault
  const char* message;             // "" when none
};

const SplitCase kSplitCases[] = {
    {"NOT Print AND NOT Web", true, {"NOT", "Print", "AND", "NOT", "Web"}, ""},
    {"not print and web", true, {"not", "print", "and", "web"}, ""},
    {"~ Print & Web | Beta", true, {"NOT", "Print", "AND", "Web", "OR", "Beta"}, ""},
    {"Print\r\nAND\tWeb", false, {"Print"}, "The string \"AND\tWeb\" is invalid."},
    {"Print\r\nAND Web", true, {"Print", "AND", "Web"}, ""},
    {"   x    y  ", true, {"x", "y"}, ""},
    {"~x", false, {}, "The string \"~x\" is invalid."},
    {"x & & y", false, {"x", "AND"}, "The string \"&\" is invalid."},  // no overlapping
    {"x&y", false, {}, "The string \"x&y\" is invalid."},
    {"a&b", true, {"a&b"}, ""},
    {"Print Only", false, {"Print"}, "The string \"Only\" is invalid."},
    {"", false, {}, "The string \"\" is invalid."},
    {" \r\n\t ", false, {}, "The string \"\" is invalid."},
    {"x ~", true, {"x", "NOT"}, ""},  // the blank added at the end counts
};

TEST(SplitExpressionWords, WordsAndFirstFault) {
  for (const SplitCase& row : kSplitCases) {
    SCOPED_TRACE(row.text);
    MessageLog log;
    std::vector<std::string> words;
    EXPECT_EQ(SplitExpressionWords(row.text, kTags, words, log.Sink()), row.accepted);
    EXPECT_EQ(words, row.words);
    const std::vector<std::string> expected =
        *row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{};
    EXPECT_EQ(log.texts, expected);

    std::vector<std::string> silent;
    EXPECT_EQ(SplitExpressionWords(row.text, kTags, silent, MessageSink()), row.accepted);
  }
}

struct OrderCase {
  std::vector<std::string> words;
  const char* message;  // "" when accepted
};

const OrderCase kOrderCases[] = {
    {{}, ""},
    {{"NOT"}, ""},  // first and NOT; the last-word rule needs two words
    {{"x"}, ""},
    {{"NOT", "x", "AND", "NOT", "y"}, ""},
    {{"x", "AND", "NOT", "OR", "y"}, ""},  // keyword positions are not checked
    {{"AND", "x"}, "The first operator is not ~ ( NOT )."},
    {{"or"}, "The first operator is not ~ ( NOT )."},
    {{"x", "AND"}, "The last string is not a tag."},
    {{"NOT", "not"}, "The last string is not a tag."},
    {{"x", "y"}, "The tag \"x\" and \"y\" should be seperated by operator."},
    {{"NOT", "x", "Web", "AND", "y"}, "The tag \"x\" and \"Web\" should be seperated by operator."},
    {{"x", "NOT", "y"}, "The ~ ( NOT ) operator misuse."},
    {{"x", "OR", "X"}, "The second tag \"x\" misplaced."},
    {{"x", "AND", "OR", "y"}, "The operator \"OR\" misused."},
    {{"x", "or", "and", "y"}, "The operator \"and\" misused."},
    {{"NOT", "x", "AND", "NOT", "x"}, ""},  // the same tag two words apart only
};

TEST(CheckBasicWordOrder, FirstFaultEndsTheCheck) {
  for (const OrderCase& row : kOrderCases) {
    std::string joined;
    for (const std::string& word : row.words) joined += word + " ";
    SCOPED_TRACE(joined);
    MessageLog log;
    EXPECT_EQ(CheckBasicWordOrder(row.words, kTags, log.Sink()), *row.message == '\0');
    const std::vector<std::string> expected =
        *row.message ? std::vector<std::string>{row.message} : std::vector<std::string>{};
    EXPECT_EQ(log.texts, expected);
  }
}

struct FormCase {
  const char* text;
  bool basic;
};

const FormCase kFormCases[] = {
    {"", true},
    {"NOT Print", true},
    {" NOT Print AND NOT Web", true},
    {"not print and not web", true},
    {"NOT Print & NOT Web", true},
    {"NOT Print b", false},  // b is no known tag
    {"NOT Print y", true},   // two tags after one NOT pass the scan
    {"   ", false},
    {"NOT", false},
    {"Print", false},
    {"NOT NOT Print", false},
    {"NOT Print AND Web", false},
    {"NOT Print NOT Web", false},
    {"NOT Print OR NOT Web", false},
    {"NOT Print AND AND NOT Web", false},
    {"NOT Print AND NOT", false},
};

TEST(HasBasicForm, NotTagAndNotTag) {
  for (const FormCase& row : kFormCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(HasBasicForm(row.text, kTags), row.basic);
  }
}

TEST(SymbolsToWords, OnlySymbolsBetweenBlanks) {
  EXPECT_EQ(SymbolsToWords(" ~ a & b | c "), " NOT a AND b OR c ");
  EXPECT_EQ(SymbolsToWords(" a&b ~c | "), " a&b ~c OR ");
  EXPECT_EQ(SymbolsToWords(" & & & "), " AND & AND ");
}

}  // namespace
}  // namespace bte::editor
