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

void RtfDocumentTree::AddMarker(const RtfItem& item) {
  neverWritten_.push_back(ItemSpan::Of(item));
}

int RtfDocumentTree::AddBorrowedItem(const RtfItem& item, const ParagraphListState& state) {
  if (item.excluded && item.kind == ItemContent) neverWritten_.push_back(ItemSpan::Of(item));
  if (currentSection_ == nullptr) {
    sections_.push_back(std::make_unique<RtfSection>(pool_, text_, text_ + length_));
    currentSection_ = sections_.back().get();
  }
  if (item.kind == ItemSection) {
    currentSection_->FileOpenParagraph();
    const int result = currentSection_->SetSectionEnd(item);
    currentSection_ = nullptr;
    return result;
  }
  return currentSection_->AddItem(item, state);
}

int RtfDocumentTree::Write(OutputSink& out, FilterResult* failure) {
  FilterResult unused;
  FilterResult& result = failure != nullptr ? *failure : unused;
  result = Failure(FailureReason::kSectionWithoutParagraph);
  if (text_ == nullptr || length_ == 0) return 0;
  if (currentSection_ != nullptr) currentSection_->FileOpenParagraph();
  RtfOutputCursor cursor(text_, length_, out);
  cursor.NeverWrite(neverWritten_);
  int written = 0;
  for (const auto& section : sections_) {
    written = section->Write(cursor);
    if (written == 0) {
      result.offset = static_cast<uint32_t>(section->StartText() - text_);
      return 0;
    }
  }
  cursor.CopyUpTo(text_ + length_);
  if (cursor.overflowed()) {
    result = Failure(FailureReason::kOutputOutgrowsInput);
    return 0;
  }
  if (written != 0) result = FilterResult();
  return written;
}

}  // namespace bte::rtf
