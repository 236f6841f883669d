#include "rtffilter/structure/output_cursor.h"

#include <algorithm>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {

RtfOutputCursor::RtfOutputCursor(const char* input, size_t length, OutputSink& out)
    : in_(input), inEnd_(input + length), out_(out), tableWords_(input, input + length) {}

void RtfOutputCursor::Emit(const char* bytes, size_t count) { out_.Put(bytes, count); }

// CopyInput, EmitInput and NextSkip are inline: CopyUpTo runs for nearly
// every item written, and calls cost more than their work.
inline void RtfOutputCursor::CopyInput(const char* to) {
  InputSpan word;
  while (leaveOutTableWords_ && tableWords_.Next(in_, to, word)) {
    EmitInput(word.begin);
    SkipTo(word.end);
  }
  EmitInput(to);
}

// Where input was left out, the bytes after the gap must not run on from a
// control word written before it ("\b{marker}Text" must not become
// "\bText"): a delimiter space goes between.
inline void RtfOutputCursor::EmitInput(const char* to) {
  if (to <= in_) return;
  if (afterGap_ && RunsOnFromWord(*in_) && out_.EndsInUndelimitedWord())
    Emit(" ", 1);
  afterGap_ = false;
  Emit(in_, to - in_);
  in_ = to;
}

void RtfOutputCursor::SkipTo(const char* to) {
  if (to <= in_) return;
  in_ = to;
  afterGap_ = true;
}

inline bool RtfOutputCursor::NextSkip(const char* to, ItemSpan& skip) {
  const ItemSpan* queued = queueStart_ < skips_.size() ? &skips_[queueStart_] : nullptr;
  const ItemSpan* never = nullptr;
  if (forbidden_ != nullptr && !forbidden_->empty()) never = &forbidden_->front();
  if (never != nullptr && (queued == nullptr || never->text < queued->text)) {
    if (never->text >= to) return false;
    skip = *never;
    forbidden_->pop_front();
    return true;
  }
  if (queued == nullptr || queued->text >= to) return false;
  skip = *queued;
  if (++queueStart_ == skips_.size()) {
    skips_.clear();
    queueStart_ = 0;
  }
  return true;
}

void RtfOutputCursor::CopyUpTo(const char* to) {
  to = std::min(to, inEnd_);
  ItemSpan skip;
  while (NextSkip(to, skip)) {
    if (skip.end() <= in_) continue;
    if (skip.text > in_) CopyInput(skip.text);
    SkipTo(std::min(skip.end(), inEnd_));
  }
  if (in_ < to) CopyInput(to);
}

void RtfOutputCursor::MoveTo(const char* to) {
  SkipTo(std::min(to, inEnd_));
  ItemSpan passed;
  while (NextSkip(in_, passed)) {
  }
}

void RtfOutputCursor::LeaveOut(const ItemSpan& item) {
  CopyUpTo(item.text);
  MoveTo(item.end());
}

void RtfOutputCursor::Write(const ItemSpan& item) { CopyUpTo(item.end()); }

void RtfOutputCursor::WriteInstead(const ItemSpan& item, const char* text, size_t length) {
  CopyUpTo(item.text);
  Emit(text, length);
  MoveTo(item.end());
}

void RtfOutputCursor::QueueSkip(const ItemSpan& item) {
  if (!item.present() || item.text < in_) return;
  auto at = std::upper_bound(skips_.begin() + queueStart_, skips_.end(), item,
                             [](const ItemSpan& a, const ItemSpan& b) { return a.text < b.text; });
  skips_.insert(at, item);
}

}  // namespace bte::rtf
