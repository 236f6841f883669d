#include "rtffilter/content_scanner.h"

#include <cstring>

#include "rtffilter/keyword_tables.h"

namespace bte::rtf {
namespace {

bool WordIs(const char* letters, uint32_t count, const char* word) {
  return std::strlen(word) == count && std::memcmp(letters, word, count) == 0;
}

void ReadStateNumber(const char* after, const char* end, int32_t& field) {
  int64_t value = 0;
  if (ReadNumberAfterBlanks(after, end, value)) field = static_cast<int32_t>(value);
}

// \pard resets the paragraph properties; \itap, \ilvl and \ls set one each.
void FollowParagraphWord(const char* p, const char* end, const RTFToken& token,
                         ParagraphListState& state) {
  const char* letters = p + 1;
  const uint32_t count = token.nameLength - 1;
  const char* after = p + token.nameLength;
  if (WordIs(letters, count, "pard"))
    state = ParagraphListState{};
  else if (WordIs(letters, count, "itap"))
    ReadStateNumber(after, end, state.tableDepth);
  else if (WordIs(letters, count, "ilvl"))
    ReadStateNumber(after, end, state.listLevel);
  else if (WordIs(letters, count, "ls"))
    ReadStateNumber(after, end, state.listOverride);
}

int32_t UnitCodeOf(int32_t category) {
  switch (category) {
    case DestUnit:
    case DestAnnotation: return ItemContent;
    case DestListTextBullet: return ItemListTextBullet;
    case DestParaNumBullet: return ItemParaNumBullet;
    case DestNestedTableProps: return ItemNestedRow;
    default: return 0;  // passed over whole
  }
}

const char* AsUnitGroup(const char* open, uint32_t length, int32_t code, RTFToken& token) {
  token.kind = TokenUnitGroup;
  token.code = code;
  token.length = length;
  return open;
}

}  // namespace

const char* NextContentToken(RTFFilterPass& pass, const char* p, uint32_t range,
                             RTFToken& token, ParagraphListState* state) {
  const char* const end = p + range;
  const char* lastOpen = nullptr;
  while (p < end) {
    const uint32_t left = static_cast<uint32_t>(end - p);
    ReadRtfToken(p, left, token);
    switch (token.kind) {
      case TokenText:
        return p;
      case TokenGroupOpen:
        lastOpen = p;
        if (state != nullptr) pass.stateStack.push_back(*state);
        p += 1;
        continue;
      case TokenGroupClose:
        lastOpen = nullptr;
        if (state != nullptr && !pass.stateStack.empty()) {
          *state = pass.stateStack.back();
          pass.stateStack.pop_back();
        }
        p += 1;
        continue;
      case TokenControlWord: {
        const char* letters = p + 1;
        const uint32_t count = token.nameLength - 1;
        int32_t value = 0;
        if (LookupSpecialWord(letters, count, value)) {
          token.code = value;
          return p;
        }
        if (LookupDestination(letters, count, value)) {
          uint32_t groupLength = 0;
          if (lastOpen != nullptr && lastOpen + 1 == p &&
              FindGroupEnd(lastOpen, static_cast<uint32_t>(end - lastOpen), groupLength)) {
            if (value == DestUnit) return AsUnitGroup(lastOpen, groupLength, ItemContent, token);
            p = lastOpen + groupLength;
            continue;
          }
        } else if (state != nullptr) {
          FollowParagraphWord(p, end, token, *state);
        }
        p += token.length;
        continue;
      }
      case TokenControlSymbol: {
        if (token.length < 2 || p[1] != '*') return p;
        const uint32_t starLength = token.length;
        const char* word = p + starLength;
        int32_t category = 0;
        bool isDestination = false;
        if (word < end) {
          RTFToken next;
          ReadRtfToken(word, static_cast<uint32_t>(end - word), next);
          isDestination = next.kind == TokenControlWord &&
                          LookupDestination(word + 1, next.nameLength - 1, category);
        }
        if (!isDestination || lastOpen == nullptr || lastOpen + 1 != p) {
          token.length = starLength;
          token.kind = TokenControlSymbol;
          return p;
        }
        uint32_t groupLength = 0;
        const bool found =
            FindGroupEnd(lastOpen, static_cast<uint32_t>(end - lastOpen), groupLength);
        const int32_t unitCode = UnitCodeOf(category);
        if (unitCode != 0) return AsUnitGroup(lastOpen, found ? groupLength : 0, unitCode, token);
        p = found ? lastOpen + groupLength : p + starLength;
        continue;
      }
      default:
        p += token.length;
        continue;
    }
  }
  return nullptr;
}

}  // namespace bte::rtf
