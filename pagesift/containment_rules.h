// The containment rules: may an open element hold a new tag? One row per
// content type (of the open element), read in order until a step answers.
//
// The rules are the library's vocabulary, like the codes they are written
// in, so they belong to its public headers: the library asks them to find
// where an element whose end tag is omitted ends, and the conditional
// filter asks the very same rows when it removes an element, without
// reaching into the library's insides. Being header-only and constexpr,
// they add no symbol to the library's exported interface.
#ifndef PAGESIFT_CONTAINMENT_RULES_H
#define PAGESIFT_CONTAINMENT_RULES_H

#include <array>
#include <cstdint>

#include "pagesift/tag_codes.h"
#include "pagesift/token_item.h"

namespace pagesift {

// What an element holds (GetCntType). Codes that share a rule are the
// library's distinct codes for element families that behave alike; a
// letter tells apart those that the element table does not use.
enum ContentType : uint8_t {
  kHoldsNothing = 0,              // void and raw-text elements, option
  kHoldsBodyContent = 1,
  kHoldsHeadContent = 2,          // head
  kHoldsContent = 3,
  kHoldsContentAndScripts = 4,
  kHoldsDocumentParts = 16,       // html
  kHoldsPhrasingButLinks = 17,    // a
  kHoldsParamsAndPhrasing = 18,   // applet
  kHoldsParamsObjectsAndBlocks = 19,  // object
  kHoldsOptions = 20,             // select, optgroup, datalist
  kHoldsCanvasParts = 21,
  kHoldsPhrasingButSvg = 22,
  kHoldsSimpleBlocks = 23,
  kHoldsListItems = 24,           // ul, ol, menu, dir
  kHoldsBlocksButPre = 25,
  kHoldsTableContent = 26,        // table: anything, content that is no table part misplaced
  kHoldsHeadRows = 27,            // thead
  kHoldsBodyRows = 28,            // tbody
  kHoldsFootRows = 29,            // tfoot
  kHoldsColumns = 30,             // colgroup
  kHoldsCells = 31,               // tr
  kHoldsBlocks = 32,
  kHoldsParagraphContent = 33,    // p
  kHoldsTermsAndBlocksA = 34,     // dl
  kHoldsTermsAndBlocksB = 35,
  kHoldsPreformatted = 36,        // pre, listing
  kHoldsTextA = 37,
  kHoldsTextB = 64,
  kHoldsTextC = 65,
  kHoldsFlow = 66,                // body, div and most blocks
  kHoldsPhrasingPartsA = 67,
  kHoldsPhrasingPartsB = 68,
  kHoldsPhrasingPartsC = 69,
  kHoldsFlowAndParagraphs = 80,
  kHoldsPhrasingPartsD = 81,
  kHoldsPhrasingAndParagraphs = 82,
  kHoldsListItemContent = 96,     // li
  kHoldsDataCellContent = 97,     // td
  kHoldsHeaderCellContent = 98,   // th
  kHoldsDefinitionContent = 99,   // dt, dd
  kHoldsPhrasing = 112,           // span and the other phrasing elements
  kHoldsHeadingContent = 113,     // h1 to h6
  kHoldsAnything = 255,           // frameset, svg, math, template, open unknown elements
};

// What the rules read of the new tag.
struct TagTraits {
  uint32_t major = 0;
  uint32_t id = 0;  // without the end-tag bit
  bool inlineLevel = false;
  bool block = false;  // a block that may stand anywhere in flow content
};

enum class Admission : uint8_t {
  kNo,
  kYes,
  kYesMisplaced,  // held, though outside its proper parent
};

namespace rules {

// A test of the new tag's traits.
enum class Trait : uint8_t {
  kNone,  // pads a row after its Otherwise step: never matches
  kAny,
  kInline,
  kBlock,
  kNotBlock,
  kFlow,        // all of kMajorFlowBits
  kNotFlow,
  kPhrasing,    // all of kMajorPhrasingBits
  kRestricted,  // all of kMajorRestrictedBits
  kBodyBit,
  kHeadBit,
  kContentBit,
  kAnywhereBit,
};

enum class IdMatch : uint8_t { kAnyId, kOneOf, kNoneOf };

enum class Answer : uint8_t {
  kNo,
  kYes,
  kYesMisplaced,
  kIfEverywhere,  // yes only for the elements every such container admits (ins, del)
};

constexpr int kMaxIds = 10;

// One step: when the tag has the trait and its id matches the list (zero
// ends a shorter list), the step answers.
struct Step {
  Trait trait;
  IdMatch match;
  std::array<uint32_t, kMaxIds> ids;
  Answer answer;
};

constexpr Step When(Trait trait, Answer answer) { return {trait, IdMatch::kAnyId, {}, answer}; }
constexpr Step WhenOneOf(Trait trait, std::array<uint32_t, kMaxIds> ids, Answer answer) {
  return {trait, IdMatch::kOneOf, ids, answer};
}
constexpr Step WhenNoneOf(Trait trait, std::array<uint32_t, kMaxIds> ids, Answer answer) {
  return {trait, IdMatch::kNoneOf, ids, answer};
}
constexpr Step Otherwise(Answer answer) { return When(Trait::kAny, answer); }

// Every row ends with an Otherwise step; rows are at most this long.
constexpr int kMaxSteps = 5;
struct Row {
  ContentType content;
  std::array<Step, kMaxSteps> steps;
};

using T = Trait;
using A = Answer;

constexpr std::array<uint32_t, kMaxIds> kTableParts = {
    kTagTableRow,    kTagTableHeaderCell, kTagTableCaption, kTagTableColumn,
    kTagTableColumnGroup, kTagTableHead, kTagTableBody,    kTagTableFoot};

// Rows shared by several content types.
constexpr std::array<Step, kMaxSteps> kRowsOnly = {WhenOneOf(T::kAny, {kTagTableRow}, A::kYes),
                                                   Otherwise(A::kIfEverywhere)};
constexpr std::array<Step, kMaxSteps> kTermsAndBlocks = {
    WhenOneOf(T::kAny, {kTagDefinitionTerm}, A::kYes),
    WhenOneOf(T::kBlock, {kTagTable}, A::kIfEverywhere), When(T::kBlock, A::kYes),
    Otherwise(A::kIfEverywhere)};
constexpr std::array<Step, kMaxSteps> kTextOnly = {WhenOneOf(T::kAny, {kTagReservedText}, A::kYes),
                                                   Otherwise(A::kIfEverywhere)};
constexpr std::array<Step, kMaxSteps> kPhrasingParts = {
    When(T::kInline, A::kYes), When(T::kPhrasing, A::kYes), Otherwise(A::kIfEverywhere)};
constexpr std::array<Step, kMaxSteps> kCellContent = {
    When(T::kBlock, A::kYes), When(T::kNotFlow, A::kIfEverywhere),
    WhenOneOf(T::kAny, {kTagTableHeaderCell, kTagTableCell, kTagTableRow}, A::kIfEverywhere),
    Otherwise(A::kYes)};
constexpr std::array<Step, kMaxSteps> kPhrasingOnly = {When(T::kInline, A::kYes),
                                                       Otherwise(A::kIfEverywhere)};

// Content types without a row hold anything.
constexpr Row kRows[] = {
    {kHoldsNothing, {Otherwise(A::kNo)}},
    {kHoldsBodyContent, {When(T::kBodyBit, A::kYes), Otherwise(A::kNo)}},
    {kHoldsHeadContent, {When(T::kHeadBit, A::kYes), Otherwise(A::kNo)}},
    {kHoldsContent,
     {WhenOneOf(T::kContentBit, {kTagReservedMarkup}, A::kIfEverywhere),
      When(T::kContentBit, A::kYes), Otherwise(A::kIfEverywhere)}},
    {kHoldsContentAndScripts,
     {When(T::kAnywhereBit, A::kYes), When(T::kContentBit, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsDocumentParts,
     {WhenOneOf(T::kAny, {kTagNoFrames, kTagHead, kTagBody, kTagFrameset}, A::kYes),
      Otherwise(A::kNo)}},
    {kHoldsPhrasingButLinks,
     {WhenOneOf(T::kInline, {kTagAnchor}, A::kIfEverywhere), When(T::kInline, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsParamsAndPhrasing,
     {WhenOneOf(T::kAny, {kTagParam}, A::kYes), When(T::kInline, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsParamsObjectsAndBlocks,
     {WhenOneOf(T::kAny, {kTagParam, kTagObject}, A::kYes), When(T::kBlock, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsOptions, {WhenOneOf(T::kAny, {kTagOption}, A::kYes), Otherwise(A::kIfEverywhere)}},
    {kHoldsCanvasParts,
     {WhenOneOf(T::kAny, {kTagReservedCanvasPart}, A::kYes), Otherwise(A::kIfEverywhere)}},
    {kHoldsPhrasingButSvg,
     {WhenOneOf(T::kInline, {kTagSvg}, A::kIfEverywhere), When(T::kInline, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsSimpleBlocks,
     {When(T::kNotBlock, A::kIfEverywhere),
      WhenOneOf(T::kAny, {kTagAnchor, kTagPreformatted, kTagBlockquote, kTagHorizontalRule},
                A::kIfEverywhere),
      When(T::kRestricted, A::kIfEverywhere), Otherwise(A::kYes)}},
    {kHoldsListItems,
     {WhenOneOf(T::kAny, {kTagReservedListPart, kTagListItem}, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsBlocksButPre,
     {WhenOneOf(T::kBlock, {kTagPreformatted}, A::kIfEverywhere), When(T::kBlock, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    // A table's start tag outside its cells closes it first.
    {kHoldsTableContent,
     {WhenOneOf(T::kAny, {kTagTable}, A::kNo), WhenNoneOf(T::kAny, kTableParts, A::kYesMisplaced),
      Otherwise(A::kYes)}},
    {kHoldsHeadRows, kRowsOnly},
    {kHoldsBodyRows, kRowsOnly},
    {kHoldsFootRows, kRowsOnly},
    {kHoldsColumns, {WhenOneOf(T::kAny, {kTagTableColumn}, A::kYes), Otherwise(A::kIfEverywhere)}},
    {kHoldsCells,
     {WhenOneOf(T::kAny, {kTagTableHeaderCell, kTagTableCell}, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsBlocks,
     {When(T::kBlock, A::kYes), WhenOneOf(T::kAny, {kTagReservedRulePart}, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsParagraphContent,
     {When(T::kInline, A::kYes), WhenOneOf(T::kAny, {kTagReservedBlock}, A::kYes),
      Otherwise(A::kIfEverywhere)}},
    {kHoldsTermsAndBlocksA, kTermsAndBlocks},
    {kHoldsTermsAndBlocksB, kTermsAndBlocks},
    {kHoldsPreformatted,
     {WhenOneOf(T::kInline,
                {kTagImage, kTagBig, kTagSmall, kTagSubscript, kTagSuperscript, kTagApplet},
                A::kYesMisplaced),
      When(T::kInline, A::kYes),
      WhenOneOf(T::kAny,
                {kTagInserted, kTagDeleted, kTagReservedBlock, kTagReservedPreformattedPart},
                A::kYes),
      Otherwise(A::kNo)}},
    {kHoldsTextA, kTextOnly},
    {kHoldsTextB, kTextOnly},
    {kHoldsTextC, kTextOnly},
    {kHoldsFlow, {When(T::kBlock, A::kYes), When(T::kFlow, A::kYes), Otherwise(A::kIfEverywhere)}},
    {kHoldsPhrasingPartsA, kPhrasingParts},
    {kHoldsPhrasingPartsB, kPhrasingParts},
    {kHoldsPhrasingPartsC, kPhrasingParts},
    {kHoldsPhrasingPartsD, kPhrasingParts},
    {kHoldsFlowAndParagraphs,
     {When(T::kInline, A::kYes), When(T::kPhrasing, A::kYes), When(T::kFlow, A::kYes),
      WhenOneOf(T::kAny,
                {kTagInserted, kTagDeleted, kTagParagraph, kTagReservedHeadingPart,
                 kTagReservedPreformattedPart},
                A::kYes),
      Otherwise(A::kNo)}},
    {kHoldsPhrasingAndParagraphs,
     {When(T::kInline, A::kYes), When(T::kPhrasing, A::kYes),
      WhenOneOf(T::kAny,
                {kTagInserted, kTagDeleted, kTagParagraph, kTagReservedHeadingPart,
                 kTagReservedBlock},
                A::kYes),
      Otherwise(A::kNo)}},
    {kHoldsListItemContent,
     {When(T::kBlock, A::kYes), When(T::kNotFlow, A::kIfEverywhere),
      WhenOneOf(T::kAny, {kTagListItem}, A::kIfEverywhere), Otherwise(A::kYes)}},
    {kHoldsDataCellContent, kCellContent},
    {kHoldsHeaderCellContent, kCellContent},
    {kHoldsDefinitionContent,
     {WhenNoneOf(T::kBlock,
                 {kTagDefinition, kTagDefinitionList, kTagReservedDefinitionPartA,
                  kTagReservedDefinitionPartB, kTagTable},
                 A::kYes),
      When(T::kNotFlow, A::kIfEverywhere),
      WhenOneOf(T::kAny,
                {kTagDefinitionTerm, kTagTableRow, kTagTableHeaderCell, kTagTableCaption,
                 kTagTableColumn, kTagTableColumnGroup, kTagTableHead, kTagTableBody,
                 kTagTableFoot},
                A::kIfEverywhere),
      Otherwise(A::kYes)}},
    {kHoldsPhrasing, kPhrasingOnly},
    {kHoldsHeadingContent, kPhrasingOnly},
};

constexpr uint8_t kNoRow = 0xFF;

// The row of each content type, or kNoRow.
constexpr std::array<uint8_t, 256> RowIndex() {
  std::array<uint8_t, 256> index{};
  for (uint8_t& slot : index) slot = kNoRow;
  for (size_t row = 0; row < sizeof kRows / sizeof kRows[0]; ++row) {
    index[kRows[row].content] = static_cast<uint8_t>(row);
  }
  return index;
}
constexpr std::array<uint8_t, 256> kRowIndex = RowIndex();

constexpr bool IsUnconditional(const Step& step) {
  return step.trait == Trait::kAny && step.match == IdMatch::kAnyId;
}

// Every row must answer: some step takes any tag, and only padding follows.
constexpr bool EveryRowAnswers() {
  for (const Row& row : kRows) {
    int last = kMaxSteps - 1;
    while (last > 0 && row.steps[last].trait == Trait::kNone) --last;
    if (!IsUnconditional(row.steps[last])) return false;
  }
  return sizeof kRows / sizeof kRows[0] < kNoRow;
}
static_assert(EveryRowAnswers(), "a containment row has no final Otherwise step");

constexpr bool EachContentHasOneRow() {
  std::array<bool, 256> seen{};
  for (const Row& row : kRows) {
    if (seen[row.content]) return false;
    seen[row.content] = true;
  }
  return true;
}
static_assert(EachContentHasOneRow(), "two containment rows for one content type");
constexpr bool HasAll(uint32_t word, uint32_t bits) { return (word & bits) == bits; }

constexpr bool HasTrait(Trait trait, const TagTraits& tag) {
  switch (trait) {
    case Trait::kNone: return false;
    case Trait::kAny: return true;
    case Trait::kInline: return tag.inlineLevel;
    case Trait::kBlock: return tag.block;
    case Trait::kNotBlock: return !tag.block;
    case Trait::kFlow: return HasAll(tag.major, kMajorFlowBits);
    case Trait::kNotFlow: return !HasAll(tag.major, kMajorFlowBits);
    case Trait::kPhrasing: return HasAll(tag.major, kMajorPhrasingBits);
    case Trait::kRestricted: return HasAll(tag.major, kMajorRestrictedBits);
    case Trait::kBodyBit: return (tag.major & kMajorBodyBit) != 0;
    case Trait::kHeadBit: return (tag.major & kMajorHeadBit) != 0;
    case Trait::kContentBit: return (tag.major & kMajorContentBit) != 0;
    case Trait::kAnywhereBit: return (tag.major & kMajorAnywhereBit) != 0;
  }
  return false;
}

constexpr bool IsListed(uint32_t id, const std::array<uint32_t, kMaxIds>& ids) {
  for (uint32_t listed : ids) {
    if (listed == 0) return false;
    if (listed == id) return true;
  }
  return false;
}

constexpr bool Matches(const Step& step, const TagTraits& tag) {
  if (!HasTrait(step.trait, tag)) return false;
  switch (step.match) {
    case IdMatch::kAnyId: return true;
    case IdMatch::kOneOf: return IsListed(tag.id, step.ids);
    case IdMatch::kNoneOf: return !IsListed(tag.id, step.ids);
  }
  return false;
}

constexpr Admission Resolve(Answer answer, const TagTraits& tag) {
  switch (answer) {
    case Answer::kNo: return Admission::kNo;
    case Answer::kYes: return Admission::kYes;
    case Answer::kYesMisplaced: return Admission::kYesMisplaced;
    case Answer::kIfEverywhere:
      return tag.id == kTagInserted || tag.id == kTagDeleted ? Admission::kYes : Admission::kNo;
  }
  return Admission::kNo;
}

}  // namespace rules

// Whether an open element of content type content may hold a tag with these
// traits.
constexpr Admission Admit(uint8_t content, const TagTraits& tag) {
  if (rules::HasAll(tag.major, kMajorAnywhereMask)) return Admission::kYes;
  const uint8_t row = rules::kRowIndex[content];
  if (row == rules::kNoRow) return Admission::kYes;
  for (const rules::Step& step : rules::kRows[row].steps) {
    if (rules::Matches(step, tag)) return rules::Resolve(step.answer, tag);
  }
  return Admission::kYes;  // not reached: every row ends with Otherwise
}

// The content type the rules read for an open element: an unknown element
// holds anything unless it was self-closed.
inline uint8_t ContainerContent(const CHtmlTagItem& container) {
  if (!container.IsUnknownTag()) return static_cast<uint8_t>(container.GetCntType());
  return (container.GetTokenFlag() & kTokenFlagUnknownContainer) ? kHoldsAnything : kHoldsNothing;
}

// Whether browsers treat the element as a block where end tags and
// formatting elements are concerned (list items and table parts included).
inline bool IsBlockLevel(const CHtmlTagItem& tag) {
  return tag.IsBlockLevelTag() || tag.IsBlockLevelEmbeddedTag();
}

inline TagTraits TraitsOf(const CHtmlTagItem& tag) {
  TagTraits traits;
  traits.major = tag.GetMjrType();
  traits.id = tag.GetTagId() & ~kEndTagBit;
  traits.inlineLevel = tag.IsInlineLevelTag() != 0;
  traits.block = tag.IsBlockTag() != 0;
  return traits;
}

inline Admission Admit(const CHtmlTagItem& container, const CHtmlTagItem& tag) {
  if (container.GetTagId() == kTagParagraph && (tag.GetTokenFlag() & kTokenFlagTableInParagraph))
    return Admission::kYes;
  return Admit(ContainerContent(container), TraitsOf(tag));
}

namespace rules {

constexpr bool IsHeading(uint32_t id) { return id >= kTagHeading1 && id <= kTagHeading6; }

// Phrasing ids lie in 0x20xxx.
constexpr bool IsPhrasingId(uint32_t id) { return (id & 0xFF000) == 0x20000; }

constexpr bool IsTableStructure(uint32_t id) {
  for (uint32_t part : kTableParts)
    if (part != 0 && part == id) return true;
  return id == kTagTableCell;
}

}  // namespace rules

// Whether an open element ends at a start tag that no open element may
// hold. An HTML parser ends a paragraph at such a tag, and an element that
// holds nothing; most elements it ends only at a start tag of their own
// kind or family (a list item at the next item, a cell at the next cell or
// row, a heading at the next heading, a link at the next link) and
// otherwise keeps them open around whatever comes, misplaced or not: a
// span, font or link wrapped around paragraphs, a paragraph or heading
// inside a list or row. So do these rules, so that such an element, when
// removed, takes what it wraps with it.
constexpr bool EndsAtUnheldTag(uint8_t content, uint32_t openId, uint32_t tagId) {
  switch (content) {
    case kHoldsPhrasing:
    case kHoldsPhrasingButLinks:
    case kHoldsParamsAndPhrasing: return tagId == openId;
    case kHoldsFlow: return openId == kTagTableCaption && rules::IsTableStructure(tagId);
    case kHoldsListItems:
    case kHoldsTermsAndBlocksA:
    case kHoldsPreformatted:
    case kHoldsParamsObjectsAndBlocks: return false;
    case kHoldsHeadingContent: return rules::IsHeading(tagId);
    case kHoldsListItemContent: return tagId == kTagListItem;
    case kHoldsDefinitionContent: return tagId == kTagDefinitionTerm || tagId == kTagDefinition;
    case kHoldsDataCellContent:
    case kHoldsHeaderCellContent:
    case kHoldsCells:
    case kHoldsHeadRows:
    case kHoldsBodyRows:
    case kHoldsFootRows: return rules::IsTableStructure(tagId);
    default: return true;
  }
}

constexpr bool IsItemStart(uint32_t id) {
  return id == kTagListItem || id == kTagDefinitionTerm || id == kTagDefinition;
}

// Whether an open element stops the search of a list item's, term's or
// definition's start tag (IsItemStart) for an open one of its kind to
// close: HTML looks past phrasing elements, divisions, paragraphs and
// addresses only, even where they could hold the new one.
constexpr bool StopsItemSearch(uint32_t id, bool block, bool holdsNothing) {
  if (holdsNothing || id == kTagUnknown) return false;
  if (block) return id != kTagBlockContainer && id != kTagParagraph && id != kTagAddress;
  // Of the phrasing elements, only these; every structure element does.
  return !rules::IsPhrasingId(id) || id == kTagButton || id == kTagObject || id == kTagApplet || id == kTagSelect;
}

constexpr bool IsItemContent(uint8_t content) {
  return content == kHoldsListItemContent || content == kHoldsDefinitionContent;
}

// Whether a start tag that EndsAtUnheldTag says ends an open element of
// this content closes it where it stands, as HTML does: a list item, term
// or definition only when nothing open inside it stops the search
// (StopsItemSearch); a heading only when nothing is open inside it but a
// paragraph, with what that holds, which the start tag closes first.
constexpr bool StartTagReaches(uint8_t content, bool searchStoppedInside, bool paragraphAtMostInside) {
  if (IsItemContent(content)) return !searchStoppedInside;
  if (content == kHoldsHeadingContent) return paragraphAtMostInside;
  return true;
}

// Whether EndsAtUnheldTag's answer for an open element of this content
// type depends on the element's own id (otherwise all answer alike).
constexpr bool IdDecidesEnd(uint8_t content) {
  return content == kHoldsPhrasing || content == kHoldsPhrasingButLinks ||
         content == kHoldsParamsAndPhrasing || content == kHoldsFlow;
}

inline bool EndsAtUnheldTag(const CHtmlTagItem& open, const CHtmlTagItem& tag) {
  return EndsAtUnheldTag(ContainerContent(open), open.GetTagId() & ~kEndTagBit,
                         tag.GetTagId() & ~kEndTagBit);
}

inline bool StopsItemSearch(const CHtmlTagItem& open) {
  return StopsItemSearch(open.GetTagId(), IsBlockLevel(open),
                         ContainerContent(open) == kHoldsNothing);
}

// Whether an end tag that matches nothing opened inside an open element
// cannot close an element around it either: a paragraph's, where the open
// element's start tag ends a paragraph (HTML never keeps one open around
// it). Such an end tag is stray inside the element.
inline bool EndTagStrayInside(const CHtmlTagItem& open, const CHtmlTagItem& endTag) {
  return (endTag.GetTagId() & ~kEndTagBit) == kTagParagraph &&
         Admit(kHoldsParagraphContent, TraitsOf(open)) == Admission::kNo;
}

}  // namespace pagesift

#endif  // PAGESIFT_CONTAINMENT_RULES_H
