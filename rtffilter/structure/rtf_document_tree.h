// The structure rebuilder: takes the items of a filtered RTF document in
// document order, arranges them into sections, paragraphs, table rows and
// cells, and writes the document again without excluded items and without
// the marks of paragraphs, cells and rows that lost all their content, with
// list numbering kept unbroken.
//
// Use: construct over the whole input, AddItem every item, Write once, then
// destroy. Items point into the input, which must outlive the tree.
#ifndef BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H
#define BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H

#include <cstdint>
#include <memory>
#include <vector>

#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"
#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/slab_pool.h"

namespace bte::rtf {

class RtfSection;

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

  // Writes the output to out, whose limit is the input's length. Non-zero
  // on success; 0 for an empty input, a document without sections, a
  // section without blocks, or an output that would not fit, with the
  // reason in failure when given.
  int Write(OutputSink& out, FilterResult* failure = nullptr);

 private:
  uint32_t length_;
  const char* text_;
  SlabPool pool_;  // before the sections, which keep their objects in it
  std::vector<std::unique_ptr<RtfSection>> sections_;
  RtfSection* currentSection_ = nullptr;
  // Markup and excluded content, in input order: whatever the structure
  // decides, these bytes are not copied. In the pool: a vector of a
  // million spans would be copied, and its pages cleared, at every growth.
  ArenaDeque<ItemSpan> neverWritten_{SlabAllocator<ItemSpan>(pool_)};
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_RTF_DOCUMENT_TREE_H
