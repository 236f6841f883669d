#include "rtffilter/reader/rtf_scanner.h"

#include <string_view>

namespace bte::rtf {
namespace {

// "{", an optional "\*" and a word of the destination table at open, read
// up to limit; the group's length is left to the caller.
bool ReadDestinationWord(const char* open, const char* limit, DestinationGroup& group) {
  const char* word = open + 1;
  group.starred = limit - word >= 2 && word[0] == '\\' && word[1] == '*';
  if (group.starred) word += 2;
  if (word >= limit || *word != '\\') return false;
  ReadRtfToken(word, static_cast<uint32_t>(limit - word), group.wordToken);
  if (group.wordToken.kind != TokenControlWord ||
      !LookupDestination(word + 1, group.wordToken.nameLength - 1, group.category))
    return false;
  group.open = open;
  group.word = word;
  return true;
}

// Where reading goes on after the '{' at open, or null when the listener
// stopped at the group it was handed.
const char* AfterGroupOpen(const ReadingRules& rules, const char* open, const char* limit,
                           RtfListener& listener) {
  DestinationGroup group;
  if (!ReadDestinationWord(open, limit, group)) return open + 1;
  const GroupAction action =
      (group.starred ? rules.starred : rules.plain).byCategory[group.category];
  if (action == GroupAction::kEnter) return open + 1;
  uint32_t length = 0;
  group.length = FindGroupEnd(open, static_cast<uint32_t>(limit - open), length) ? length : 0;
  if (action == GroupAction::kHandOut && !listener.OnDestination(group)) return nullptr;
  if (group.length != 0) return open + group.length;
  // Its end is out of reach: read into it, past its "\*".
  return group.starred ? group.word : open + 1;
}

// After \binN, the N bytes of data (up to limit); after any other word,
// after itself.
const char* AfterWord(const char* word, const RTFToken& token, const char* limit) {
  const char* after = word + token.length;
  if (std::string_view(word + 1, token.nameLength - 1) != "bin") return after;
  int64_t count = 0;
  if (!ReadNumberAfterBlanks(word + token.nameLength, after, count) || count <= 0) return after;
  return count < limit - after ? after + count : limit;
}

}  // namespace

const char* ScanRtf(const ReadingRules& rules, const char* p, const char* stop,
                    const char* limit, RtfListener& listener) {
  RTFToken token;
  while (p < stop) {
    ReadRtfToken(p, static_cast<uint32_t>(stop - p), token);
    switch (token.kind) {
      case TokenText:
        if (!listener.OnText(p, token)) return p;
        p += token.length;
        break;
      case TokenControlWord:
        if (!listener.OnControlWord(p, token)) return p;
        p = rules.passesOverBinaryData ? AfterWord(p, token, limit) : p + token.length;
        break;
      case TokenControlSymbol:
        if (rules.readsHexEscapesWhole && token.length == 2 && p[1] == '\'' && stop - p >= 4)
          token.length = 4;
        if (!listener.OnControlSymbol(p, token)) return p;
        p += token.length;
        break;
      case TokenGroupClose:
        if (!listener.OnGroupClose(p)) return p;
        p += 1;
        break;
      default: {  // TokenGroupOpen
        if (!listener.OnGroupOpen(p)) return p;
        const char* next = AfterGroupOpen(rules, p, limit, listener);
        if (next == nullptr) return p;
        p = next;
        break;
      }
    }
  }
  return p;
}

}  // namespace bte::rtf
