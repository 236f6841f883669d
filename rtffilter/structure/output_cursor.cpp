#include "rtffilter/structure/output_cursor.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace bte::rtf {

RtfOutputCursor::RtfOutputCursor(const char* input, size_t length, char*& out)
    : in_(input),
      inEnd_(input + length),
      out_(out),
      outStart_(out),
      outLimit_(out + length),
      tableWords_(input, input + length) {}

void RtfOutputCursor::Emit(const char* bytes, size_t count) {
  if (count == 0) return;
  if (overflowed_ || count > static_cast<size_t>(outLimit_ - out_)) {
    overflowed_ = true;
    return;
  }
  std::memcpy(out_, bytes, count);
  out_ += count;
}

void RtfOutputCursor::CopyInput(const char* to) {
  InputSpan word;
  while (leaveOutTableWords_ && tableWords_.Next(in_, to, word)) {
    Emit(in_, word.begin - in_);
    in_ = ResumeAfter(word);
  }
  Emit(in_, to - in_);
  in_ = to;
}

// The word's delimiter space stays when the output ends in a word that the
// text after it would otherwise run on from ("\b\trowd x" must not become
// "\bx").
const char* RtfOutputCursor::ResumeAfter(const InputSpan& word) const {
  if (word.end[-1] != ' ' || word.end >= inEnd_) return word.end;
  const unsigned char next = static_cast<unsigned char>(*word.end);
  const bool runsOn = std::isalnum(next) || next == '-';
  return runsOn && EndsInUndelimitedWord(outStart_, out_) ? word.end - 1 : word.end;
}

void RtfOutputCursor::CopyUpTo(const char* to) {
  to = std::min(to, inEnd_);
  size_t passed = 0;
  for (; passed < skips_.size() && skips_[passed].text < to; ++passed) {
    const ItemSpan& skip = skips_[passed];
    if (skip.text >= in_) {
      CopyInput(skip.text);
      in_ = std::min(skip.end(), inEnd_);
    }
  }
  skips_.erase(skips_.begin(), skips_.begin() + passed);
  if (in_ < to) CopyInput(to);
}

void RtfOutputCursor::MoveTo(const char* to) {
  in_ = std::max(in_, std::min(to, inEnd_));
  size_t passed = 0;
  while (passed < skips_.size() && skips_[passed].text < in_) ++passed;
  skips_.erase(skips_.begin(), skips_.begin() + passed);
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
  auto at = std::upper_bound(skips_.begin(), skips_.end(), item,
                             [](const ItemSpan& a, const ItemSpan& b) { return a.text < b.text; });
  skips_.insert(at, item);
}

}  // namespace bte::rtf
