#include "rtffilter/structure/rtf_document_tree.h"

#include "rtffilter/structure/output_cursor.h"

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

int RtfDocumentTree::AddAtSectionEdge(const RtfItem& item, const ParagraphListState& state) {
  if (currentSection_ == nullptr) {
    sections_.push_back(std::make_unique<RtfSection>(blockPool_, pool_, text_, text_ + length_));
    currentSection_ = sections_.back().get();
    if (streaming_) currentSection_->StreamTo(*cursor_);
  }
  if (item.kind == ItemSection) {
    currentSection_->FileOpenParagraph();
    const int result = currentSection_->SetSectionEnd(item);
    currentSection_ = nullptr;
    if (streaming_) WriteSections(sections_.size());
    return result;
  }
  return currentSection_->AddItem(item, state);
}

RtfOutputCursor& RtfDocumentTree::CursorFor(OutputSink& out) {
  if (cursor_ == nullptr) {
    cursor_ = std::make_unique<RtfOutputCursor>(text_, length_, out);
    cursor_->NeverWrite(neverWritten_);
  }
  return *cursor_;
}

void RtfDocumentTree::StreamTo(OutputSink& out) {
  if (text_ == nullptr || length_ == 0) return;
  CursorFor(out);
  streaming_ = true;
}

bool RtfDocumentTree::WriteSections(size_t end) {
  for (; writtenSections_ < end && failedSection_ == nullptr; ++writtenSections_) {
    RtfSection& section = *sections_[writtenSections_];
    lastResult_ = section.Write(*cursor_);
    if (lastResult_ == 0) failedSection_ = section.StartText();
    // The next section's blocks reuse the block pool.
    if (streaming_) sections_[writtenSections_].reset();
    // Sections after a failed one stay unwritten, and so keep their memory.
    if (lastResult_ == 0) streaming_ = false;
  }
  return failedSection_ == nullptr;
}

int RtfDocumentTree::Write(OutputSink& out, FilterResult* failure) {
  FilterResult unused;
  FilterResult& result = failure != nullptr ? *failure : unused;
  result = Failure(FailureReason::kSectionWithoutParagraph);
  if (text_ == nullptr || length_ == 0) return 0;
  if (currentSection_ != nullptr) currentSection_->FileOpenParagraph();
  RtfOutputCursor& cursor = CursorFor(out);
  if (!WriteSections(sections_.size())) {
    result.offset = static_cast<uint32_t>(failedSection_ - text_);
    return 0;
  }
  cursor.CopyUpTo(text_ + length_);
  if (cursor.overflowed()) {
    result = Failure(FailureReason::kOutputOutgrowsInput);
    return 0;
  }
  if (lastResult_ != 0) result = FilterResult();
  return lastResult_;
}

}  // namespace bte::rtf
