// The words that give a table its shape: row and cell definitions, their
// borders and padding, and the nesting depth of its paragraphs. A row that
// vanishes takes the ones it carries along; left behind, they make a reader
// build a row of their own or lose the table around them.
#ifndef BTE_RTFFILTER_STRUCTURE_TABLE_WORDS_H
#define BTE_RTFFILTER_STRUCTURE_TABLE_WORDS_H

#include <cstdint>

namespace bte::rtf {

// letters: a control word's name without its backslash, count bytes.
bool IsTableWord(const char* letters, uint32_t count);

struct InputSpan {
  const char* begin;
  const char* end;
};

// Walks input pieces in order, finding table words: each with its parameter
// and delimiter space. \bin data and hidden destination groups (stylesheet,
// headers, bookmarks, ...) are stepped over untouched, also when a piece
// ends inside them.
class TableWordFinder {
 public:
  // Pieces lie within [input, inputEnd).
  TableWordFinder(const char* input, const char* inputEnd)
      : inputEnd_(inputEnd), untouchedEnd_(input) {}

  // The first table word in [from, to), or false when there is none.
  bool Next(const char* from, const char* to, InputSpan& word);

 private:
  const char* inputEnd_;
  const char* untouchedEnd_;  // \bin data or passed-over group runs to here
};

// The last \pard in [from, to), or from when there is none: where the
// paragraphs of a nested row begin, after the words of the row around it.
const char* LastParagraphReset(const char* from, const char* to);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_TABLE_WORDS_H
