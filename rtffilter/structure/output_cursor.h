// The structure writer's cursor: it moves forward through the input and
// writes what it copies to the output sink, whose limit is the input's
// length. Items that a row or cell leaves out when it vanishes are
// queued as skips, so that copying across them leaves them out wherever they
// lie between the pieces written next. While a vanishing row is written,
// the table words it carries are left out as well (see table_words.h).
#ifndef BTE_RTFFILTER_STRUCTURE_OUTPUT_CURSOR_H
#define BTE_RTFFILTER_STRUCTURE_OUTPUT_CURSOR_H

#include <cstddef>
#include <deque>
#include <vector>

#include "rtffilter/output_sink.h"
#include "rtffilter/structure/item_span.h"
#include "rtffilter/structure/slab_pool.h"
#include "rtffilter/structure/table_words.h"

namespace bte::rtf {

class RtfOutputCursor {
 public:
  RtfOutputCursor(const char* input, size_t length, OutputSink& out);

  const char* position() const { return in_; }
  bool overflowed() const { return out_.overflowed(); }
  bool leavesOutTableWords() const { return leaveOutTableWords_; }

  // On: input copied from now on goes without its table words.
  void LeaveOutTableWords(bool on) { leaveOutTableWords_ = on; }

  // Copies the input from the cursor up to (not including) to, leaving out
  // queued skips on the way. Nothing happens when to is not ahead.
  void CopyUpTo(const char* to);
  // Moves the input cursor forward to to without copying.
  void MoveTo(const char* to);
  // Copies up to the item and leaves the item out.
  void LeaveOut(const ItemSpan& item);
  // Copies up to the item and writes it.
  void Write(const ItemSpan& item);
  // Copies up to the item and writes text in its place.
  void WriteInstead(const ItemSpan& item, const char* text, size_t length);
  // Queues item to be left out when the cursor crosses it; an item that the
  // cursor has already passed, or no item, is ignored.
  void QueueSkip(const ItemSpan& item);
  // Spans that never reach the output, however the input around them is
  // copied: build-tag markup and excluded content. Ascending, not
  // overlapping; more may be added at the end while the cursor works, and
  // the cursor takes away those it has passed. They must outlive the cursor.
  void NeverWrite(std::deque<ItemSpan>& spans) { forbidden_ = &spans; }

 private:
  void Emit(const char* bytes, size_t count);
  // Writes the input from in_ up to to (table words left out while that is
  // on) and moves in_ there.
  void CopyInput(const char* to);
  // Writes [in_, to) as it stands and moves in_ there.
  void EmitInput(const char* to);
  // Moves in_ forward to to without writing: a gap in the output.
  void SkipTo(const char* to);
  // The next span to leave out that starts before to, taken from the queue
  // or the forbidden spans; false when there is none.
  bool NextSkip(const char* to, ItemSpan& skip);

  const char* in_;
  const char* inEnd_;
  OutputSink& out_;
  bool leaveOutTableWords_ = false;
  bool afterGap_ = false;  // input was left out since the last bytes written
  TableWordFinder tableWords_;
  std::vector<ItemSpan> skips_;  // ascending by position
  size_t queueStart_ = 0;        // skips_ before it are done
  std::deque<ItemSpan>* forbidden_ = nullptr;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_OUTPUT_CURSOR_H
