// The containment model of the element removal: may an open element hold a
// new tag, or does the tag end it? Content types (of the container) and
// major-type bits (of the tag) are the HTML library's codes; each content
// type is one row below.
#include <initializer_list>
#include <optional>

#include "htmlfilter/filter_pass.h"
#include "htmlfilter/open_element_stack.h"

namespace bte {
namespace {

using pagesift::kEndTagBit;
using pagesift::kTokenFlagMisplaced;
using pagesift::kTokenFlagUnknownContainer;

bool HasAll(uint32_t word, uint32_t bits) { return (word & bits) == bits; }
bool IsOneOf(uint32_t id, std::initializer_list<uint32_t> ids) {
  for (uint32_t candidate : ids)
    if (id == candidate) return true;
  return false;
}
bool InRange(uint32_t id, uint32_t first, uint32_t last) { return id >= first && id <= last; }

// What the rows read of the new tag.
struct NewTag {
  CHtmlTagItem* tag;
  uint32_t major;  // M
  uint32_t id;     // T, end bit cleared
  bool inl;        // inline level
  bool blk;        // block (level or embedded)
  bool u;          // admitted wherever a row answers U
  bool a, b, d;    // major-type bit groups

  void MarkMisplaced() const { tag->SetTokenFlag(kTokenFlagMisplaced); }
};

NewTag Describe(CHtmlTagItem* tag) {
  NewTag t{};
  t.tag = tag;
  t.major = tag->GetMjrType();
  t.id = tag->GetTagId() & ~kEndTagBit;
  t.inl = tag->IsInlineLevelTag() != 0;
  t.blk = tag->IsBlockTag() != 0;
  t.u = t.id == 0x22000 || t.id == 0x22010;
  t.a = HasAll(t.major, 0xA0000100);
  t.b = HasAll(t.major, 0xA0020000);
  t.d = HasAll(t.major, 0xA0011000);
  return t;
}

// Rows 0 to 37: structure below the body; none for other content types.
std::optional<bool> LowerRows(uint32_t content, const NewTag& t) {
  const uint32_t m = t.major;
  switch (content) {
    case 0: return false;
    case 1: return (m & 0x80000000) != 0;
    case 2: return (m & 0x40000000) != 0;
    case 3: return (m & 0x20000000) ? (t.id == 0x40 ? t.u : true) : t.u;
    case 4: return (m & 0x10000000) || (m & 0x20000000) || t.u;
    case 16: return IsOneOf(t.id, {0x22060, 0x10020, 0x10030, 0x10040});
    case 17: return t.inl ? (t.id == 0x20200 ? t.u : true) : t.u;
    case 18: return t.id == 0x20221 || t.inl || t.u;
    case 19: return IsOneOf(t.id, {0x20221, 0x20230}) || t.blk || t.u;
    case 20: return t.id == 0x20271 || t.u;
    case 21: return t.id == 0x20311 || t.u;
    case 22: return t.inl ? (t.id == 0x20330 ? t.u : true) : t.u;
    case 23:
      if (!t.blk || IsOneOf(t.id, {0x20200, 0x21060, 0x21070, 0x210A0})) return t.u;
      return t.d ? t.u : true;
    case 24: return IsOneOf(t.id, {0x21011, 0x21012}) || t.u;
    case 25: return t.blk ? (t.id == 0x21060 ? t.u : true) : t.u;
    case 26:
      if (!IsOneOf(t.id, {0x2109A, 0x2109B}) && !InRange(t.id, 0x21091, 0x21096))
        t.MarkMisplaced();
      return true;
    case 27: case 28: case 29: return t.id == 0x2109A || t.u;
    case 30: return t.id == 0x21092 || t.u;
    case 31: return IsOneOf(t.id, {0x2109B, 0x2109C}) || t.u;
    case 32: return t.blk || t.id == 0x210A1 || t.u;
    case 33: return t.inl || t.id == 0x21000 || t.u;
    case 34: case 35:
      if (t.id == 0x21201) return true;
      return t.blk ? (t.id == 0x21090 ? t.u : true) : t.u;
    case 36:
      if (t.inl) {
        if (IsOneOf(t.id, {0x20210, 0x20060, 0x20070, 0x20290, 0x202A0, 0x20240}))
          t.MarkMisplaced();
        return true;
      }
      return t.u || t.id == 0x21000 || t.id == 0x21300;
    case 37: return t.id == 0x40000000 || t.u;
    default: return std::nullopt;
  }
}

// Rows 64 and up: document structure, lists and tables.
bool UpperRows(uint32_t content, const NewTag& t) {
  switch (content) {
    case 64: case 65: return t.id == 0x40000000 || t.u;
    case 66: return t.blk || t.a || t.u;
    case 67: case 68: case 69: case 81: return t.inl || t.b || t.u;
    case 80:
      return t.inl || t.b || t.a || t.u || IsOneOf(t.id, {0x21030, 0x21050, 0x21300});
    case 82:
      return t.inl || t.b || t.u || IsOneOf(t.id, {0x21030, 0x21050, 0x21000});
    case 96:
      if (t.blk) return true;
      if (!t.a) return t.u;
      return t.id == 0x21012 ? t.u : true;
    case 97: case 98:
      if (t.blk) return true;
      if (!t.a || IsOneOf(t.id, {0x2109B, 0x2109C})) return t.u;
      return t.id == 0x2109A ? t.u : true;
    case 99:
      if (t.blk && !IsOneOf(t.id, {0x21200, 0x21210, 0x21220, 0x21230, 0x21090})) return true;
      if (!t.a || IsOneOf(t.id, {0x21201, 0x2109A, 0x2109B}) || InRange(t.id, 0x21091, 0x21095))
        return t.u;
      return t.id == 0x21096 ? t.u : true;
    case 112: case 113: return t.inl || t.u;
    default: return true;
  }
}

}  // namespace

uint32_t ContainerContentType(const CHtmlTagItem& container) {
  if (container.IsUnknownTag())
    return (container.GetTokenFlag() & kTokenFlagUnknownContainer) ? 255 : 0;
  return container.GetCntType();
}

int HtmlFilterPass::CanContain(const CHtmlTagItem* container, CHtmlTagItem* tag) {
  const NewTag t = Describe(tag);
  if ((t.major >> 24) == 0xFF) return 1;
  const uint32_t content = ContainerContentType(*container);
  const std::optional<bool> lower = LowerRows(content, t);
  if (lower.has_value()) return *lower ? 1 : 0;
  return UpperRows(content, t) ? 1 : 0;
}

}  // namespace bte
