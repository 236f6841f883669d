// The structure rebuilder: takes the items of a filtered RTF document in
// document order, arranges them into sections, paragraphs, table rows and
// cells, and writes the document again without excluded items and without
// the marks of paragraphs, cells and rows that lost all their content, with
// list numbering kept unbroken.
//
// Use: construct over the whole input, StreamTo the output (or not, to have
// it all written by Write), AddItem every item, Write once, then destroy.
// Items point into the input, which must outlive the tree.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H
#define BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"
#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/rtf_section.h"
#include "rtffilter/structure/slab_pool.h"

namespace bte::rtf {

class RtfOutputCursor;

class RtfDocumentTree {
 public:
  RtfDocumentTree(const char* input, uint32_t length);
  RtfDocumentTree(const RtfDocumentTree&) = delete;
  RtfDocumentTree& operator=(const RtfDocumentTree&) = delete;
  virtual ~RtfDocumentTree();

  // Takes ownership of item. 0 for a null item; otherwise a result the
  // caller may ignore.
  int AddItem(RtfItem* item, const ParagraphListState& state);
  // The same for an item that stays the caller's: the tree keeps only its
  // span, so the filter hands over records that live on its stack.
  int AddBorrowedItem(const RtfItem& item, const ParagraphListState& state);
  // A build-tag marker or annotation: it belongs to no paragraph, cell or
  // row and never reaches the output.
  void AddMarker(const RtfItem& item);

  // Writes each part of the output to out as soon as its content is
  // settled, rather than all of it in Write, so that a long document's
  // parts are written while they are fresh in the cache. Called before the
  // first item; Write must then be given the same out.
  void StreamTo(OutputSink& out);

  // Writes the output to out, whose limit is the input's length. Non-zero
  // on success; 0 for an empty input, a document without sections, a
  // section without blocks, or an output that would not fit, with the
  // reason in failure when given.
  int Write(OutputSink& out, FilterResult* failure = nullptr);

 private:
  // Writes the sections before end not yet written; false once one had no
  // blocks (later sections are then not written).
  bool WriteSections(size_t end);
  // AddBorrowedItem where a section begins or ends.
  int AddAtSectionEdge(const RtfItem& item, const ParagraphListState& state);
  RtfOutputCursor& CursorFor(OutputSink& out);

  uint32_t length_;
  const char* text_;
  // Before the sections, which keep their objects in them: paragraphs, rows
  // and cells in blockPool_, list objects in pool_.
  SlabPool pool_;
  SlabPool blockPool_;
  std::vector<std::unique_ptr<RtfSection>> sections_;
  RtfSection* currentSection_ = nullptr;
  size_t writtenSections_ = 0;
  int lastResult_ = 0;                 // of the last section written
  const char* failedSection_ = nullptr;  // where a section without blocks began
  // Markup and excluded content, in input order: whatever the structure
  // decides, these bytes are not copied. The cursor takes away those it
  // has passed, so a document written as it goes holds only the spans ahead
  // of it (a vector would copy a million spans at its growth).
  std::deque<ItemSpan> neverWritten_;
  std::unique_ptr<RtfOutputCursor> cursor_;
  bool streaming_ = false;
};

// Inline: the rebuild hands every token of a document to it.
inline int RtfDocumentTree::AddBorrowedItem(const RtfItem& item, const ParagraphListState& state) {
  if (item.excluded && item.kind == ItemContent) neverWritten_.push_back(ItemSpan::Of(item));
  if (currentSection_ == nullptr || item.kind == ItemSection) return AddAtSectionEdge(item, state);
  return currentSection_->AddItem(item, state);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H
