#include "rtffilter/output_writers.h"

#include <cstring>
#include <string_view>

#include "rtffilter/content_reader.h"
#include "rtffilter/reader/rtf_token.h"
#include "rtffilter/structure_items.h"

namespace bte::rtf {
namespace {

bool IsParagraphMark(const char* p, const RTFToken& token) {
  if (token.kind == TokenControlWord) return token.code == ItemParagraph;
  return token.kind == TokenControlSymbol && token.length == 2 && IsLineBreak(p[1]);
}

bool HasVisibleByte(const char* text, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i)
    if (!IsLineBreak(text[i])) return true;
  return false;
}

// Copies the input in runs: bytes are only moved when something is dropped
// or a segment ends, so kept stretches cost one copy. Where input was
// left out, the bytes after the gap must not run on from a control word
// written before it ("\\b{marker}Text" must not become "\\bText"): a
// delimiter space goes between.
class RunCopier {
 public:
  explicit RunCopier(OutputSink& out) : out_(out) {}

  // Starts a run at from; skipping input since the last run leaves a gap.
  void Begin(const char* from) {
    if (run_ != nullptr && from != run_) afterGap_ = true;
    run_ = from;
  }
  void FlushTo(const char* to) {
    const size_t count = static_cast<size_t>(to - run_);
    run_ = to;
    if (count == 0) return;
    if (afterGap_ && RunsOnFromWord(to[-static_cast<ptrdiff_t>(count)]) &&
        out_.EndsInUndelimitedWord())
      Put(' ');
    afterGap_ = false;
    out_.Put(to - count, count);
  }
  // Leaves out [from, to).
  void Drop(const char* from, const char* to) {
    FlushTo(from);
    Begin(to);
  }
  void Put(char byte) { out_.Put(byte); }

 private:
  OutputSink& out_;
  const char* run_ = nullptr;
  bool afterGap_ = false;  // input was left out since the last bytes written
};

class SimpleRemover : public ContentListener {
 public:
  SimpleRemover(const SegmentList& segments, OutputSink& out) : segments_(segments), copier_(out) {}

  void Run() {
    for (const RTFSegment& segment : segments_.segments)
      if (!segment.isMarker) WriteSegment(segment);
  }

  bool OnContent(const char* at, const RTFToken& token) override {
    if (token.length == 0) return false;  // the rest of the segment is copied
    if (excluded_)
      dropped_ |= Exclude(at, token);
    else
      Keep(at, token);
    return true;
  }

 private:
  void WriteSegment(const RTFSegment& segment) {
    const char* const end = segment.text + segment.length;
    excluded_ = segment.excluded != 0;
    dropped_ = false;
    copier_.Begin(segment.text);
    ReadContent(segment.text, end, nullptr, *this);
    copier_.FlushTo(end);
    if (excluded_ && !paragraphHasText_ && dropped_) pendingParagraphDrop_ = true;
  }

  void Keep(const char* p, const RTFToken& token) {
    if (token.kind == TokenText) {
      if (!paragraphHasText_ && HasVisibleByte(p, token.length)) paragraphHasText_ = true;
      return;
    }
    if (!IsParagraphMark(p, token)) return;
    if (pendingParagraphDrop_) {
      pendingParagraphDrop_ = false;
      if (!paragraphHasText_) {
        copier_.Drop(p, p + token.length);
        return;
      }
    }
    paragraphHasText_ = false;
  }

  // Returns whether content was dropped.
  bool Exclude(const char* p, const RTFToken& token) {
    const char* const after = p + token.length;
    if (token.kind == TokenText) {
      copier_.Drop(p, after);
      bool visible = false;
      for (const char* q = p; q < after; ++q) {
        if (IsLineBreak(*q))
          copier_.Put(*q);
        else
          visible = true;
      }
      return visible;
    }
    if (IsParagraphMark(p, token) && paragraphHasText_) {
      paragraphHasText_ = false;  // closes a paragraph that began with kept text
      return false;
    }
    copier_.Drop(p, after);
    return true;
  }

  const SegmentList& segments_;
  RunCopier copier_;
  bool excluded_ = false;  // of the segment being written
  bool dropped_ = false;   // content of that segment was dropped
  bool paragraphHasText_ = false;
  bool pendingParagraphDrop_ = false;
};

// The writers' result once copying is done.
FilterResult Finish(const OutputSink& out) {
  return out.overflowed() ? Failure(FailureReason::kOutputOutgrowsInput) : FilterResult();
}

// The first occurrence of pattern at or after from, or null. Backslashes and
// braces are everywhere in RTF, so the search runs on the pattern's byte at
// anchor, one that is rare in documents.
const char* FindByAnchor(const char* from, const char* end, std::string_view pattern,
                         size_t anchor) {
  if (end - from < static_cast<ptrdiff_t>(pattern.size())) return nullptr;
  const char* const lastStart = end - pattern.size();
  for (const char* at = from + anchor; at <= lastStart + anchor; ++at) {
    at = static_cast<const char*>(
        std::memchr(at, pattern[anchor], static_cast<size_t>(lastStart + anchor - at) + 1));
    if (at == nullptr) return nullptr;
    const char* start = at - anchor;
    if (std::memcmp(start, pattern.data(), pattern.size()) == 0) return start;
  }
  return nullptr;
}

}  // namespace

bool NeedsStructureRebuild(const SegmentList& segments, const char* input, uint32_t length) {
  // The host's list text, and the number text that word processors write
  // for readers without list tables: a removed entry's number must go and
  // the later ones be renumbered, which only the rebuilder does.
  if (segments.hasListTextGroup) return true;
  const char* const end = input + length;
  for (const char* at = input;;) {
    at = FindByAnchor(at, end, "\\row", 3);
    if (at == nullptr) break;
    if (at == input || at[-1] != '\\') return true;
    // An escaped backslash followed by "row": resume five bytes on.
    if (end - at <= 5) break;
    at += 5;
  }
  return false;
}

FilterResult WriteFilteredOutput(const char* input, uint32_t inputLength,
                                 const SegmentList& segments, bool anyExcluded, OutputSink& out) {
  if (!anyExcluded) return CopyWithoutMarkers(segments, out);
  if (NeedsStructureRebuild(segments, input, inputLength))
    return RebuildWithStructure(input, inputLength, segments, out);
  return RemoveExcludedSimple(segments, out);
}

FilterResult CopyWithoutMarkers(const SegmentList& segments, OutputSink& out) {
  RunCopier copier(out);
  for (const RTFSegment& segment : segments.segments) {
    if (segment.isMarker) continue;
    copier.Begin(segment.text);
    copier.FlushTo(segment.text + segment.length);
  }
  return Finish(out);
}

FilterResult RemoveExcludedSimple(const SegmentList& segments, OutputSink& out) {
  SimpleRemover(segments, out).Run();
  return Finish(out);
}

}  // namespace bte::rtf
