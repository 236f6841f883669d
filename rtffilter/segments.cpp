#include "rtffilter/segments.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif

#include "rtffilter/annotation_text.h"
#include "rtffilter/host_markup.h"
#include "rtffilter/markup.h"
#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {

uint32_t BuildTagRange::Id() {
  if (!idKnown) {
    id = startMarker == nullptr
             ? 0
             : ReadMarkerNumber(startMarker->text, startMarker->length, kRangeStart.size());
    idKnown = 1;
  }
  return id;
}

namespace {

using OpenSet = std::vector<BuildTagRange*>;

// Whether a group of list text or number text starts at p, a '{' with at
// least four bytes from it to end: the host's "{\*\listtextkvt" and
// "{\*\pntextkvt", a word processor's "{\listtext" and "{\pntext". Most
// groups fail on the first byte after the backslashes.
bool StartsListTextGroup(const char* p, const char* end) {
  static constexpr std::string_view kWords[] = {"listtextkvt", "pntextkvt", "listtext", "pntext"};
  const bool starred = p[2] == '*' && p[3] == '\\';
  const char* word = starred ? p + 4 : p + 2;
  if (word == end || (*word != 'l' && *word != 'p')) return false;
  for (size_t i = starred ? 0 : 2; i < (starred ? 2 : 4); ++i)
    if (static_cast<size_t>(end - word) >= kWords[i].size() &&
        std::memcmp(word, kWords[i].data(), kWords[i].size()) == 0)
      return true;
  return false;
}

// Where the data of a \binN word at word (a backslash) ends: after the word
// and its N bytes, at most end; null when no such word starts there. A
// backslash escaped by those before it (back to floor) starts none.
const char* AfterBinaryData(const char* floor, const char* word, const char* end) {
  const char* run = word;
  while (run > floor && run[-1] == '\\') --run;
  if ((word - run) % 2 != 0) return nullptr;
  RTFToken token;
  ReadRtfToken(word, static_cast<uint32_t>(end - word), token);
  const int64_t data = BinaryDataLength(word, token);
  if (data <= 0) return nullptr;
  const char* after = word + token.length;
  return data < end - after ? after + data : end;
}

// Calls visit(p) for every brace followed by a backslash at p, in order, p
// at least four bytes before end, passing over the data after \binN: its
// bytes are no RTF. Sixteen bytes are compared at once where the processor
// can: a table document has a brace every 25 bytes or so, and a search call
// per brace cost more than the bytes between them.
template <class Visit>
void ForEachBraceBackslash(const char* input, const char* end, Visit&& visit) {
  if (end - input < 4) return;
  const char* p = input;
  const char* floor = input;  // where binary data last ended
  // A brace is visited; after a "\bi" that starts binary data, where the
  // search goes on.
  auto candidate = [&](const char* at) -> const char* {
    if (*at == '{') {
      visit(at);
      return nullptr;
    }
    const char* after = AfterBinaryData(floor, at, end);
    if (after != nullptr) floor = after;
    return after;
  };
#if defined(__SSE2__) && defined(__GNUC__)
  const __m128i brace = _mm_set1_epi8('{');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i letterB = _mm_set1_epi8('b');
  const __m128i letterI = _mm_set1_epi8('i');
  // Nineteen bytes left: the three loads lie inside, and so do the four
  // bytes from each of the sixteen places.
  while (end - p >= 19) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i third = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2));
    const __m128i pairs =
        _mm_and_si128(_mm_cmpeq_epi8(here, brace), _mm_cmpeq_epi8(next, backslash));
    const __m128i words = _mm_and_si128(
        _mm_and_si128(_mm_cmpeq_epi8(here, backslash), _mm_cmpeq_epi8(next, letterB)),
        _mm_cmpeq_epi8(third, letterI));
    const char* resume = p + 16;
    for (unsigned found = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(pairs, words)));
         found != 0; found &= found - 1) {
      if (const char* after = candidate(p + __builtin_ctz(found))) {
        resume = after;
        break;
      }
    }
    p = resume;
  }
