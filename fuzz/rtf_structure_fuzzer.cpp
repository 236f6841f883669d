// Arbitrary item sequences through the structure rebuilder. The input is both
// the document text and, read from its start, the program that cuts it into
// items: three bytes per item give the gap before it and its length, its
// kind and excluded flag, and the list state in force. Each program runs
// twice: through a tree that writes as it goes and through one that writes
// at the end.
#include <cstdint>
#include <algorithm>
#include <memory>
#include <string>

#include "rtffilter/rtf_item.h"
#include "rtffilter/structure/rtf_document_tree.h"
#include "fuzz_support.h"

namespace {

bte::rtf::ParagraphListState StateFrom(uint8_t bits) {
  bte::rtf::ParagraphListState state;
  const int depth = bits & 7;
  state.tableDepth = depth == 7 ? 300 : depth;  // now and then deep
  const int level = (bits >> 3) & 7;
  state.listLevel = level == 7 ? -1 : level;
  state.listOverride = bits >> 6;
  return state;
}

// Removing items only ever drops bytes, apart from a delimiter space where
// the bytes after a gap would run on from a control word. So without
// replacement texts the output, spaces aside, is a subsequence of the input.
bool IsSubsequence(const char* part, size_t partLength, const uint8_t* whole, size_t length) {
  size_t at = 0;
  for (size_t i = 0; i < length && at < partLength; ++i) {
    while (at < partLength && part[at] == ' ' && static_cast<char>(whole[i]) != ' ') ++at;
    if (at < partLength && static_cast<char>(whole[i]) == part[at]) ++at;
  }
  while (at < partLength && part[at] == ' ') ++at;
  return at == partLength;
}

struct Rebuilt {
  int result = 0;
  std::string output;
  bool anyExcluded = false;
  bool anyListText = false;
};

// Runs the item program through a tree that writes as it goes (stream) or
// all at the end.
Rebuilt Rebuild(const uint8_t* data, size_t size, bool stream) {
  const char* text = reinterpret_cast<const char*>(data);
  Rebuilt rebuilt;
  std::unique_ptr<char[]> out(new char[size]);
  bte::rtf::OutputSink sink(out.get(), size);
  bte::rtf::RtfDocumentTree tree(text, static_cast<uint32_t>(size));
  if (stream) tree.StreamTo(sink);
  size_t textAt = 0;
  for (size_t program = 0; program + 3 <= size; program += 3) {
    const uint8_t shape = data[program], kindBits = data[program + 1];
    const size_t start = textAt + (shape & 3);
    const uint32_t length = 1 + ((shape >> 2) & 15);
    if (start + length > size) break;
    const int32_t kind = kindBits % 12;
    const int32_t excluded = kindBits >> 7;
    rebuilt.anyExcluded |= excluded != 0;
    rebuilt.anyListText |= kind == bte::rtf::ItemListTextBullet || kind == bte::rtf::ItemParaNumBullet;
    tree.AddItem(new bte::rtf::RtfItem(text + start, length, excluded, kind),
                 StateFrom(data[program + 2]));
    textAt = start + length;
  }
  rebuilt.result = tree.Write(sink);
  rebuilt.output.assign(out.get(), sink.written());
  return rebuilt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Rebuilt whole = Rebuild(data, size, false);
  // Writing each part once it is settled gives what writing all at the end
  // gives.
  const Rebuilt streamed = Rebuild(data, size, true);
  Require(streamed.result == whole.result);
  if (whole.result == 0) return 0;
  Require(streamed.output == whole.output);
  const std::string& out = whole.output;
  Require(out.size() <= size);
  if (!whole.anyListText) Require(IsSubsequence(out.data(), out.size(), data, size));
  if (!whole.anyExcluded && !whole.anyListText)
    Require(out.size() == size && std::equal(out.begin(), out.end(), reinterpret_cast<const char*>(data)));
  return 0;
}
