#include "rtffilter/structure_items.h"

#include "rtffilter/content_scanner.h"
#include "rtffilter/structure/rtf_document_tree.h"

namespace bte::rtf {
namespace {

bool IsLineBreak(char byte) { return byte == '\r' || byte == '\n'; }

void AddTextRuns(const char* text, uint32_t length, int32_t excluded,
                 const ParagraphListState& state, RtfItemSink& sink) {
  const char* const end = text + length;
  const char* p = text;
  while (p < end) {
    while (p < end && IsLineBreak(*p)) ++p;
    const char* run = p;
    while (p < end && !IsLineBreak(*p)) ++p;
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

void AddSegmentItems(RTFFilterPass& pass, const RTFSegment& segment, ParagraphListState& state,
                     RtfItemSink& sink) {
  const char* const end = segment.text + segment.length;
  RTFToken token;
  const char* p = segment.text;
  while (p < end) {
    p = NextContentToken(pass, p, static_cast<uint32_t>(end - p), token, &state);
    if (p == nullptr || token.length == 0) return;
    if (token.kind == TokenText)
      AddTextRuns(p, token.length, segment.excluded, state, sink);
    else
      sink.AddItem(RtfItem(p, token.length, segment.excluded, ItemKindOf(p, token)), state);
    p += token.length;
  }
}

// Hands the item stream to the structure rebuilder.
class TreeSink : public RtfItemSink {
 public:
  explicit TreeSink(RtfDocumentTree& tree) : tree_(tree) {}
  void AddItem(const RtfItem& item, const ParagraphListState& state) override {
    tree_.AddBorrowedItem(item, state);
  }

 private:
  RtfDocumentTree& tree_;
};

}  // namespace

void GenerateStructureItems(RTFFilterPass& pass, RtfItemSink& sink) {
  ParagraphListState state;
  for (const RTFSegment& segment : pass.segments) {
    if (segment.isMarker)
      sink.AddItem(RtfItem(segment.text, segment.length, 1, ItemContent), state);
    else
      AddSegmentItems(pass, segment, state, sink);
  }
}

bool RebuildWithStructure(RTFFilterPass& pass) {
  if (pass.outputBuffer == nullptr) return false;
  char* const storage = pass.outputBuffer->Allocate(pass.inputLength);
  if (storage == nullptr) return false;
  RtfDocumentTree tree(pass.input, pass.inputLength);
  TreeSink sink(tree);
  GenerateStructureItems(pass, sink);
  char* cursor = storage;
  if (!tree.Write(cursor)) return false;
  return pass.outputBuffer->SetLength(static_cast<uint32_t>(cursor - storage));
}

}  // namespace bte::rtf
