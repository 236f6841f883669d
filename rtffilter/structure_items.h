// The document as the structure rebuilder sees it: a stream of RtfItem
// records, each with the paragraph state in force after it.
#ifndef BTE_RTFFILTER_STRUCTURE_ITEMS_H
#define BTE_RTFFILTER_STRUCTURE_ITEMS_H

#include "rtffilter/filter_pass.h"
#include "rtffilter/rtf_item.h"

namespace bte::rtf {

// Receives the items in document order. An item lives for the call only:
// the structure tree keeps its span, and a record per item on the heap
// would cost more than building the tree.
class RtfItemSink {
 public:
  virtual ~RtfItemSink() = default;
  virtual void AddItem(const RtfItem& item, const ParagraphListState& state) = 0;
};

// Hands every item of the segmented, marked document to sink: markers and
// annotations whole (excluded), and from the other segments their text
// runs, content and structure words, symbols and unit groups, each taking
// its segment's excluded flag.
void GenerateStructureItems(RTFFilterPass& pass, RtfItemSink& sink);

// Writes the output through the structure rebuilder. true on success.
bool RebuildWithStructure(RTFFilterPass& pass);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_ITEMS_H
