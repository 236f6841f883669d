#include "pagesift/tag_table.h"

#include <cstddef>
#include <cstring>

#include "pagesift/tag_codes.h"

namespace pagesift {
namespace {

// The table below is the library's vocabulary for the containment model
// (can an open element X hold a new tag t?). Each element has:
//
// id: 0x1xxxx document structure and head content, 0x2xxxx body content
//   (0x20xxx phrasing, 0x21xxx blocks, 0x22xxx elements allowed almost
//   anywhere). 0x22000 and 0x22010 (ins, del) are admitted by every container
//   whose content rule does not name the tag outright. Ids that the content
//   rules mention but no element has (0x21000, 0x21011, 0x210A1, 0x21220,
//   0x21230, 0x21300) are reserved.
//
// major type: what kind of content the element is.
//   0xFF000000  admitted anywhere: markup, script, template, noscript,
//               unknown elements
//   0xA0020100  phrasing (inline) content: both "flow" (0xA0000100) and
//               "phrasing" (0xA0020000) bits
//   0xA0000100  flow content that is no phrasing: blocks, li, dt
//   0xE0000100  head content (bit 0x40000000) that may also stand in the body
//   0xA0000000  parts that only their own parent admits: table sections,
//               rows and cells, dd, param, option
//   0x00000000  html, head, body, frames
//
// content type: which tags the element holds.
//   0    nothing (void elements; raw text elements and option, whose text
//        is no tag)
//   2    head content (head)          16  head, body, frameset, noframes
//   17   phrasing except a            18  param and phrasing
//   19   param, object and blocks     20  option
//   24   li                           26  anything (a tag that is no table
//                                         part is flagged misplaced)
//   27-29 tr                          30  col
//   31   th, td                       33  phrasing (p)
//   34   dt and blocks except table   36  phrasing (pre; img, big, small,
//                                         sub, sup, applet flagged misplaced)
//   66   flow content                 96  flow except li
//   97-98 flow except tr, th, td      99  flow except dt, dd, table parts
//   112-113 phrasing                  255 anything
//   (The filter's removal scan sets kTokenFlagMisplaced; finding an
//   element's extent only asks whether the tag fits.)
//
// level: inline, block, block embedded (a block that lives only inside its
//   own parent: li, dt, table sections, rows, cells, caption, legend) or
//   none. dd is a block without the flow bit 0x100, so that dt and dd
//   content (99) refuses it while dl (34) and every flow container hold it.
//
// So an open p ends at the next block, li at the next li, td and th at the
// next cell or row, dt and dd at each other, option at the next option, a
// at the next a; tables hold whatever is put into them.

constexpr uint32_t kAnywhere = 0xFF000000;
constexpr uint32_t kPhrasing = 0xA0020100;
constexpr uint32_t kFlow = 0xA0000100;
constexpr uint32_t kHeadContent = 0xE0000100;
constexpr uint32_t kPart = 0xA0000000;
constexpr uint32_t kStructure = 0x00000000;

constexpr TagLevel kNone = TagLevel::kNone;
constexpr TagLevel kInline = TagLevel::kInline;
constexpr TagLevel kBlock = TagLevel::kBlock;
constexpr TagLevel kEmbedded = TagLevel::kBlockEmbedded;

constexpr TagContent kNormal = TagContent::kNormal;
constexpr TagContent kVoid = TagContent::kVoid;
constexpr TagContent kRaw = TagContent::kRawText;
constexpr TagContent kPlain = TagContent::kPlainText;

// clang-format off
constexpr TagEntry kElements[] = {
  // Document structure and head content.
  {"html",       0x10010, kStructure,   16,  kNone,     kNormal},
  {"head",       0x10020, kStructure,   2,   kNone,     kNormal},
  {"body",       0x10030, kStructure,   66,  kNone,     kNormal},
  {"frameset",   0x10040, kStructure,   255, kNone,     kNormal},
  {"frame",      0x10041, kStructure,   0,   kNone,     kVoid},
  {"title",      0x11000, kHeadContent, 0,   kNone,     kRaw},
  {"meta",       0x11010, kHeadContent, 0,   kNone,     kVoid},
  {"link",       0x11020, kHeadContent, 0,   kNone,     kVoid},
  {"base",       0x11030, kHeadContent, 0,   kNone,     kVoid},
  {"style",      0x11040, kHeadContent, 0,   kNone,     kRaw},
  // Phrasing.
  {"span",       0x20000, kPhrasing,    112, kInline,   kNormal},
  {"b",          0x20010, kPhrasing,    112, kInline,   kNormal},
  {"i",          0x20020, kPhrasing,    112, kInline,   kNormal},
  {"u",          0x20030, kPhrasing,    112, kInline,   kNormal},
  {"s",          0x20040, kPhrasing,    112, kInline,   kNormal},
  {"strike",     0x20050, kPhrasing,    112, kInline,   kNormal},
  {"big",        0x20060, kPhrasing,    112, kInline,   kNormal},
  {"small",      0x20070, kPhrasing,    112, kInline,   kNormal},
  {"em",         0x20080, kPhrasing,    112, kInline,   kNormal},
  {"strong",     0x20090, kPhrasing,    112, kInline,   kNormal},
  {"code",       0x200A0, kPhrasing,    112, kInline,   kNormal},
  {"kbd",        0x200B0, kPhrasing,    112, kInline,   kNormal},
  {"samp",       0x200C0, kPhrasing,    112, kInline,   kNormal},
  {"var",        0x200D0, kPhrasing,    112, kInline,   kNormal},
  {"cite",       0x200E0, kPhrasing,    112, kInline,   kNormal},
  {"dfn",        0x200F0, kPhrasing,    112, kInline,   kNormal},
  {"abbr",       0x20100, kPhrasing,    112, kInline,   kNormal},
  {"acronym",    0x20110, kPhrasing,    112, kInline,   kNormal},
  {"q",          0x20120, kPhrasing,    112, kInline,   kNormal},
  {"tt",         0x20130, kPhrasing,    112, kInline,   kNormal},
  {"mark",       0x20140, kPhrasing,    112, kInline,   kNormal},
  {"time",       0x20150, kPhrasing,    112, kInline,   kNormal},
  {"data",       0x20160, kPhrasing,    112, kInline,   kNormal},
  {"bdo",        0x20170, kPhrasing,    112, kInline,   kNormal},
  {"bdi",        0x20180, kPhrasing,    112, kInline,   kNormal},
  {"ruby",       0x20190, kPhrasing,    112, kInline,   kNormal},
  {"rt",         0x20191, kPhrasing,    112, kInline,   kNormal},
  {"rp",         0x20192, kPhrasing,    112, kInline,   kNormal},
  {"nobr",       0x201A0, kPhrasing,    112, kInline,   kNormal},
  {"blink",      0x201B0, kPhrasing,    112, kInline,   kNormal},
  {"label",      0x201C0, kPhrasing,    112, kInline,   kNormal},
  {"output",     0x201D0, kPhrasing,    112, kInline,   kNormal},
  {"meter",      0x201E0, kPhrasing,    112, kInline,   kNormal},
  {"progress",   0x201F0, kPhrasing,    112, kInline,   kNormal},
  {"a",          0x20200, kPhrasing,    17,  kInline,   kNormal},
  {"img",        0x20210, kPhrasing,    0,   kInline,   kVoid},
  {"image",      0x20210, kPhrasing,    0,   kInline,   kVoid},
  {"br",         0x20220, kPhrasing,    0,   kInline,   kVoid},
  {"param",      0x20221, kPart,        0,   kNone,     kVoid},
  {"object",     0x20230, kPhrasing,    19,  kInline,   kNormal},
  {"applet",     0x20240, kPhrasing,    18,  kInline,   kNormal},
  {"map",        0x20250, kPhrasing,    66,  kInline,   kNormal},
  {"area",       0x20251, kPhrasing,    0,   kInline,   kVoid},
  {"font",       0x20260, kPhrasing,    112, kInline,   kNormal},
  {"basefont",   0x20261, kPhrasing,    0,   kInline,   kVoid},
  {"select",     0x20270, kPhrasing,    20,  kInline,   kNormal},
  {"option",     0x20271, kPart,        0,   kNone,     kNormal},
  {"optgroup",   0x20272, kPart,        20,  kNone,     kNormal},
  {"textarea",   0x20280, kPhrasing,    0,   kInline,   kRaw},
  {"sub",        0x20290, kPhrasing,    112, kInline,   kNormal},
  {"sup",        0x202A0, kPhrasing,    112, kInline,   kNormal},
  {"input",      0x202B0, kPhrasing,    0,   kInline,   kVoid},
  {"button",     0x202C0, kPhrasing,    112, kInline,   kNormal},
  {"wbr",        0x202D0, kPhrasing,    0,   kInline,   kVoid},
  {"iframe",     0x202E0, kPhrasing,    0,   kInline,   kRaw},
  {"embed",      0x202F0, kPhrasing,    0,   kInline,   kVoid},
  {"video",      0x20300, kPhrasing,    66,  kInline,   kNormal},
  {"audio",      0x20301, kPhrasing,    66,  kInline,   kNormal},
  {"source",     0x20302, kPhrasing,    0,   kInline,   kVoid},
  {"track",      0x20303, kPhrasing,    0,   kInline,   kVoid},
  {"canvas",     0x20310, kPhrasing,    66,  kInline,   kNormal},
  {"picture",    0x20320, kPhrasing,    112, kInline,   kNormal},
  {"svg",        0x20330, kPhrasing,    255, kInline,   kNormal},
  {"math",       0x20340, kPhrasing,    255, kInline,   kNormal},
  {"datalist",   0x20350, kPhrasing,    20,  kInline,   kNormal},
  {"keygen",     0x20360, kPhrasing,    0,   kInline,   kVoid},
  {"noembed",    0x20370, kPhrasing,    0,   kInline,   kRaw},
  // Blocks.
  {"ul",         0x21010, kFlow,        24,  kBlock,    kNormal},
  {"li",         0x21012, kFlow,        96,  kEmbedded, kNormal},
  {"ol",         0x21013, kFlow,        24,  kBlock,    kNormal},
  {"menu",       0x21014, kFlow,        24,  kBlock,    kNormal},
  {"dir",        0x21015, kFlow,        24,  kBlock,    kNormal},
  {"div",        0x21020, kFlow,        66,  kBlock,    kNormal},
  {"p",          0x21030, kFlow,        33,  kBlock,    kNormal},
  {"h1",         0x21040, kFlow,        113, kBlock,    kNormal},
  {"h2",         0x21041, kFlow,        113, kBlock,    kNormal},
  {"h3",         0x21042, kFlow,        113, kBlock,    kNormal},
  {"h4",         0x21043, kFlow,        113, kBlock,    kNormal},
  {"h5",         0x21044, kFlow,        113, kBlock,    kNormal},
  {"h6",         0x21045, kFlow,        113, kBlock,    kNormal},
  {"pre",        0x21060, kFlow,        36,  kBlock,    kNormal},
  {"listing",    0x21061, kFlow,        36,  kBlock,    kNormal},
  {"xmp",        0x21062, kFlow,        0,   kBlock,    kRaw},
  {"plaintext",  0x21063, kFlow,        0,   kBlock,    kPlain},
  {"blockquote", 0x21070, kFlow,        66,  kBlock,    kNormal},
  {"address",    0x21080, kFlow,        66,  kBlock,    kNormal},
  {"table",      0x21090, kFlow,        26,  kBlock,    kNormal},
  {"caption",    0x21091, kPart,        66,  kEmbedded, kNormal},
  {"col",        0x21092, kPart,        0,   kEmbedded, kVoid},
  {"colgroup",   0x21093, kPart,        30,  kEmbedded, kNormal},
  {"thead",      0x21094, kPart,        27,  kEmbedded, kNormal},
  {"tbody",      0x21095, kPart,        28,  kEmbedded, kNormal},
  {"tfoot",      0x21096, kPart,        29,  kEmbedded, kNormal},
  {"tr",         0x2109A, kPart,        31,  kEmbedded, kNormal},
  {"th",         0x2109B, kPart,        98,  kEmbedded, kNormal},
  {"td",         0x2109C, kPart,        97,  kEmbedded, kNormal},
  {"hr",         0x210A0, kFlow,        0,   kBlock,    kVoid},
  {"form",       0x210B0, kFlow,        66,  kBlock,    kNormal},
  {"fieldset",   0x210C0, kFlow,        66,  kBlock,    kNormal},
  {"legend",     0x210C1, kFlow,        112, kEmbedded, kNormal},
  {"center",     0x210D0, kFlow,        66,  kBlock,    kNormal},
  {"section",    0x210E0, kFlow,        66,  kBlock,    kNormal},
  {"article",    0x210E1, kFlow,        66,  kBlock,    kNormal},
  {"aside",      0x210E2, kFlow,        66,  kBlock,    kNormal},
  {"nav",        0x210E3, kFlow,        66,  kBlock,    kNormal},
  {"header",     0x210E4, kFlow,        66,  kBlock,    kNormal},
  {"footer",     0x210E5, kFlow,        66,  kBlock,    kNormal},
  {"main",       0x210E6, kFlow,        66,  kBlock,    kNormal},
  {"hgroup",     0x210E7, kFlow,        66,  kBlock,    kNormal},
  {"figure",     0x210E8, kFlow,        66,  kBlock,    kNormal},
  {"figcaption", 0x210E9, kFlow,        66,  kBlock,    kNormal},
  {"details",    0x210EA, kFlow,        66,  kBlock,    kNormal},
  {"summary",    0x210EB, kFlow,        66,  kBlock,    kNormal},
  {"dialog",     0x210EC, kFlow,        66,  kBlock,    kNormal},
  {"search",     0x210ED, kFlow,        66,  kBlock,    kNormal},
  {"marquee",    0x210F0, kFlow,        66,  kBlock,    kNormal},
  {"dd",         0x21200, kPart,        99,  kBlock,    kNormal},
  {"dt",         0x21201, kFlow,        99,  kEmbedded, kNormal},
  {"dl",         0x21210, kFlow,        34,  kBlock,    kNormal},
  // Allowed almost anywhere.
  {"ins",        0x22000, kPhrasing,    66,  kInline,   kNormal},
  {"del",        0x22010, kPhrasing,    66,  kInline,   kNormal},
  {"script",     0x22020, kAnywhere,    0,   kNone,     kRaw},
  {"noscript",   0x22030, kAnywhere,    66,  kNone,     kNormal},
  {"template",   0x22040, kAnywhere,    255, kNone,     kNormal},
  {"noframes",   0x22060, kAnywhere,    0,   kNone,     kRaw},
};
// clang-format on

constexpr TagEntry kUnknown = {"", kTagUnknown, kAnywhere, 0, kInline, kNormal};
constexpr TagEntry kMarkup[] = {
    {"", kTagComment, kAnywhere, 0, kNone, kNormal},
    {"", kTagDoctype, kAnywhere, 0, kNone, kNormal},
    {"", kTagProcessingInstruction, kAnywhere, 0, kNone, kNormal},
    {"", kTagCdata, kAnywhere, 0, kNone, kNormal},
};

// Entries by a hash of the lower-case name, open addressing.
constexpr size_t kSlots = 512;
static_assert(sizeof kElements / sizeof kElements[0] < kSlots / 2, "keep the name table sparse");

size_t HashName(const char* name, size_t length) {
  size_t hash = length;
  for (size_t i = 0; i < length; ++i) hash = hash * 33 + static_cast<unsigned char>(name[i]);
  return hash;
}

struct NameTable {
  const TagEntry* slots[kSlots] = {};
  uint8_t lengths[kSlots] = {};
  NameTable() {
    for (const TagEntry& entry : kElements) {
      size_t length = std::strlen(entry.name);
      size_t slot = HashName(entry.name, length) % kSlots;
      while (slots[slot]) slot = (slot + 1) % kSlots;
      slots[slot] = &entry;
      lengths[slot] = static_cast<uint8_t>(length);
    }
  }
};

}  // namespace

const TagEntry* FindTagEntry(std::string_view name) {
  constexpr size_t kLongestName = 10;
  if (name.empty() || name.size() > kLongestName) return nullptr;
  char lowered[kLongestName];
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    lowered[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
  }
  static const NameTable table;
  for (size_t slot = HashName(lowered, name.size()) % kSlots; table.slots[slot]; slot = (slot + 1) % kSlots) {
    if (table.lengths[slot] == name.size() && std::memcmp(table.slots[slot]->name, lowered, name.size()) == 0) {
      return table.slots[slot];
    }
  }
  return nullptr;
}

const TagEntry& UnknownTagEntry() { return kUnknown; }

const TagEntry& MarkupTagEntry(uint32_t id) {
  for (const TagEntry& entry : kMarkup) {
    if (entry.id == id) return entry;
  }
  return kUnknown;
}

}  // namespace pagesift
