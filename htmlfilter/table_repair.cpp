// Tables after removal: excluded cells keep their place but lose their
// content, so empty cells get a filler paragraph (browsers collapse truly
// empty cells), and a table whose every data cell ended up empty goes.
#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kEndTagBit;
using pagesift::kTagEmbed;
using pagesift::kTagImage;
using pagesift::kTagObject;
using pagesift::kTagTable;
using pagesift::kTagTableCell;
using pagesift::kTagTableRow;

// The counters of one outermost table.
struct TableTally {
  HtmlPosition start = nullptr;
  int depth = 0;
  int cells = 0;
  int emptyCells = 0;

  bool AllCellsEmpty() const { return start != nullptr && cells >= 1 && cells == emptyCells; }
  void Reset() { start = nullptr; cells = emptyCells = 0; }
};

}  // namespace

HtmlPosition HtmlFilterPass::FirstPosition() const {
  const HtmlPosition start = document_->GetStartPosition();
  return start != nullptr ? start : document_->GetTokenList()->GetHeadPosition();
}

int HtmlFilterPass::RepairTables() {
  TableTally table;
  for (const CleanupTag& found : CleanupTags()) {
    const HtmlPosition at = found.position;
    if (at->IsDiscardedToken()) continue;
    const uint32_t id = found.id;
    if (id == kTagTable) {
      if (table.depth == 0) table.start = at;
      ++table.depth;
    } else if (id == kTagTableCell) {
      const int filled = FillEmptyCell(at);
      if (table.depth == 1) {
        ++table.cells;
        table.emptyCells += filled;
      }
    } else if (id == (kTagTable | kEndTagBit) && table.depth > 0) {
      // A stray end tag outside any table closes nothing.
      if (--table.depth == 0) {
        if (table.AllCellsEmpty()) document_->DeleteEntity(table.start);
        table.Reset();
      }
    }
  }
  return 1;
}

int HtmlFilterPass::CellHasContent(HtmlPosition position) const {
  int level = -1;
  for (HtmlPosition at = position; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    if (token->IsDiscardedToken()) continue;
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr) return 1;
    const uint32_t id = tag->GetTagId();
    if (id == kTagTableCell) {
      ++level;
    } else if (id == (kTagTableCell | kEndTagBit)) {
      if (level == 0) return 0;
      --level;
    } else if (id == kTagImage || id == kTagTableRow || id == kTagObject || id == kTagEmbed) {
      return 1;
    }
  }
  return 0;
}

int HtmlFilterPass::FillEmptyCell(HtmlPosition position) {
  if (CellHasContent(position)) return 0;
  CHtmlTokenList* tokens = document_->GetTokenList();
  const HtmlPosition open = tokens->InsertAfter(position, new CHtmlTagItem("<p>"));
  const HtmlPosition space = tokens->InsertAfter(open, new CHtmlTextItem("&nbsp;"));
  tokens->InsertAfter(space, new CHtmlTagItem("</p>"));
  return 1;
}

int HtmlFilterPass::RangeHasContent(HtmlPosition start, HtmlPosition end) const {
  if (document_->GetTokenList() == nullptr || start == nullptr || end == nullptr) return 1;
  for (HtmlPosition at = start; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    if (!token->IsDiscardedToken()) {
      const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
      if (tag == nullptr || tag->GetTagId() == kTagImage) return 1;
    }
    if (at == end) break;
  }
  return 0;
}

}  // namespace bte
