#include "pagesift/loose_table_content.h"

#include <algorithm>
#include <string_view>

#include "pagesift/containment_rules.h"
#include "pagesift/tag_codes.h"
#include "pagesift/tag_scanner.h"

namespace pagesift {
namespace {

bool IsWhitespace(std::string_view text) { return std::all_of(text.begin(), text.end(), IsHtmlSpace); }

// Parts of a table that hold what follows their start tag up to their end:
// cells and the caption, and what HTML keeps in a table with its content.
bool OpensPart(uint32_t id) {
  switch (id) {
    case kTagTableCell:
    case kTagTableHeaderCell:
    case kTagTableCaption:
    case kTagScript:
    case kTagStyle:
    case kTagTemplate: return true;
    default: return false;
  }
}

bool IsCellLike(uint32_t part) {
  return part == kTagTableCell || part == kTagTableHeaderCell || part == kTagTableCaption;
}

// Its own end tag ends a part; the next cell, row or section ends a cell or
// the caption too.
bool EndsPart(uint32_t part, const CHtmlTagItem& tag) {
  const uint32_t id = tag.GetTagId() & ~kEndTagBit;
  if (tag.IsEndTag() && id == part) return true;
  return IsCellLike(part) && rules::IsTableStructure(id);
}

}  // namespace

bool LooseTableContent::Holds(const CHtmlTokenItem& token) {
  const CHtmlTagItem* tag = token.IsTagToken() ? static_cast<const CHtmlTagItem*>(&token) : nullptr;
  const uint32_t id = tag != nullptr ? tag->GetTagId() & ~kEndTagBit : 0;
  if (id == kTagTable) depth_ += tag->IsEndTag() ? -1 : 1;
  if (depth_ != 1 || id == kTagTable) return inRun_ = false;
  if (part_ != 0 && tag != nullptr && EndsPart(part_, *tag)) part_ = 0;
  if (part_ == 0 && tag != nullptr && !tag->IsEndTag() && OpensPart(id)) part_ = id;
  if (part_ != 0 || IsCellLike(id)) return inRun_ = false;
  if (tag == nullptr) return inRun_ = inRun_ || !IsWhitespace(token.GetSourceText());
  const bool tableOwn = rules::IsTableStructure(id) || id == kTagForm || tag->IsMarkupTag() || OpensPart(id);
  return inRun_ = !tableOwn;
}

}  // namespace pagesift
