// Where the writers put the filtered document: straight into storage the
// caller holds, or through a small buffer handed on in pieces, so that a
// document bound for a file is never held whole (a result buffer as large
// as the document would add its size to the filter's peak memory).
// Either way it takes at most limit bytes in all; beyond that it notes the
// overflow and takes nothing more.
#ifndef BTE_RTFFILTER_OUTPUT_SINK_H
#define BTE_RTFFILTER_OUTPUT_SINK_H

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/file_io.h"

namespace bte::rtf {

// Takes one piece; false once it can take no more (a write failed): the
// file layer's piece writer.
using PieceConsumer = platform::PieceWriter;

class OutputSink {
 public:
  // Into storage, which holds at least limit bytes.
  OutputSink(char* storage, size_t limit);
  // In pieces to consumer.
  OutputSink(size_t limit, const PieceConsumer& consumer);
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  // Inline while the bytes fit where they go: the structure writer puts
  // a few dozen bytes at a time, hundreds of thousands of times.
  void Put(const char* bytes, size_t count) {
    if (count == 0 || count > room_) return PutBeyondRoom(bytes, count);
    std::memcpy(at_, bytes, count);
    at_ += count;
    room_ -= count;
    written_ += count;
  }
  void Put(char byte) { Put(&byte, 1); }
  // Whether the bytes taken so far end in a control word that a following
  // letter or digit would continue.
  bool EndsInUndelimitedWord() const;
  // Hands on what the buffer holds; false when the consumer refused a piece.
  bool Flush();

  size_t written() const { return written_; }
  bool overflowed() const { return overflowed_; }
  bool refused() const { return refused_; }

 private:
  void PutBeyondRoom(const char* bytes, size_t count);
  // Put's whole work: the limit, the buffer and the consumer.
  void PutCounted(const char* bytes, size_t count);
  // Sets room_ from where the buffer and the limit end.
  void UpdateRoom();
  void Pass(const char* bytes, size_t count);
  // Keeps the last bytes of [from, end), all handed on, at the buffer's
  // start, for the look back of EndsInUndelimitedWord.
  void KeepHistory(const char* from, const char* end);

  std::unique_ptr<char[]> own_;  // the buffer of a sink in pieces
  char* start_;                  // of storage, or of the buffer
  char* pending_;                // bytes before it were handed on
  char* at_;
  char* end_;
  const PieceConsumer* consumer_ = nullptr;
  size_t limit_;
  size_t written_ = 0;
  size_t room_ = 0;  // bytes Put copies without a look at the rest
  bool overflowed_ = false;
  bool refused_ = false;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_OUTPUT_SINK_H
