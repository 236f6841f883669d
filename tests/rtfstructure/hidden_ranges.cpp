#include "hidden_ranges.h"

#include "buildtagexpr.h"
#include "com/create_instance.h"
#include "rtf_documents.h"
#include "rtffilter/segments.h"
#include "rtffilter/structure/rtf_document_tree.h"
#include "rtffilter/structure_items.h"

namespace bte::rtf::testing {

namespace {

using bte::test::RangeStart;

// The end of a range tagged "Hidden", with its annotation.
std::string RangeEnd(int number) {
  return bte::test::RangeEnd(number) + bte::test::Annotation(number, "Hidden");
}

// The segments of text with the ranges "NOT Hidden" excludes marked; false
// when the markup is broken.
bool MarkedSegments(std::string_view text, SegmentList& segments) {
  if (!SplitIntoSegments(text.data(), static_cast<uint32_t>(text.size()), segments).ok())
    return false;
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, "NOT Hidden");
  MarkExcludedSegments(parser, segments);
  parser->Release();
  return true;
}

class ItemRecorder : public RtfItemSink {
 public:
  void AddItem(const RtfItem& item, const ParagraphListState& state) override {
    items.push_back({item.kind, std::string(item.text, item.length), state});
  }
  std::vector<ItemRecord> items;
};

}  // namespace

std::string ExcludeWords(std::string rtf, const std::vector<std::string>& words) {
  int range = 100;
  for (const std::string& word : words) {
    for (size_t at = rtf.find(word); at != std::string::npos;) {
      ++range;
      const std::string wrapped = RangeStart(range) + word + RangeEnd(range);
      rtf.replace(at, word.size(), wrapped);
      at = rtf.find(word, at + wrapped.size());
    }
  }
  return rtf;
}

std::string ExpandMarks(std::string_view marked) {
  std::string out;
  int next = 1;
  std::vector<int> open;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked.compare(i, 2, "<<") == 0) {
      open.push_back(next++);
      out += RangeStart(open.back());
      ++i;
    } else if (marked.compare(i, 2, ">>") == 0 && !open.empty()) {
      out += RangeEnd(open.back());
      open.pop_back();
      ++i;
    } else {
      out += marked[i];
    }
  }
  return out;
}

std::string Rebuild(std::string_view text) {
  SegmentList segments;
  if (!MarkedSegments(text, segments)) return "<failed>";
  // In pieces, as a document bound for a file is written.
  std::string written;
  const PieceConsumer keep = [&written](std::string_view piece) {
    written += piece;
    return true;
  };
  OutputSink out(text.size(), keep);
  if (!RebuildWithStructure(text.data(), static_cast<uint32_t>(text.size()), segments, out).ok())
    return "<failed>";
  out.Flush();
  return written;
}

std::string RebuildAtTheEnd(std::string_view text) {
  SegmentList segments;
  if (!MarkedSegments(text, segments)) return "<failed>";
  std::string written(text.size(), '\0');
  OutputSink out(written.data(), written.size());
  RtfDocumentTree tree(text.data(), static_cast<uint32_t>(text.size()));
  AddItemsToTree(segments, tree);
  if (tree.Write(out) == 0) return "<failed>";
  written.resize(out.written());
  return written;
}

std::string FilterHidden(const std::string& rtf) {
  return bte::test::Filter(rtf, "NOT Hidden").value_or("<failed>");
}

std::vector<ItemRecord> Itemise(const std::string& rtf) {
  SegmentList segments;
  ItemRecorder recorder;
  if (MarkedSegments(rtf, segments)) GenerateStructureItems(segments, recorder);
  return recorder.items;
}

}  // namespace bte::rtf::testing
