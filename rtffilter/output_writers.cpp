#include "rtffilter/output_writers.h"

#include <cstring>
#include <string_view>

#include "rtffilter/content_scanner.h"
#include "rtffilter/rtf_token.h"
#include "rtffilter/structure_items.h"

namespace bte::rtf {
namespace {

bool IsLineBreak(char byte) { return byte == '\r' || byte == '\n'; }

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
// or a segment ends, so kept stretches cost one memcpy. Markup that overlaps
// itself (a marker inside an annotation's extent) can make segments overlap;
// the copier then refuses to write past the capacity instead. Where input was
// left out, the bytes after the gap must not run on from a control word
// written before it ("\\b{marker}Text" must not become "\\bText"): a
// delimiter space goes between.
class RunCopier {
 public:
  RunCopier(char* out, uint32_t capacity) : out_(out), start_(out), limit_(out + capacity) {}

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
        EndsInUndelimitedWord(start_, out_))
      Put(' ');
    afterGap_ = false;
    if (count > static_cast<size_t>(limit_ - out_)) {
      overflowed_ = true;
      return;
    }
    std::memcpy(out_, to - count, count);
    out_ += count;
  }
  // Leaves out [from, to).
  void Drop(const char* from, const char* to) {
    FlushTo(from);
    Begin(to);
  }
  void Put(char byte) {
    if (out_ == limit_)
      overflowed_ = true;
    else
      *out_++ = byte;
  }
  uint32_t Written() const { return static_cast<uint32_t>(out_ - start_); }
  bool overflowed() const { return overflowed_; }

 private:
  char* out_;
  char* const start_;
  char* const limit_;
  const char* run_ = nullptr;
  bool afterGap_ = false;  // input was left out since the last bytes written
  bool overflowed_ = false;
};

class SimpleRemover {
 public:
  SimpleRemover(RTFFilterPass& pass, char* out, uint32_t capacity)
      : pass_(pass), copier_(out, capacity) {}

  // false when the output would outgrow the input.
  bool Run(uint32_t& written) {
    for (const RTFSegment& segment : pass_.segments)
      if (!segment.isMarker) WriteSegment(segment);
    written = copier_.Written();
    return !copier_.overflowed();
  }

 private:
  void WriteSegment(const RTFSegment& segment) {
    const char* const end = segment.text + segment.length;
    bool dropped = false;
    copier_.Begin(segment.text);
    for (const char* p = segment.text; p < end;) {
      p = NextContentToken(pass_, p, static_cast<uint32_t>(end - p), token_, nullptr);
      if (p == nullptr || token_.length == 0) break;
      if (segment.excluded)
        dropped |= Exclude(p);
      else
        Keep(p);
      p += token_.length;
    }
    copier_.FlushTo(end);
    if (segment.excluded && !paragraphHasText_ && dropped) pendingParagraphDrop_ = true;
  }

  void Keep(const char* p) {
    if (token_.kind == TokenText) {
      if (!paragraphHasText_ && HasVisibleByte(p, token_.length)) paragraphHasText_ = true;
      return;
    }
    if (!IsParagraphMark(p, token_)) return;
    if (pendingParagraphDrop_) {
      pendingParagraphDrop_ = false;
      if (!paragraphHasText_) {
        copier_.Drop(p, p + token_.length);
        return;
      }
    }
    paragraphHasText_ = false;
  }

  // Returns whether content was dropped.
  bool Exclude(const char* p) {
    const char* const after = p + token_.length;
    if (token_.kind == TokenText) {
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
    if (IsParagraphMark(p, token_) && paragraphHasText_) {
      paragraphHasText_ = false;  // closes a paragraph that began with kept text
      return false;
    }
    copier_.Drop(p, after);
    return true;
  }

  RTFFilterPass& pass_;
  RunCopier copier_;
  RTFToken token_;
  bool paragraphHasText_ = false;
  bool pendingParagraphDrop_ = false;
};

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

bool NeedsStructureRebuild(const char* input, uint32_t length) {
  const char* const end = input + length;
  for (const char* at = input;;) {
    at = FindByAnchor(at, end, "\\row", 3);
    if (at == nullptr) break;
    if (at == input || at[-1] != '\\') return true;
    // An escaped backslash followed by "row": resume five bytes on.
    if (end - at <= 5) break;
    at += 5;
  }
  return FindByAnchor(input, end, "{\\*\\listtextkvt", 13) != nullptr ||
         FindByAnchor(input, end, "{\\*\\pntextkvt", 11) != nullptr;
}

bool WriteFilteredOutput(RTFFilterPass& pass) {
  bool anyExcluded = false;
  for (const RTFSegment& segment : pass.segments) anyExcluded |= segment.excluded != 0;
  if (!anyExcluded) return CopyWithoutMarkers(pass);
  if (NeedsStructureRebuild(pass.input, pass.inputLength)) return RebuildWithStructure(pass);
  return RemoveExcludedSimple(pass);
}

bool CopyWithoutMarkers(RTFFilterPass& pass) {
  FilterOutputBuffer* buffer = pass.outputBuffer;
  if (buffer == nullptr) return false;
  char* out = buffer->Allocate(pass.inputLength);
  if (out == nullptr) return false;
  RunCopier copier(out, pass.inputLength);
  for (const RTFSegment& segment : pass.segments) {
    if (segment.isMarker) continue;
    copier.Begin(segment.text);
    copier.FlushTo(segment.text + segment.length);
  }
  return !copier.overflowed() && buffer->SetLength(copier.Written());
}

bool RemoveExcludedSimple(RTFFilterPass& pass) {
  FilterOutputBuffer* buffer = pass.outputBuffer;
  if (buffer == nullptr) return false;
  char* out = buffer->Allocate(pass.inputLength);
  if (out == nullptr) return false;
  uint32_t written = 0;
  return SimpleRemover(pass, out, pass.inputLength).Run(written) && buffer->SetLength(written);
}

}  // namespace bte::rtf