#endif
  for (const char* const last = end - 3; p < last; ++p) {
    const bool pair = p[0] == '{' && p[1] == '\\';
    if (!pair && !(p[0] == '\\' && p[1] == 'b' && p[2] == 'i')) continue;
    if (const char* after = candidate(p)) p = after - 1;
  }
}

// Where each kind of marker occurs, found in one scan of the input (within
// its bounds, so a zero byte inside binary data hides nothing). Every marker
// starts with "{\*\", checked inline: braces are frequent in RTF, markers
// are not. Find answers what a search for that marker from a position would.
// The scan also notes list text groups on its way.
class MarkerIndex {
 public:
  enum Kind { kStart, kEnd, kAnnotation, kKinds };

  MarkerIndex(const char* input, uint32_t length) {
    static constexpr std::string_view kMarkers[kKinds] = {kRangeStart, kRangeEnd,
                                                          kAnnotationIdGroup};
    constexpr size_t kTellingByte = 8;
    static_assert(kRangeStart[kTellingByte] != kRangeEnd[kTellingByte] &&
                      kRangeStart[kTellingByte] != kAnnotationIdGroup[kTellingByte] &&
                      kRangeEnd[kTellingByte] != kAnnotationIdGroup[kTellingByte],
                  "the markers differ at the telling byte");
    const char* const end = input + length;
    ForEachBraceBackslash(input, end, [&](const char* p) {
      if (!hasListTextGroup_ && StartsListTextGroup(p, end)) hasListTextGroup_ = true;
      // All three markers go on with "at"; most other "{\*\" groups do not.
      if (p[2] != '*' || p[3] != '\\' || end - p < 6 || p[4] != 'a' || p[5] != 't') return;
      // Each marker has a byte of its own at kTellingByte, so at most one
      // is compared in full.
      for (int kind = 0; kind < kKinds; ++kind) {
        const std::string_view marker = kMarkers[kind];
        if (static_cast<size_t>(end - p) >= marker.size() && p[kTellingByte] == marker[kTellingByte] &&
            std::memcmp(p + 4, marker.data() + 4, marker.size() - 4) == 0) {
          positions_[kind].push_back(p);
          break;
        }
      }
    });
  }

  size_t Count(Kind kind) const { return positions_[kind].size(); }
  bool hasListTextGroup() const { return hasListTextGroup_; }

  // The first marker of kind at or after from, or null. from never moves
  // back between calls, so each list is walked once.
  const char* Find(Kind kind, const char* from) {
    const auto& list = positions_[kind];
    size_t& next = next_[kind];
    while (next < list.size() && list[next] < from) ++next;
    return next == list.size() ? nullptr : list[next];
  }

 private:
  LargeVector<const char*> positions_[kKinds];
  size_t next_[kKinds] = {};
  bool hasListTextGroup_ = false;
};

// Range numbers to ranges, the first range of a number winning. Writers
// number ranges 1, 2, 3, ... in order, so numbers up to twice the expected
// count go straight to a slot of their own, filled and read in order; any
// other number goes to an open-addressing table. Scattered lookups in a
// table of megabytes cost a cache miss each, 5-7% of a tagged
// document's filtering.
class RangeNumberIndex {
 public:
  explicit RangeNumberIndex(size_t expected) : direct_(2 * expected + 16) {
    while ((size_t{1} << bits_) < expected * 2) ++bits_;
  }

  void AddFirst(uint32_t number, BuildTagRange* range) {
    if (number < direct_.size()) {
      if (direct_[number] == nullptr) direct_[number] = range;
      return;
    }
    if (slots_.empty()) slots_.resize(size_t{1} << bits_);
    if (used_ * 2 >= slots_.size()) Grow();
    Slot& slot = SlotOf(number);
    if (slot.range != nullptr) return;
    slot = {number, range};
    ++used_;
  }

  BuildTagRange* Find(uint32_t number) {
    if (number < direct_.size()) return direct_[number];
    return slots_.empty() ? nullptr : SlotOf(number).range;
  }

 private:
  struct Slot {
    uint32_t number = 0;
    BuildTagRange* range = nullptr;
  };

