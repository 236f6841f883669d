// Where a word inserted by the Advanced mode's buttons goes: the word-order
// rules that keep the typed expression close to a valid one.
#ifndef BTE_EDITOR_INSERTION_RULES_H
#define BTE_EDITOR_INSERTION_RULES_H

#include <cstddef>
#include <string>
#include <string_view>

#include "editor/word_check.h"

namespace bte::editor {

// A selection in an edit box: byte offsets, start <= end.
struct TextRange {
  size_t start = 0;
  size_t end = 0;
  bool empty() const { return start == end; }
};

struct Insertion {
  bool accepted = false;
  std::string text;         // the edit box's new text when accepted
  std::string previousTag;  // the tag that stood last before an operator
};

// Inserting word (a tag or an operator keyword) into editText whose current
// selection is selection. A refused insertion leaves previousTag unchanged.
Insertion DecideInsertion(std::string_view editText, TextRange selection, std::string_view word,
                          std::string_view previousTag, const WordVocabulary& vocabulary);

}  // namespace bte::editor

#endif  // BTE_EDITOR_INSERTION_RULES_H
