#include "rtffilter/structure_items.h"

#include "rtffilter/content_reader_loop.h"
#include "rtffilter/structure/rtf_document_tree.h"

namespace bte::rtf {
namespace {

template <class Sink>
void AddTextRuns(const char* text, uint32_t length, int32_t excluded,
                 const ParagraphListState& state, Sink& sink) {
  const char* const end = text + length;
  const char* p = text;
  while (p < end) {
    while (p < end && IsLineBreak(*p)) ++p;
    const char* run = p;
    p = FindLineBreak(p, end);
    if (p > run)
      sink.AddItem(RtfItem(run, static_cast<uint32_t>(p - run), excluded, ItemContent), state);
  }
}

int32_t ItemKindOf(const char* p, const RTFToken& token) {
  switch (token.kind) {
    case TokenControlWord:
    case TokenUnitGroup:
      return token.code;
    case TokenControlSymbol:
      return token.length == 2 && IsLineBreak(p[1]) ? ItemParagraph : ItemContent;
    default:
      return ItemContent;
  }
}

// Turns the content tokens of one segment into items, each with the
// paragraph state in force after its token was read.
template <class Sink>
class SegmentItems final : public ContentListener {
 public:
  SegmentItems(int32_t excluded, const ParagraphTracker& paragraphs, Sink& sink)
      : excluded_(excluded), paragraphs_(paragraphs), sink_(sink) {}

  bool OnContent(const char* at, const RTFToken& token) override {
    if (token.length == 0) return false;
    if (token.kind == TokenText)
      AddTextRuns(at, token.length, excluded_, paragraphs_.state, sink_);
    else
      sink_.AddItem(RtfItem(at, token.length, excluded_, ItemKindOf(at, token)),
                    paragraphs_.state);
    return true;
  }

 private:
  int32_t excluded_;
  const ParagraphTracker& paragraphs_;
  Sink& sink_;
};

// Hands the item stream to the structure rebuilder.
class TreeSink final : public RtfItemSink {
 public:
  explicit TreeSink(RtfDocumentTree& tree) : tree_(tree) {}
  void AddItem(const RtfItem& item, const ParagraphListState& state) override {
    tree_.AddBorrowedItem(item, state);
  }
  void AddMarker(const RtfItem& item, const ParagraphListState&) override {
    tree_.AddMarker(item);
  }

 private:
  RtfDocumentTree& tree_;
};

// Items of the whole document to sink, in order.
template <class Sink>
void GenerateItemsInto(const SegmentList& segments, Sink& sink) {
  ParagraphTracker paragraphs;
  for (const RTFSegment& segment : segments.segments) {
    if (segment.isMarker) {
      sink.AddMarker(RtfItem(segment.text, segment.length, 1, ItemContent), paragraphs.state);
      continue;
    }
    SegmentItems<Sink> items(segment.excluded, paragraphs, sink);
    ReadContentWith(segment.text, segment.text + segment.length, &paragraphs, items);
  }
}

}  // namespace

void GenerateStructureItems(const SegmentList& segments, RtfItemSink& sink) {
  GenerateItemsInto(segments, sink);
}

// The tree's sink is known here: its calls need not be virtual.
void AddItemsToTree(const SegmentList& segments, RtfDocumentTree& tree) {
  TreeSink sink(tree);
  GenerateItemsInto(segments, sink);
}

FilterResult RebuildWithStructure(const char* input, uint32_t inputLength,
                                  const SegmentList& segments, OutputSink& out) {
  RtfDocumentTree tree(input, inputLength);
  tree.StreamTo(out);
  AddItemsToTree(segments, tree);
  FilterResult result;
  tree.Write(out, &result);
  return result;
}

}  // namespace bte::rtf