  // The slot holding number, or the empty slot where it would go. The
  // product's high bits pick the slot: low bits alone would send numbers
  // in steps of a power of two (1024, 2048, ...) all to one slot.
  Slot& SlotOf(uint32_t number) {
    const size_t mask = slots_.size() - 1;
    const uint64_t spread = uint64_t{number} * 0x9E3779B97F4A7C15u;
    for (size_t at = static_cast<size_t>(spread >> (64 - bits_));; at = (at + 1) & mask) {
      Slot& slot = slots_[at];
      if (slot.range == nullptr || slot.number == number) return slot;
    }
  }

  void Grow() {
    ++bits_;
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    used_ = 0;
    for (const Slot& slot : old)
      if (slot.range != nullptr) AddFirst(slot.number, slot.range);
  }

  std::vector<BuildTagRange*> direct_;  // numbers below its size
  std::vector<Slot> slots_;             // the others; empty until one comes
  int bits_ = 4;                        // slots_ holds 2^bits_ slots
  size_t used_ = 0;
};

class Splitter {
 public:
  Splitter(const char* input, uint32_t length, SegmentList& list)
      : list_(list),
        input_(input),
        end_(input + length),
        markers_(input, length),
        byNumber_(markers_.Count(MarkerIndex::kStart)) {
    // Every marker handled adds at most the segment before it and itself;
    // reserving for all keeps the addresses that ranges and segments hold.
    size_t markers = 0;
    for (int kind = 0; kind < MarkerIndex::kKinds; ++kind)
      markers += markers_.Count(static_cast<MarkerIndex::Kind>(kind));
    list.segments.reserve(2 * markers + 1);
    list.ranges.reserve(markers_.Count(MarkerIndex::kStart) +
                        markers_.Count(MarkerIndex::kAnnotation));
    list.hasListTextGroup = markers_.hasListTextGroup();
  }

  FilterResult Run() {
    const char* cur = input_;
    const char* start = markers_.Find(MarkerIndex::kStart, cur);
    const char* annotation = markers_.Find(MarkerIndex::kAnnotation, cur);
    const char* close = markers_.Find(MarkerIndex::kEnd, cur);
    for (;;) {
      const char* m = Earliest(start, annotation, close);
      if (m == nullptr) {
        if (cur < end_) AddSegment(cur, end_);
        return FilterResult();
      }
      // A marker inside the extent of the markup just read: the pieces
      // would overlap, and writing them would repeat input.
      if (m < cur) return Fail(FailureReason::kMarkupOverlaps, m);
      if (m > cur) AddSegment(cur, m);
      FilterResult result;
      if (m == start) {
        result = RangeStart(m, cur);
        start = markers_.Find(MarkerIndex::kStart, cur);
      } else if (m == close) {
        result = RangeEnd(m, cur);
        close = markers_.Find(MarkerIndex::kEnd, cur);
      } else {
        result = Annotation(m, cur);
        annotation = markers_.Find(MarkerIndex::kAnnotation, cur);
      }
      if (!result.ok()) return result;
    }
  }

 private:
  static const char* Earliest(const char* a, const char* b, const char* c) {
    const char* best = nullptr;
    for (const char* p : {a, b, c})
      if (p != nullptr && (best == nullptr || p < best)) best = p;
    return best;
  }

  // The segment gets the open set as it is now.
  RTFSegment& AddSegment(const char* from, const char* to) {
    if (openChanged_) {
      openSlice_ = static_cast<uint32_t>(list_.rangePool.size());
      list_.rangePool.insert(list_.rangePool.end(), open_.begin(), open_.end());
      openChanged_ = false;
    }
    return list_.segments.emplace_back(from, static_cast<uint32_t>(to - from), openSlice_,
                                       static_cast<uint32_t>(open_.size()));
  }

  FilterResult Fail(FailureReason reason, const char* at, uint32_t number = 0) const {
    return Failure(reason, static_cast<uint32_t>(at - input_), number);
  }

  bool GroupAt(const char* m, uint32_t& length) {
    return FindGroupEnd(m, static_cast<uint32_t>(end_ - m), length);
  }

