// The rules for inserting a tag or keyword into the Advanced edit box.
#include "editor/insertion_rules.h"

#include <gtest/gtest.h>

namespace bte::editor {
namespace {

const WordVocabulary kTags({"x", "y", "Print", "Print2"});

struct InsertionCase {
  const char* text;
  TextRange selection;
  const char* word;
  const char* previousTag;
  bool accepted;
  const char* newText;  // when accepted
  const char* newPreviousTag;
};

const InsertionCase kCases[] = {
    // Empty text (trailing white space does not count).
    {"", {}, "AND", "", false, "", ""},
    {"  ", {}, "OR", "", false, "", ""},
    {"", {}, "NOT", "x", true, "NOT", "x"},
    {" \n", {}, "x", "y", true, "x", ""},
    {"", {}, "", "", false, "", ""},
    // A selection is replaced without rules or blanks.
    {"NOT x AND y", {4, 5}, "AND", "", true, "NOT AND AND y", ""},
    {"x y", {0, 3}, "y", "q", true, "y", "q"},
    {"NOT x", {5, 5}, "NOT", "", false, "", ""},  // an empty selection is no selection
    // After a tag.
    {"NOT x", {}, "y", "", true, "NOT x OR y", "x"},
    {"NOT x  ", {}, "AND", "", true, "NOT x AND", "x"},
    {"x", {}, "OR", "q", true, "x OR", "x"},
    {"x", {}, "NOT", "", false, "", ""},
    {"x", {}, "x", "", false, "", ""},
    {"Print2", {}, "print", "", false, "", ""},  // occurs inside the last word
    {"PRINT", {}, "Print2", "", true, "PRINT OR Print2", "PRINT"},
    // After a keyword.
    {"x AND", {}, "NOT", "x", true, "x AND NOT", "x"},
    {"x AND", {}, "AND", "x", false, "", "x"},
    {"x AND", {}, "OR", "x", false, "", "x"},
    {"x or", {}, "NOT", "x", true, "x or NOT", "x"},
    {"NOT", {}, "NOT", "", false, "", ""},
    {"NOT", {}, "AND", "", false, "", ""},
    {"x AND", {}, "X", "x", false, "", "x"},
    {"x AND", {}, "y", "x", true, "x AND y", "x"},
    // After anything else.
    {"foo", {}, "AND", "", true, "foo AND", ""},
    {"x(", {}, "x", "", true, "x( x", ""},
};

TEST(DecideInsertion, Rules) {
  for (const InsertionCase& row : kCases) {
    SCOPED_TRACE(std::string(row.text) + " + " + row.word);
    const Insertion insertion =
        DecideInsertion(row.text, row.selection, row.word, row.previousTag, kTags);
    EXPECT_EQ(insertion.accepted, row.accepted);
    if (row.accepted) {
      EXPECT_EQ(insertion.text, row.newText);
    }
    EXPECT_EQ(insertion.previousTag, row.newPreviousTag);
  }
}

}  // namespace
}  // namespace bte::editor
