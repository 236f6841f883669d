// The document as the structure rebuilder sees it: a stream of RtfItem
// records, each with the paragraph state in force after it.
#ifndef BTE_RTFFILTER_STRUCTURE_ITEMS_H
#define BTE_RTFFILTER_STRUCTURE_ITEMS_H

#include <cstdint>

#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"
#include "rtffilter/rtf_item.h"
#include "rtffilter/segment_list.h"

namespace bte::rtf {

class RtfDocumentTree;

// Receives the items in document order. An item lives for the call only:
// the structure tree keeps its span, and a record per item on the heap
// would cost more than building the tree.
class RtfItemSink {
 public:
  virtual ~RtfItemSink() = default;
  virtual void AddItem(const RtfItem& item, const ParagraphListState& state) = 0;
  // A build-tag marker or annotation, whole: an excluded content item to
  // whoever does not tell them apart.
  virtual void AddMarker(const RtfItem& item, const ParagraphListState& state) {
    AddItem(item, state);
  }
};

// Hands every item of the segmented, marked document to sink: markers and
// annotations whole (excluded), and from the other segments their text
// runs, content and structure words, symbols and unit groups, each taking
// its segment's excluded flag.
void GenerateStructureItems(const SegmentList& segments, RtfItemSink& sink);

// Hands every item of the segments to tree, which files them.
void AddItemsToTree(const SegmentList& segments, RtfDocumentTree& tree);

// Writes the segments of the input to out through the structure rebuilder,
// each part as soon as it is settled.
FilterResult RebuildWithStructure(const char* input, uint32_t inputLength,
                                  const SegmentList& segments, OutputSink& out);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_ITEMS_H
