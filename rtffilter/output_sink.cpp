#include "rtffilter/output_sink.h"

#include <algorithm>
#include <cstring>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {
namespace {

// A buffer small enough to stay in the processor's caches.
constexpr size_t kBufferSize = size_t{256} << 10;
// All that EndsInUndelimitedWord looks back at.
constexpr size_t kHistory = kWordLookBack;
// Longer runs go to the consumer without a copy.
constexpr size_t kPassedWhole = kBufferSize / 4;

}  // namespace

OutputSink::OutputSink(char* storage, size_t limit)
    : start_(storage), pending_(storage), at_(storage), end_(storage + limit), limit_(limit) {
  UpdateRoom();
}

OutputSink::OutputSink(size_t limit, const PieceConsumer& consumer)
    : own_(new char[kBufferSize]), consumer_(&consumer), limit_(limit) {
  start_ = pending_ = at_ = own_.get();
  end_ = start_ + kBufferSize;
  UpdateRoom();
}

void OutputSink::UpdateRoom() {
  room_ = overflowed_ || refused_
              ? 0
              : std::min(static_cast<size_t>(end_ - at_), limit_ - written_);
}

void OutputSink::PutBeyondRoom(const char* bytes, size_t count) {
  PutCounted(bytes, count);
  UpdateRoom();
}

void OutputSink::PutCounted(const char* bytes, size_t count) {
  if (count == 0 || overflowed_ || refused_) return;
  if (count > limit_ - written_) {
    overflowed_ = true;
    return;
  }
  written_ += count;
  if (consumer_ == nullptr) {
    std::memcpy(at_, bytes, count);
    at_ += count;
  } else if (count >= kPassedWhole) {
    if (Flush()) Pass(bytes, count);
    KeepHistory(bytes, bytes + count);
  } else {
    if (count > static_cast<size_t>(end_ - at_)) {
      if (!Flush()) return;
      KeepHistory(start_, at_);
    }
    std::memcpy(at_, bytes, count);
    at_ += count;
  }
}

bool OutputSink::EndsInUndelimitedWord() const {
  return rtf::EndsInUndelimitedWord(start_, at_);
}

bool OutputSink::Flush() {
  if (consumer_ != nullptr && at_ > pending_) Pass(pending_, static_cast<size_t>(at_ - pending_));
  pending_ = at_;
  UpdateRoom();
  return !refused_;
}

void OutputSink::Pass(const char* bytes, size_t count) {
  if (!refused_ && !(*consumer_)(std::string_view(bytes, count))) refused_ = true;
}

void OutputSink::KeepHistory(const char* from, const char* end) {
  const size_t kept = std::min(kHistory, static_cast<size_t>(end - from));
  std::memmove(start_, end - kept, kept);
  pending_ = at_ = start_ + kept;
}

}  // namespace bte::rtf
