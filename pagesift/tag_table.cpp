#include "pagesift/tag_table.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "pagesift/containment_rules.h"
#include "pagesift/tag_codes.h"
#include "pagesift/tag_scanner.h"
#include "pagesift/token_item.h"

namespace pagesift {
namespace {

// What the library knows of each element: its id (tag_codes.h), its major
// type (what kind of content it is), its content type (what it holds, by
// the rows of containment_rules.h), its level and how the tokenizer reads
// what follows its start tag.
//
// level: inline, block, block embedded (a block that lives only inside its
//   own parent: li, dt, table sections, rows, cells, caption, legend) or
//   none. dd is a block without the flow bits, so that dt and dd content
//   refuses it while dl and every flow container hold it.
//
// So an open p ends at the next block, li at the next li, td and th at the
// next cell or row, dt and dd at each other, option at the next option, a
// at the next a; tables hold whatever is put into them.

constexpr uint32_t kAnywhere = kMajorAnywhere;
constexpr uint32_t kPhrasing = kMajorPhrasing;
constexpr uint32_t kFlow = kMajorFlow;
constexpr uint32_t kHeadContent = kMajorHeadContent;
constexpr uint32_t kPart = kMajorPart;
constexpr uint32_t kStructure = kMajorStructure;

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
  {"html",       kTagHtml,             kStructure,   kHoldsDocumentParts,          kNone,     kNormal},
  {"head",       kTagHead,             kStructure,   kHoldsHeadContent,            kNone,     kNormal},
  {"body",       kTagBody,             kStructure,   kHoldsFlow,                   kNone,     kNormal},
  {"frameset",   kTagFrameset,         kStructure,   kHoldsAnything,               kNone,     kNormal},
  {"frame",      0x10041,              kStructure,   kHoldsNothing,                kNone,     kVoid},
  {"title",      0x11000,              kHeadContent, kHoldsNothing,                kNone,     kRaw},
  {"meta",       kTagMeta,             kHeadContent, kHoldsNothing,                kNone,     kVoid},
  {"link",       0x11020,              kHeadContent, kHoldsNothing,                kNone,     kVoid},
  {"base",       0x11030,              kHeadContent, kHoldsNothing,                kNone,     kVoid},
  {"style",      kTagStyle,            kHeadContent, kHoldsNothing,                kNone,     kRaw},
  // Phrasing.
  {"span",       0x20000,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"b",          0x20010,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"i",          0x20020,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"u",          0x20030,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"s",          0x20040,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"strike",     0x20050,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"big",        kTagBig,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"small",      kTagSmall,            kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"em",         0x20080,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"strong",     0x20090,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"code",       0x200A0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"kbd",        0x200B0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"samp",       0x200C0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"var",        0x200D0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"cite",       0x200E0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"dfn",        0x200F0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"abbr",       0x20100,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"acronym",    0x20110,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"q",          0x20120,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"tt",         0x20130,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"mark",       0x20140,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"time",       0x20150,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"data",       0x20160,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"bdo",        0x20170,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"bdi",        0x20180,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"ruby",       0x20190,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"rt",         0x20191,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"rp",         0x20192,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"nobr",       0x201A0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"blink",      0x201B0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"label",      0x201C0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"output",     0x201D0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"meter",      0x201E0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"progress",   0x201F0,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"a",          kTagAnchor,           kPhrasing,    kHoldsPhrasingButLinks,       kInline,   kNormal},
  {"img",        kTagImage,            kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"image",      kTagImage,            kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"br",         0x20220,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"param",      kTagParam,            kPart,        kHoldsNothing,                kNone,     kVoid},
  {"object",     kTagObject,           kPhrasing,    kHoldsParamsObjectsAndBlocks, kInline,   kNormal},
  {"applet",     kTagApplet,           kPhrasing,    kHoldsParamsAndPhrasing,      kInline,   kNormal},
  {"map",        0x20250,              kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"area",       0x20251,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"font",       0x20260,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"basefont",   0x20261,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"select",     kTagSelect,           kPhrasing,    kHoldsOptions,                kInline,   kNormal},
  {"option",     kTagOption,           kPart,        kHoldsNothing,                kNone,     kNormal},
  {"optgroup",   0x20272,              kPart,        kHoldsOptions,                kNone,     kNormal},
  {"textarea",   0x20280,              kPhrasing,    kHoldsNothing,                kInline,   kRaw},
  {"sub",        kTagSubscript,        kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"sup",        kTagSuperscript,      kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"input",      0x202B0,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"button",     kTagButton,           kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"wbr",        0x202D0,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"iframe",     0x202E0,              kPhrasing,    kHoldsNothing,                kInline,   kRaw},
  {"embed",      kTagEmbed,            kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"video",      0x20300,              kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"audio",      0x20301,              kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"source",     0x20302,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"track",      0x20303,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"canvas",     0x20310,              kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"picture",    0x20320,              kPhrasing,    kHoldsPhrasing,               kInline,   kNormal},
  {"svg",        kTagSvg,              kPhrasing,    kHoldsAnything,               kInline,   kNormal},
  {"math",       0x20340,              kPhrasing,    kHoldsAnything,               kInline,   kNormal},
  {"datalist",   0x20350,              kPhrasing,    kHoldsOptions,                kInline,   kNormal},
  {"keygen",     0x20360,              kPhrasing,    kHoldsNothing,                kInline,   kVoid},
  {"noembed",    0x20370,              kPhrasing,    kHoldsNothing,                kInline,   kRaw},
  // Blocks.
  {"ul",         kTagUnorderedList,    kFlow,        kHoldsListItems,              kBlock,    kNormal},
  {"li",         kTagListItem,         kFlow,        kHoldsListItemContent,        kEmbedded, kNormal},
  {"ol",         kTagOrderedList,      kFlow,        kHoldsListItems,              kBlock,    kNormal},
  {"menu",       0x21014,              kFlow,        kHoldsListItems,              kBlock,    kNormal},
  {"dir",        0x21015,              kFlow,        kHoldsListItems,              kBlock,    kNormal},
  {"div",        kTagBlockContainer,   kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"p",          kTagParagraph,        kFlow,        kHoldsParagraphContent,       kBlock,    kNormal},
  {"h1",         0x21040,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"h2",         0x21041,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"h3",         0x21042,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"h4",         0x21043,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"h5",         0x21044,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"h6",         0x21045,              kFlow,        kHoldsHeadingContent,         kBlock,    kNormal},
  {"pre",        kTagPreformatted,     kFlow,        kHoldsPreformatted,           kBlock,    kNormal},
  {"listing",    0x21061,              kFlow,        kHoldsPreformatted,           kBlock,    kNormal},
  {"xmp",        0x21062,              kFlow,        kHoldsNothing,                kBlock,    kRaw},
  {"plaintext",  0x21063,              kFlow,        kHoldsNothing,                kBlock,    kPlain},
  {"blockquote", kTagBlockquote,       kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"address",    0x21080,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"table",      kTagTable,            kFlow,        kHoldsTableContent,           kBlock,    kNormal},
  {"caption",    kTagTableCaption,     kPart,        kHoldsFlow,                   kEmbedded, kNormal},
  {"col",        kTagTableColumn,      kPart,        kHoldsNothing,                kEmbedded, kVoid},
  {"colgroup",   kTagTableColumnGroup, kPart,        kHoldsColumns,                kEmbedded, kNormal},
  {"thead",      kTagTableHead,        kPart,        kHoldsHeadRows,               kEmbedded, kNormal},
  {"tbody",      kTagTableBody,        kPart,        kHoldsBodyRows,               kEmbedded, kNormal},
  {"tfoot",      kTagTableFoot,        kPart,        kHoldsFootRows,               kEmbedded, kNormal},
  {"tr",         kTagTableRow,         kPart,        kHoldsCells,                  kEmbedded, kNormal},
  {"th",         kTagTableHeaderCell,  kPart,        kHoldsHeaderCellContent,      kEmbedded, kNormal},
  {"td",         kTagTableCell,        kPart,        kHoldsDataCellContent,        kEmbedded, kNormal},
  {"hr",         kTagHorizontalRule,   kFlow,        kHoldsNothing,                kBlock,    kVoid},
  {"form",       kTagForm,             kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"fieldset",   0x210C0,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"legend",     0x210C1,              kFlow,        kHoldsPhrasing,               kEmbedded, kNormal},
  {"center",     0x210D0,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"section",    0x210E0,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"article",    0x210E1,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"aside",      0x210E2,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"nav",        0x210E3,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"header",     0x210E4,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"footer",     0x210E5,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"main",       0x210E6,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"hgroup",     0x210E7,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"figure",     0x210E8,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"figcaption", 0x210E9,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"details",    0x210EA,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"summary",    0x210EB,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"dialog",     0x210EC,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"search",     0x210ED,              kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"marquee",    kTagMarquee,          kFlow,        kHoldsFlow,                   kBlock,    kNormal},
  {"dd",         kTagDefinition,       kPart,        kHoldsDefinitionContent,      kBlock,    kNormal},
  {"dt",         kTagDefinitionTerm,   kFlow,        kHoldsDefinitionContent,      kEmbedded, kNormal},
  {"dl",         kTagDefinitionList,   kFlow,        kHoldsTermsAndBlocksA,        kBlock,    kNormal},
  // Allowed almost anywhere.
  {"ins",        kTagInserted,         kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"del",        kTagDeleted,          kPhrasing,    kHoldsFlow,                   kInline,   kNormal},
  {"script",     kTagScript,           kAnywhere,    kHoldsNothing,                kNone,     kRaw},
  {"noscript",   0x22030,              kAnywhere,    kHoldsFlow,                   kNone,     kNormal},
  {"template",   kTagTemplate,         kAnywhere,    kHoldsAnything,               kNone,     kNormal},
  {"noframes",   kTagNoFrames,         kAnywhere,    kHoldsNothing,                kNone,     kRaw},
};
// clang-format on

constexpr TagEntry kUnknown = {"", kTagUnknown, kAnywhere, kHoldsNothing, kInline, kNormal};
constexpr TagEntry kMarkup[] = {
    {"", kTagComment, kAnywhere, kHoldsNothing, kNone, kNormal},
    {"", kTagDoctype, kAnywhere, kHoldsNothing, kNone, kNormal},
    {"", kTagProcessingInstruction, kAnywhere, kHoldsNothing, kNone, kNormal},
    {"", kTagCdata, kAnywhere, kHoldsNothing, kNone, kNormal},
};

// Entries by a hash of the lower-case name, open addressing. A name of up
// to sixteen bytes is two words (tag_scanner.h), so that a tag's name is
// lowered, hashed and compared a word at a time; the table's words are
// made in the order the loads read bytes on the little-endian machines the
// library is built for.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "name words are laid out little-endian");
constexpr size_t kSlots = 512;
constexpr size_t kSlotBits = 9;
static_assert(size_t{1} << kSlotBits == kSlots, "the hash gives a slot number");
static_assert(sizeof kElements / sizeof kElements[0] < kSlots / 2, "keep the name table sparse");
constexpr size_t kLongestName = 16;

struct NameWords {
  uint64_t first = 0;
  uint64_t second = 0;
};

constexpr size_t NameLength(const char* name) {
  size_t length = 0;
  while (name[length]) ++length;
  return length;
}

constexpr NameWords WordsOf(const char* name, size_t length) {
  NameWords words;
  for (size_t i = 0; i < length && i < 8; ++i) words.first |= uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  for (size_t i = 8; i < length; ++i) words.second |= uint64_t{static_cast<unsigned char>(name[i])} << (8 * (i - 8));
  return words;
}

constexpr size_t SlotOf(const NameWords& words, size_t length) {
  const uint64_t mixed = (words.first ^ (words.second * 31) ^ length) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(mixed >> (64 - kSlotBits));
}

struct NameTable {
  const TagEntry* slots[kSlots] = {};
  NameWords words[kSlots] = {};
  uint8_t lengths[kSlots] = {};
  constexpr NameTable() {
    for (const TagEntry& entry : kElements) {
      const size_t length = NameLength(entry.name);
      const NameWords name = WordsOf(entry.name, length);
      size_t slot = SlotOf(name, length);
      while (slots[slot]) slot = (slot + 1) % kSlots;
      slots[slot] = &entry;
      words[slot] = name;
      lengths[slot] = static_cast<uint8_t>(length);
    }
  }
};
constexpr NameTable kNameTable;

constexpr bool AllNamesFit() {
  for (const TagEntry& entry : kElements) {
    if (NameLength(entry.name) > kLongestName) return false;
  }
  return true;
}
static_assert(AllNamesFit(), "every known name fits two words");

}  // namespace

