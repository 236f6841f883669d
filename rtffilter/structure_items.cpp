#include "rtffilter/structure_items.h"

#include "rtffilter/content_reader.h"
#include "rtffilter/structure/rtf_document_tree.h"

namespace bte::rtf {
namespace {

void AddTextRuns(const char* text, uint32_t length, int32_t excluded,
                 const ParagraphListState& state, RtfItemSink& sink) {
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
class SegmentItems : public ContentListener {
 public:
  SegmentItems(int32_t excluded, const ParagraphTracker& paragraphs, RtfItemSink& sink)
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
  RtfItemSink& sink_;
};

// Hands the item stream to the structure rebuilder.
class TreeSink : public RtfItemSink {
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

}  // namespace

void GenerateStructureItems(const SegmentList& segments, RtfItemSink& sink) {
  ParagraphTracker paragraphs;
  for (const RTFSegment& segment : segments.segments) {
    if (segment.isMarker) {
      sink.AddMarker(RtfItem(segment.text, segment.length, 1, ItemContent), paragraphs.state);
      continue;
    }
    SegmentItems items(segment.excluded, paragraphs, sink);
    ReadContent(segment.text, segment.text + segment.length, &paragraphs, items);
  }
}

void AddItemsToTree(const SegmentList& segments, RtfDocumentTree& tree) {
  TreeSink sink(tree);
  GenerateStructureItems(segments, sink);
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
