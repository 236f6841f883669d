// Tables after removal: excluded cells keep their place but lose their
// content, so empty cells get a filler paragraph (browsers collapse truly
// empty cells), and a table whose every data cell ended up empty goes, but
// for what its author wrote outside its cells.
#include "htmlfilter/filter_pass.h"

namespace bte {
namespace {

using pagesift::kEndTagBit;
using pagesift::kTagEmbed;
using pagesift::kTagImage;
using pagesift::kTagObject;
using pagesift::kTagTable;
using pagesift::kTagTableCaption;
using pagesift::kTagTableCell;
using pagesift::kTagTableHeaderCell;
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

bool IsWhitespace(std::string_view text) {
  return text.find_first_not_of(" \t\r\n\f") == std::string_view::npos;
}

// Parts of a table that hold what follows their start tag up to their end:
// cells and the caption, and what HTML keeps in a table with its content
// (scripts, styles, templates).
bool OpensPart(uint32_t id) {
  switch (id) {
    case kTagTableCell:
    case kTagTableHeaderCell:
    case kTagTableCaption:
    case pagesift::kTagScript:
    case pagesift::kTagStyle:
    case pagesift::kTagTemplate: return true;
    default: return false;
  }
}

bool EndsPart(uint32_t part, const CHtmlTagItem& tag) {
  const uint32_t id = tag.GetTagId() & ~kEndTagBit;
  if (tag.IsEndTag() && id == part) return true;
  // The next cell, row or section ends a cell or the caption.
  const bool cellLike = part == kTagTableCell || part == kTagTableHeaderCell || part == kTagTableCaption;
  return cellLike && pagesift::rules::IsTableStructure(id);
}

// Text and elements that an author put directly in a table, outside its
// cells and caption, browsers show before the table: they are no part of
// it. A pass over the table's tokens tells them apart. Comments and forms
// there are the table's own.
class LooseContent {
 public:
  // Whether the token, the next of the table (its start tag first), is such.
  bool Holds(const CHtmlTokenItem& token) {
    const CHtmlTagItem* tag = token.IsTagToken() ? static_cast<const CHtmlTagItem*>(&token) : nullptr;
    const uint32_t id = tag != nullptr ? tag->GetTagId() & ~kEndTagBit : 0;
    if (id == kTagTable) depth_ += tag->IsEndTag() ? -1 : 1;
    if (depth_ != 1 || id == kTagTable) return inRun_ = false;
    if (part_ != 0 && tag != nullptr && EndsPart(part_, *tag)) part_ = 0;
    if (part_ == 0 && tag != nullptr && !tag->IsEndTag() && OpensPart(id)) part_ = id;
    if (part_ != 0 || id == kTagTableCell || id == kTagTableHeaderCell || id == kTagTableCaption)
      return inRun_ = false;
    if (tag == nullptr) return inRun_ = inRun_ || !IsWhitespace(token.GetSourceText());
    const bool tableOwn = pagesift::rules::IsTableStructure(id) || id == pagesift::kTagForm ||
                          tag->IsMarkupTag() || OpensPart(id);
    return inRun_ = !tableOwn;
  }

 private:
  int depth_ = 0;
  uint32_t part_ = 0;   // the cell, caption or script open, or 0
  bool inRun_ = false;  // whitespace between two loose pieces stays with them
};

}  // namespace

void HtmlFilterPass::DeleteEmptiedTable(HtmlPosition start) {
  const HtmlPosition end = document_->FindElementEnd(start);
  LooseContent loose;
  for (HtmlPosition at = start; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    CHtmlTokenItem* token = CHtmlTokenList::GetAt(at);
    // Removed tokens too show where cells begin and end.
    if (!loose.Holds(*token)) token->DiscardToken();
    if (at == end) break;
  }
}

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
        if (table.AllCellsEmpty()) DeleteEmptiedTable(table.start);
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
