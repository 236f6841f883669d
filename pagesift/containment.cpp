#include "pagesift/containment.h"

#include <vector>

#include "pagesift/tag_codes.h"
#include "pagesift/tag_table.h"

namespace pagesift {
namespace {

constexpr uint32_t kFlowBits = 0xA0000100;      // "A"
constexpr uint32_t kPhrasingBits = 0xA0020000;  // "B"
constexpr uint32_t kPartBits = 0xA0011000;      // "D"
constexpr uint32_t kUnknownHoldsAnything = 255;

bool HasBits(uint32_t value, uint32_t bits) { return (value & bits) == bits; }
bool IsOneOf(uint32_t id, std::initializer_list<uint32_t> ids) {
  for (uint32_t candidate : ids) {
    if (id == candidate) return true;
  }
  return false;
}

struct Candidate {
  uint32_t major;
  uint32_t id;  // without the end-tag bit
  bool inl;
  bool blk;
  bool everywhere;  // ins and del
  bool a;
  bool b;
  bool d;
};

// Content types whose rule is a plain list of ids or bits.
bool SimpleRule(uint32_t content, const Candidate& t, bool& answer) {
  const bool u = t.everywhere;
  switch (content) {
    case 0: answer = false; return true;
    case 1: answer = (t.major & 0x80000000) != 0; return true;
    case 2: answer = (t.major & 0x40000000) != 0; return true;
    case 3: answer = (t.major & 0x20000000) ? (t.id == 0x40 ? u : true) : u; return true;
    case 4: answer = (t.major & 0x30000000) != 0 || u; return true;
    case 16: answer = IsOneOf(t.id, {0x22060, 0x10020, 0x10030, 0x10040}); return true;
    case 17: answer = t.inl ? (t.id == kTagAnchor ? u : true) : u; return true;
    case 18: answer = t.id == kTagParam || t.inl || u; return true;
    case 19: answer = t.id == kTagParam || t.id == kTagObject || t.blk || u; return true;
    case 20: answer = t.id == 0x20271 || u; return true;
    case 21: answer = t.id == 0x20311 || u; return true;
    case 22: answer = t.inl ? (t.id == 0x20330 ? u : true) : u; return true;
    case 24: answer = t.id == 0x21011 || t.id == 0x21012 || u; return true;
    case 25: answer = t.blk ? (t.id == 0x21060 ? u : true) : u; return true;
    case 27: case 28: case 29: answer = t.id == kTagTableRow || u; return true;
    case 30: answer = t.id == 0x21092 || u; return true;
    case 31: answer = t.id == kTagTableHeaderCell || t.id == kTagTableCell || u; return true;
    case 32: answer = t.blk || t.id == 0x210A1 || u; return true;
    case 33: answer = t.inl || t.id == 0x21000 || u; return true;
    case 37: case 64: case 65: answer = t.id == 0x40000000 || u; return true;
    case 66: answer = t.blk || t.a || u; return true;
    case 67: case 68: case 69: case 81: answer = t.inl || t.b || u; return true;
    case 80: answer = t.inl || t.b || t.a || u || IsOneOf(t.id, {0x21030, 0x21050, 0x21300}); return true;
    case 82: answer = t.inl || t.b || u || IsOneOf(t.id, {0x21030, 0x21050, 0x21000}); return true;
    case 112: case 113: answer = t.inl || u; return true;
    default: return false;
  }
}

bool IsTablePart(uint32_t id) {
  return id == kTagTableRow || id == kTagTableHeaderCell || (id >= 0x21091 && id <= 0x21096);
}

// Content types whose rule has several steps. (The filter's own copy of this
// model also marks tags admitted out of place; finding an extent does not.)
bool SteppedRule(uint32_t content, const Candidate& t) {
  const bool u = t.everywhere;
  switch (content) {
    case 23:
      if (!t.blk || IsOneOf(t.id, {kTagAnchor, 0x21060, 0x21070, 0x210A0})) return u;
      return t.d ? u : true;
    case 26:
      return true;
    case 34: case 35:
      if (t.id == 0x21201) return true;
      return t.blk ? (t.id == kTagTable ? u : true) : u;
    case 36:
      return t.inl || u || t.id == 0x21000 || t.id == 0x21300;
    case 96:
      if (t.blk) return true;
      if (!t.a) return u;
      return t.id == 0x21012 ? u : true;
    case 97: case 98:
      if (t.blk) return true;
      if (!t.a || t.id == kTagTableHeaderCell || t.id == kTagTableCell) return u;
      return t.id == kTagTableRow ? u : true;
    case 99:
      if (t.blk && !IsOneOf(t.id, {0x21200, 0x21210, 0x21220, 0x21230, kTagTable})) return true;
      if (!t.a || t.id == 0x21201 || IsTablePart(t.id)) return u;
      return t.id == 0x21096 ? u : true;
    default:
      return true;
  }
}

}  // namespace

bool CanContain(const CHtmlTagItem& container, const CHtmlTagItem& tag) {
  Candidate t;
  t.major = tag.GetMjrType();
  if ((t.major >> 24) == 0xFF) return true;
  t.id = tag.GetTagId() & ~kEndTagBit;
  t.inl = tag.IsInlineLevelTag() != 0;
  t.blk = tag.IsBlockTag() != 0;
  t.everywhere = t.id == 0x22000 || t.id == 0x22010;
  t.a = HasBits(t.major, kFlowBits);
  t.b = HasBits(t.major, kPhrasingBits);
  t.d = HasBits(t.major, kPartBits);
  uint32_t content = container.GetCntType();
  if (container.IsUnknownTag()) {
    content = (container.GetTokenFlag() & kTokenFlagUnknownContainer) ? kUnknownHoldsAnything : 0;
  }
  bool answer = false;
  if (SimpleRule(content, t, answer)) return answer;
  return SteppedRule(content, t);
}

namespace {

// Index of the topmost entry that can hold tag, or -1.
long FindHolder(const std::vector<const CHtmlTagItem*>& stack, const CHtmlTagItem& tag) {
  for (long i = static_cast<long>(stack.size()) - 1; i >= 0; --i) {
    if (CanContain(*stack[i], tag)) return i;
  }
  return -1;
}

long FindOpen(const std::vector<const CHtmlTagItem*>& stack, uint32_t id) {
  for (long i = static_cast<long>(stack.size()) - 1; i >= 0; --i) {
    if (stack[i]->GetTagId() == id) return i;
  }
  return -1;
}

bool HasBlock(const std::vector<const CHtmlTagItem*>& stack) {
  for (const CHtmlTagItem* entry : stack) {
    if (entry->IsBlockLevelTag() || entry->IsBlockLevelEmbeddedTag()) return true;
  }
  return false;
}

bool HoldsNothing(const CHtmlTagItem& tag) {
  if (tag.IsMarkupTag()) return true;
  if (tag.IsUnknownTag()) return !(tag.GetTokenFlag() & kTokenFlagUnknownContainer);
  return tag.IsVoidTag() != 0;
}

HtmlPosition NextLive(HtmlPosition position) {
  do {
    position = CHtmlTokenList::GetNext(position);
  } while (position && position->token->IsDiscardedToken());
  return position;
}

}  // namespace

ElementExtent FindElementExtent(HtmlPosition start) {
  ElementExtent extent;
  CHtmlTagItem* startTag = CHtmlTokenList::GetTagItem(start);
  if (!startTag || startTag->IsEndTag()) return extent;
  extent.last = start;
  const uint32_t id = startTag->GetTagId();
  if (HoldsNothing(*startTag)) {
    HtmlPosition next = NextLive(start);
    CHtmlTagItem* end = CHtmlTokenList::GetTagItem(next);
    if (end && end->GetTagId() == (id | kEndTagBit) && end->GetTagText().empty()) {
      extent = ElementExtent{next, true};
    }
    return extent;
  }
  // Unlike a counter of nested elements of the same kind, stacking them
  // keeps what they hold matched against them.
  std::vector<const CHtmlTagItem*> stack;
  stack.reserve(10);
  stack.push_back(startTag);
  for (HtmlPosition position = NextLive(start); position; position = NextLive(position)) {
    CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(position);
    if (!tag) {
      extent.last = position;
      continue;
    }
    if (tag->IsEndTag()) {
      long open = FindOpen(stack, tag->GetTagId() & ~kEndTagBit);
      if (open == 0) {
        extent = ElementExtent{position, true};
        break;
      }
      if (open > 0) {
        stack.resize(static_cast<size_t>(open));
      } else if (!(tag->IsInlineLevelTag() && HasBlock(stack))) {
        break;
      }
    } else {
      long holder = FindHolder(stack, *tag);
      if (holder < 0) break;
      stack.resize(static_cast<size_t>(holder) + 1);
      stack.push_back(tag);
    }
    extent.last = position;
  }
  return extent;
}

}  // namespace pagesift
