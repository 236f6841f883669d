// The library's codes for tags as its users see them: tag ids, major types,
// the end-tag bit and the token flags. The per-element table (which id,
// major type and content type each element name has) is in tag_table.cpp;
// what each content type holds is in containment_rules.h.
#ifndef PAGESIFT_TAG_CODES_H
#define PAGESIFT_TAG_CODES_H

#include <cstdint>

namespace pagesift {

// An end tag's id is its start tag's id plus this bit.
constexpr uint32_t kEndTagBit = 0x10000000;

// Tag ids: 0x1xxxx document structure and head content, 0x2xxxx body content
// (0x20xxx phrasing, 0x21xxx blocks, 0x22xxx elements allowed almost
// anywhere). Named here are the ids that the containment rules or the
// filter passes single out; the other elements' ids are in tag_table.cpp.
constexpr uint32_t kTagHtml = 0x10010;
constexpr uint32_t kTagHead = 0x10020;
constexpr uint32_t kTagBody = 0x10030;
constexpr uint32_t kTagFrameset = 0x10040;
constexpr uint32_t kTagMeta = 0x11010;
constexpr uint32_t kTagStyle = 0x11040;

constexpr uint32_t kTagBig = 0x20060;
constexpr uint32_t kTagSmall = 0x20070;
constexpr uint32_t kTagAnchor = 0x20200;          // a
constexpr uint32_t kTagImage = 0x20210;           // img
constexpr uint32_t kTagParam = 0x20221;           // param
constexpr uint32_t kTagObject = 0x20230;          // object
constexpr uint32_t kTagApplet = 0x20240;
constexpr uint32_t kTagSelect = 0x20270;
constexpr uint32_t kTagOption = 0x20271;
constexpr uint32_t kTagSubscript = 0x20290;       // sub
constexpr uint32_t kTagSuperscript = 0x202A0;     // sup
constexpr uint32_t kTagButton = 0x202C0;
constexpr uint32_t kTagEmbed = 0x202F0;           // embed: counts as cell content
constexpr uint32_t kTagSvg = 0x20330;

constexpr uint32_t kTagUnorderedList = 0x21010;   // ul
constexpr uint32_t kTagListItem = 0x21012;        // li
constexpr uint32_t kTagOrderedList = 0x21013;     // ol
constexpr uint32_t kTagBlockContainer = 0x21020;  // div
constexpr uint32_t kTagParagraph = 0x21030;       // p
constexpr uint32_t kTagHeading1 = 0x21040;        // h1; h2 to h5 lie between
constexpr uint32_t kTagHeading6 = 0x21045;        // h6
constexpr uint32_t kTagPreformatted = 0x21060;    // pre
constexpr uint32_t kTagBlockquote = 0x21070;
constexpr uint32_t kTagAddress = 0x21080;
constexpr uint32_t kTagTable = 0x21090;
constexpr uint32_t kTagTableCaption = 0x21091;    // caption
constexpr uint32_t kTagTableColumn = 0x21092;     // col
constexpr uint32_t kTagTableColumnGroup = 0x21093;  // colgroup
constexpr uint32_t kTagTableHead = 0x21094;       // thead
constexpr uint32_t kTagTableBody = 0x21095;       // tbody
constexpr uint32_t kTagTableFoot = 0x21096;       // tfoot
constexpr uint32_t kTagTableRow = 0x2109A;        // tr
constexpr uint32_t kTagTableHeaderCell = 0x2109B; // th
constexpr uint32_t kTagTableCell = 0x2109C;       // td
constexpr uint32_t kTagHorizontalRule = 0x210A0;  // hr
constexpr uint32_t kTagForm = 0x210B0;
constexpr uint32_t kTagMarquee = 0x210F0;
constexpr uint32_t kTagDefinition = 0x21200;      // dd
constexpr uint32_t kTagDefinitionTerm = 0x21201;  // dt
constexpr uint32_t kTagDefinitionList = 0x21210;  // dl

constexpr uint32_t kTagInserted = 0x22000;        // ins
constexpr uint32_t kTagDeleted = 0x22010;         // del
constexpr uint32_t kTagScript = 0x22020;
constexpr uint32_t kTagTemplate = 0x22040;
constexpr uint32_t kTagNoFrames = 0x22060;        // noframes

// Ids that the containment rules name but no element of the table has:
// kept so that the rules read as the library's vocabulary defines them.
// Each is named after the family its number lies in.
constexpr uint32_t kTagReservedMarkup = 0x00040;
constexpr uint32_t kTagReservedCanvasPart = 0x20311;
constexpr uint32_t kTagReservedBlock = 0x21000;
constexpr uint32_t kTagReservedListPart = 0x21011;
constexpr uint32_t kTagReservedHeadingPart = 0x21050;
constexpr uint32_t kTagReservedRulePart = 0x210A1;
constexpr uint32_t kTagReservedDefinitionPartA = 0x21220;
constexpr uint32_t kTagReservedDefinitionPartB = 0x21230;
constexpr uint32_t kTagReservedPreformattedPart = 0x21300;
constexpr uint32_t kTagReservedText = 0x40000000;

// Markup tokens that are neither elements nor text: they are tag tokens
// (never text content) that any container admits and that contain nothing.
// Every markup id is below kTagFirstElement.
constexpr uint32_t kTagComment = 0x00010;
constexpr uint32_t kTagDoctype = 0x00020;
constexpr uint32_t kTagProcessingInstruction = 0x00030;
constexpr uint32_t kTagCdata = 0x00050;
constexpr uint32_t kTagFirstElement = 0x00100;
// An element name the table does not know.
constexpr uint32_t kTagUnknown = 0x0FFFFFFF;

// Major types (GetMjrType): what kind of content an element is. Bits:
constexpr uint32_t kMajorBodyBit = 0x80000000;      // may stand in the body
constexpr uint32_t kMajorHeadBit = 0x40000000;      // may stand in the head
constexpr uint32_t kMajorContentBit = 0x20000000;   // content, not structure
constexpr uint32_t kMajorAnywhereBit = 0x10000000;  // only the "anywhere" type has it
// Groups of bits that the containment rules test as a whole.
constexpr uint32_t kMajorFlowBits = 0xA0000100;        // flow content
constexpr uint32_t kMajorPhrasingBits = 0xA0020000;    // phrasing content
constexpr uint32_t kMajorRestrictedBits = 0xA0011000;  // blocks some containers refuse
// A major type whose top byte is all ones is admitted by every container.
constexpr uint32_t kMajorAnywhereMask = 0xFF000000;
// The major types the element table gives.
constexpr uint32_t kMajorAnywhere = 0xFF000000;    // markup, script, template, unknown
constexpr uint32_t kMajorPhrasing = kMajorFlowBits | kMajorPhrasingBits;
constexpr uint32_t kMajorFlow = kMajorFlowBits;    // flow that is no phrasing: blocks, li, dt
constexpr uint32_t kMajorHeadContent = kMajorFlowBits | kMajorHeadBit;  // also in the body
constexpr uint32_t kMajorPart = kMajorBodyBit | kMajorContentBit;  // only their own parent holds them
constexpr uint32_t kMajorStructure = 0x00000000;   // html, head, body, frames

// Token flags (GetTokenFlag / SetTokenFlag).
// Set on an unknown element's start tag that is not self-closed: it is taken
// to contain anything; a self-closed one contains nothing.
constexpr uint32_t kTokenFlagUnknownContainer = 0x1000;
// Set by the filter's removal scan on a tag the containment rules admitted
// outside its proper parent (content placed straight into a table, an image
// or form control in preformatted text).
constexpr uint32_t kTokenFlagMisplaced = 0x40000;
// Set by the tokenizer on a table's start tag in a document that browsers
// read in quirks mode: there an open paragraph holds the table.
constexpr uint32_t kTokenFlagTableInParagraph = 0x80000;

// GetHhctrlCommandType answers.
constexpr int kHhctrlNone = 0;          // not an HTML Help control object
constexpr int kHhctrlKeywordLinks = 1;  // "KLink"
constexpr int kHhctrlAssociativeLinks = 2;  // "ALink"
constexpr int kHhctrlContents = 3;      // "Contents" (table of contents)
constexpr int kHhctrlRelatedTopics = 4; // "Related Topics"
constexpr int kHhctrlIndex = 5;         // "Index"
constexpr int kHhctrlOtherCommand = 6;  // any other command, or none given

// GetAnchorHrefType answers.
constexpr int kHrefFile = 0;      // a relative link to a file of the project
constexpr int kHrefExternal = 1;  // a link with a scheme (http:, mailto:, ...)
constexpr int kHrefPopup = 2;     // a javascript: link (popup calls)
constexpr int kHrefFragment = 3;  // a link into the same topic ("#...")
constexpr int kHrefEmpty = 4;     // no target at all

// Save flags.
constexpr int kSaveWithDiscarded = 1;  // also writes discarded tokens
constexpr int kSaveHtml = 2;           // the document without discarded tokens

}  // namespace pagesift

#endif  // PAGESIFT_TAG_CODES_H
