// The scanner's loop, for listeners known when the program is compiled:
// a reading that scans a whole document calls its listener for every token,
// and calls that the compiler can see through cost less than virtual ones.
// Other readings use ScanRtf (rtf_scanner.h), the same loop.
#ifndef BTE_RTFFILTER_READER_RTF_SCANNER_LOOP_H
#define BTE_RTFFILTER_READER_RTF_SCANNER_LOOP_H

#include "rtffilter/reader/reading_rules.h"
#include "rtffilter/reader/rtf_listener.h"

namespace bte::rtf {
namespace scanner_detail {

enum class GroupWord { kNone, kWord, kDestination };

// What follows the '{' at open, read up to limit: "\*" or not, then a
// control word, which may be one of the destination table. The group's
// length is left to the caller.
inline GroupWord ReadGroupWord(const char* open, const char* limit, DestinationGroup& group) {
  const char* word = open + 1;
  group.starred = limit - word >= 2 && word[0] == '\\' && word[1] == '*';
  if (group.starred) word += 2;
  if (word >= limit || *word != '\\') return GroupWord::kNone;
  ReadRtfToken(word, static_cast<uint32_t>(limit - word), group.wordToken);
  if (group.wordToken.kind != TokenControlWord) return GroupWord::kNone;
  group.open = open;
  group.word = word;
  return LookupDestination(word + 1, group.wordToken.nameLength - 1, group.category)
             ? GroupWord::kDestination
             : GroupWord::kWord;
}

// After \binN, the N bytes of data (up to limit); after any other word,
// after itself.
inline const char* AfterWord(const char* word, const RTFToken& token, const char* limit) {
  const char* after = word + token.length;
  const int64_t count = BinaryDataLength(word, token);
  return count < limit - after ? after + count : limit;
}

// Each step reads one token (or group) and returns where reading goes on,
// or null once the listener has stopped the scan at stoppedAt_.
template <class Listener>
class Scanner {
 public:
  Scanner(const ReadingRules& rules, const char* stop, const char* limit, Listener& listener)
      : rules_(rules), stop_(stop), limit_(limit), listener_(listener) {}

  const char* Run(const char* p) {
    while (p != nullptr && p < stop_) p = Step(p);
    return p == nullptr ? stoppedAt_ : p;
  }

 private:
  const char* Step(const char* p) {
    ReadRtfToken(p, static_cast<uint32_t>(stop_ - p), token_);
    switch (token_.kind) {
      case TokenText:
        return listener_.OnText(p, token_) ? p + token_.length : Stop(p);
      case TokenControlWord:
        return Word(p, token_);
      case TokenControlSymbol:
        if (rules_.readsHexEscapesWhole && token_.length == 2 && p[1] == '\'' && stop_ - p >= 4)
          token_.length = 4;
        return listener_.OnControlSymbol(p, token_) ? p + token_.length : Stop(p);
      case TokenGroupClose:
        return listener_.OnGroupClose(p) ? p + 1 : Stop(p);
      default:  // TokenGroupOpen
        return listener_.OnGroupOpen(p) ? AfterGroupOpen(p) : Stop(p);
    }
  }

  const char* Word(const char* p, const RTFToken& word) {
    if (!listener_.OnControlWord(p, word)) return Stop(p);
    return AfterWord(p, word, limit_);
  }

  const char* AfterGroupOpen(const char* open) {
    DestinationGroup group;
    const GroupWord kind = ReadGroupWord(open, limit_, group);
    const GroupAction action =
        kind != GroupWord::kDestination
            ? GroupAction::kEnter
            : (group.starred ? rules_.starred : rules_.plain).byCategory[group.category];
    if (action == GroupAction::kEnter) {
      // A word read up to limit is the same token read up to stop when it
      // ends before stop; it is not read twice.
      if (kind != GroupWord::kNone && !group.starred &&
          group.word + group.wordToken.length <= stop_)
        return Word(group.word, group.wordToken);
      return open + 1;
    }
    uint32_t length = 0;
    group.length = FindGroupEnd(open, static_cast<uint32_t>(limit_ - open), length) ? length : 0;
    if (action == GroupAction::kHandOut && !listener_.OnDestination(group)) return Stop(open);
    if (action == GroupAction::kPassOver && group.length != 0 && !listener_.OnPassOver(group))
      return Stop(open);
    if (group.length != 0) return open + group.length;
    // Its end is out of reach: read into it, past its "\*".
    return group.starred ? group.word : open + 1;
  }

  const char* Stop(const char* at) {
    stoppedAt_ = at;
    return nullptr;
  }

  const ReadingRules& rules_;
  const char* const stop_;
  const char* const limit_;
  Listener& listener_;
  RTFToken token_;
  const char* stoppedAt_ = nullptr;
};

}  // namespace scanner_detail

// ScanRtf with a listener of a type known here; Listener has the methods
// of RtfListener.
template <class Listener>
const char* ScanRtfWith(const ReadingRules& rules, const char* from, const char* stop,
                        const char* limit, Listener& listener) {
  return scanner_detail::Scanner<Listener>(rules, stop, limit, listener).Run(from);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_RTF_SCANNER_LOOP_H