const TagEntry* FindTagEntry(std::string_view name) {
  if (name.empty() || name.size() > kLongestName) return nullptr;
  const size_t head = name.size() < 8 ? name.size() : 8;
  NameWords lowered;
  lowered.first = LowerWord(LoadShortWord(name.data(), head));
  if (name.size() > 8) lowered.second = LowerWord(LoadShortWord(name.data() + 8, name.size() - 8));
  for (size_t slot = SlotOf(lowered, name.size()); kNameTable.slots[slot]; slot = (slot + 1) % kSlots) {
    if (kNameTable.lengths[slot] == name.size() && kNameTable.words[slot].first == lowered.first &&
        kNameTable.words[slot].second == lowered.second) {
      return kNameTable.slots[slot];
    }
  }
  return nullptr;
}

const char* KnownElementName(size_t index) {
  return index < sizeof kElements / sizeof kElements[0] ? kElements[index].name : nullptr;
}

const TagEntry& UnknownTagEntry() { return kUnknown; }

namespace {
constexpr size_t kElementCount = sizeof kElements / sizeof kElements[0];
constexpr size_t kMarkupCount = sizeof kMarkup / sizeof kMarkup[0];
static_assert(kElementCount + 1 + kMarkupCount <= 256, "entry indexes fit a byte");
}  // namespace