  FilterResult RangeStart(const char* m, const char*& cur) {
    uint32_t length = 0;
    if (!ReadPlainMarkerGroup(m, end_, kRangeStart, length) && !GroupAt(m, length))
      return Fail(FailureReason::kRangeStartUnclosed, m);
    BuildTagRange& range = list_.ranges.emplace_back();
    open_.push_back(&range);  // the start marker lies inside its range
    openChanged_ = true;
    range.startMarker = &AddSegment(m, m + length);
    byNumber_.AddFirst(range.Id(), &range);
    cur = m + length;
    return FilterResult();
  }

  FilterResult RangeEnd(const char* m, const char*& cur) {
    uint32_t length = 0;
    if (!ReadPlainMarkerGroup(m, end_, kRangeEnd, length) && !GroupAt(m, length))
      return Fail(FailureReason::kRangeEndUnclosed, m);
    RTFSegment& marker = AddSegment(m, m + length);
    const uint32_t number = ReadMarkerNumber(m, length, kRangeEnd.size());
    const auto ended = std::find_if(open_.begin(), open_.end(),
                                    [number](BuildTagRange* r) { return r->Id() == number; });
    if (ended == open_.end()) return Fail(FailureReason::kRangeEndNamesNoOpenRange, m, number);
    if ((*ended)->endMarker == nullptr) (*ended)->endMarker = &marker;
    open_.erase(ended);
    openChanged_ = true;
    cur = m + length;
    return FilterResult();
  }

  FilterResult Annotation(const char* m, const char*& cur) {
    AnnotationReading reading;
    if (!ReadHostAnnotation(m, end_, reading) && !ReadAnnotation(m, end_, reading, scratch_))
      return Fail(reading.failure, reading.failedAt);
    const char* to = m + reading.length;
    RTFSegment& segment = AddSegment(m, to);
    BuildTagRange* range = nullptr;
    if (reading.reference != 0) {
      range = byNumber_.Find(reading.reference);
      if (range == nullptr)
        return Fail(FailureReason::kAnnotationNamesNoRange, m, reading.reference);
    } else {
      range = &list_.ranges.emplace_back();
    }
    if (range->annotation == nullptr) range->annotation = &segment;
    if (reading.isBuildTag) {
      range->isBuildTag = 1;
      range->tagText = std::move(reading.tagText);
      for (RTFSegment* part : {range->startMarker, range->endMarker, range->annotation})
        if (part != nullptr) part->isMarker = 1;
    }
    cur = to;
    return FilterResult();
  }

  SegmentList& list_;
  const char* input_;
  const char* end_;
  MarkerIndex markers_;
  OpenSet open_;
  std::string scratch_;  // reused for the id and author texts
  bool openChanged_ = true;  // open_ differs from the last slice in the pool
  uint32_t openSlice_ = 0;
  RangeNumberIndex byNumber_;  // annotations name their range by number
};

}  // namespace

FilterResult SplitIntoSegments(const char* input, uint32_t length, SegmentList& segments) {
  return Splitter(input, length, segments).Run();
}

uint32_t MarkExcludedSegments(IBuildTagExprParser* parser, SegmentList& segments) {
  std::string tagSet;
  // Most ranges of a document carry one of a few tag sets: the last answer
  // is kept, as the parser's costs more than comparing the sets.
  std::string askedTagSet;
  int32_t askedExcluded = 0;
  uint32_t excluded = 0;
  // Neighbouring segments often share their open ranges, hence the answer.
  const RTFSegment* previous = nullptr;
  for (RTFSegment& segment : segments.segments) {
    if (segment.isMarker) continue;
    if (previous != nullptr && previous->firstRange == segment.firstRange &&
        previous->rangeCount == segment.rangeCount) {
      segment.excluded = previous->excluded;
      excluded += segment.excluded;
      continue;
    }
    previous = &segment;
    tagSet.clear();
    for (const BuildTagRange* range : segments.RangesOf(segment)) {
      if (!range->isBuildTag) continue;
      if (!tagSet.empty()) tagSet += ';';
      tagSet += range->tagText;
    }
    if (tagSet.empty()) continue;
    if (tagSet != askedTagSet) {
      askedTagSet = tagSet;
      askedExcluded = parser == nullptr || parser->IsIncluded(tagSet.c_str()) != S_OK;
    }
    segment.excluded = askedExcluded;
    excluded += segment.excluded;
  }
  return excluded;
}

}  // namespace bte::rtf
