// The scanner under every reading's rules, on arbitrary bytes in a block of
// exactly their size. What it reports must tile the bytes: each event starts
// where the one before ended, except after a '{' whose group is passed over
// whole (its end as the group matcher finds it), a "\*" passed over with a
// group that does not close, or the data after \binN. The first byte picks
// the rules, the second where the scan stops and at which event the
// listener stops it.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "rtffilter/reader/rtf_scanner.h"
#include "fuzz_support.h"

namespace {

using namespace bte::rtf;

const ReadingRules* const kRules[] = {&kContentRules,    &kAnnotationIdentityRules,
                                      &kAnnotationTextRules, &kEveryTokenRules,
                                      &kTableWordRules,  &kEveryWordRules};

struct Event {
  enum Kind { kToken, kOpen, kGroup, kBinWord } kind;
  const char* at;
  uint32_t length;
};

class Recorder : public RtfListener {
 public:
  explicit Recorder(size_t stopAfter) : stopAfter_(stopAfter) {}

  bool OnText(const char* at, const RTFToken& token) override {
    return Add({Event::kToken, at, token.length});
  }
  bool OnControlWord(const char* at, const RTFToken& token) override {
    const bool bin = token.nameLength == 4 && std::memcmp(at + 1, "bin", 3) == 0;
    return Add({bin ? Event::kBinWord : Event::kToken, at, token.length});
  }
  bool OnControlSymbol(const char* at, const RTFToken& token) override {
    return Add({Event::kToken, at, token.length});
  }
  bool OnGroupOpen(const char* at) override { return Add({Event::kOpen, at, 1}); }
  bool OnGroupClose(const char* at) override { return Add({Event::kToken, at, 1}); }
  bool OnDestination(const DestinationGroup& group) override {
    return Add({Event::kGroup, group.open, group.length});
  }

  std::vector<Event> events;

 private:
  bool Add(const Event& event) {
    events.push_back(event);
    return events.size() != stopAfter_;
  }
  size_t stopAfter_;
};

bool IsWholeGroup(const char* open, const char* to, const char* limit) {
  uint32_t length = 0;
  return FindGroupEnd(open, static_cast<uint32_t>(limit - open), length) && open + length == to;
}

// Whether input from cursor to next was rightly left unreported.
bool GapExplained(const Event* previous, const char* cursor, const char* next,
                  const char* limit) {
  if (next == cursor) return true;
  if (previous == nullptr || next < cursor) return false;
  if (previous->kind == Event::kOpen && previous->at + 1 == cursor)
    return IsWholeGroup(previous->at, next, limit) ||
           (next == cursor + 2 && cursor[0] == '\\' && cursor[1] == '*');
  return previous->kind == Event::kBinWord;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const ReadingRules& rules = *kRules[data[0] % std::size(kRules)];
  const size_t length = size - 2;
  std::unique_ptr<char[]> text(new char[length == 0 ? 1 : length]);
  std::memcpy(text.get(), data + 2, length);
  const char* begin = text.get();
  const char* limit = begin + length;
  const char* stop = begin + length * (data[1] & 7) / 7;
  Recorder recorder(data[1] >> 3);

  const char* end = ScanRtf(rules, begin, stop, limit, recorder);

  const char* cursor = begin;
  const Event* previous = nullptr;
  for (const Event& event : recorder.events) {
    if (event.kind == Event::kGroup) {
      // Reported right after its '{': closed within reach, or not at all;
      // one out of reach is read into, as its '{' alone.
      Require(previous != nullptr && previous->kind == Event::kOpen && previous->at == event.at);
      uint32_t length = 0;
      const bool closes = FindGroupEnd(event.at, static_cast<uint32_t>(limit - event.at), length);
      Require(closes == (event.length != 0) && (!closes || length == event.length));
      if (closes) {
        cursor = event.at + event.length;
        previous = &event;
      }
      continue;
    }
    Require(GapExplained(previous, cursor, event.at, limit));
    Require(event.at < stop && event.at + event.length <= stop);
    cursor = event.at + event.length;
    previous = &event;
  }
  const size_t stopAfter = data[1] >> 3;
  if (stopAfter != 0 && recorder.events.size() == stopAfter) {
    Require(end == recorder.events.back().at);
  } else {
    Require(end >= stop && end <= limit);
    Require(GapExplained(previous, cursor, end, limit));
  }
  return 0;
}
