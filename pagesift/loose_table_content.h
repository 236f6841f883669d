// Text and elements that an author wrote directly in a table, outside its
// cells and caption, are no part of it: HTML moves them out and browsers
// show them before the table. So deleting a table leaves them standing.
#ifndef PAGESIFT_LOOSE_TABLE_CONTENT_H
#define PAGESIFT_LOOSE_TABLE_CONTENT_H

#include <cstdint>

#include "pagesift/token_item.h"

namespace pagesift {

// Told a table's tokens in order, its start tag first, says which are
// loose. Whitespace between two loose pieces goes with them; comments,
// forms, scripts, styles and templates are the table's own.
class LooseTableContent {
 public:
  bool Holds(const CHtmlTokenItem& token);

 private:
  int depth_ = 0;       // tables open, this one included
  uint32_t part_ = 0;   // the cell, caption or script open in this table, or 0
  bool inRun_ = false;  // the last token was loose
};

}  // namespace pagesift

#endif  // PAGESIFT_LOOSE_TABLE_CONTENT_H
