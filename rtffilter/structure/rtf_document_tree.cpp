#include "rtffilter/structure/rtf_document_tree.h"

#include "rtffilter/structure/output_cursor.h"
#include "rtffilter/structure/rtf_section.h"

namespace bte::rtf {

RtfDocumentTree::RtfDocumentTree(const char* input, uint32_t length)
    : length_(length), text_(input) {}

RtfDocumentTree::~RtfDocumentTree() = default;

int RtfDocumentTree::AddItem(RtfItem* item, const ParagraphListState& state) {
  if (item == nullptr) return 0;
  // The tree keeps the item's span; the record itself goes at once.
  const std::unique_ptr<RtfItem> owned(item);
  return AddBorrowedItem(*owned, state);
}

int RtfDocumentTree::AddBorrowedItem(const RtfItem& item, const ParagraphListState& state) {
  if (currentSection_ == nullptr) {
    sections_.push_back(std::make_unique<RtfSection>(pool_));
    currentSection_ = sections_.back().get();
  }
  if (item.kind == ItemSection) {
    const int result = currentSection_->SetSectionEnd(item);
    currentSection_ = nullptr;
    return result;
  }
  return currentSection_->AddItem(item, state);
}

int RtfDocumentTree::Write(char*& outCursor) {
  if (text_ == nullptr || length_ == 0 || outCursor == nullptr) return 0;
  RtfOutputCursor cursor(text_, length_, outCursor);
  int result = 0;
  for (const auto& section : sections_) {
    result = section->Write(cursor);
    if (result == 0) return 0;
  }
  cursor.CopyUpTo(text_ + length_);
  return cursor.overflowed() ? 0 : result;
}

}  // namespace bte::rtf