// Elements first, then the unknown entry, then markup.
uint8_t TagEntryIndex(const TagEntry& entry) {
  if (&entry >= kElements && &entry < kElements + kElementCount) return static_cast<uint8_t>(&entry - kElements);
  if (&entry >= kMarkup && &entry < kMarkup + kMarkupCount) {
    return static_cast<uint8_t>(kElementCount + 1 + static_cast<size_t>(&entry - kMarkup));
  }
  return static_cast<uint8_t>(kElementCount);
}

namespace {

constexpr const TagEntry& EntryAtIndex(size_t index) {
  if (index < kElementCount) return kElements[index];
  if (index > kElementCount && index - kElementCount - 1 < kMarkupCount) return kMarkup[index - kElementCount - 1];
  return kUnknown;
}

constexpr std::array<uint32_t, 256> MakeTagIds() {
  std::array<uint32_t, 256> ids{};
  for (size_t i = 0; i < ids.size(); ++i) ids[i] = EntryAtIndex(i).id;
  return ids;
}

}  // namespace

const std::array<uint32_t, 256> kTagIdOfEntry = MakeTagIds();

const TagEntry& TagEntryAt(uint8_t index) { return EntryAtIndex(index); }

const TagEntry& MarkupTagEntry(uint32_t id) {
  for (const TagEntry& entry : kMarkup) {
    if (entry.id == id) return entry;
  }
  return kUnknown;
}

}  // namespace pagesift
