// The library's codes for tags as the filter passes see them: tag ids, the
// end-tag bit and the token flags. The full per-element table (major type,
// content type, level) is in tag_table.cpp.
#ifndef PAGESIFT_TAG_CODES_H
#define PAGESIFT_TAG_CODES_H

#include <cstdint>

namespace pagesift {

// An end tag's id is its start tag's id plus this bit.
constexpr uint32_t kEndTagBit = 0x10000000;

constexpr uint32_t kTagAnchor = 0x20200;          // a
constexpr uint32_t kTagImage = 0x20210;           // img
constexpr uint32_t kTagParam = 0x20221;           // param
constexpr uint32_t kTagObject = 0x20230;          // object
constexpr uint32_t kTagEmbed = 0x202F0;           // embed: counts as cell content
constexpr uint32_t kTagBlockContainer = 0x21020;  // div
constexpr uint32_t kTagTable = 0x21090;           // table
constexpr uint32_t kTagTableRow = 0x2109A;        // tr
constexpr uint32_t kTagTableHeaderCell = 0x2109B; // th
constexpr uint32_t kTagTableCell = 0x2109C;       // td

// Markup tokens that are neither elements nor text: they are tag tokens
// (never text content) that any container admits and that contain nothing.
constexpr uint32_t kTagComment = 0x00010;
constexpr uint32_t kTagDoctype = 0x00020;
constexpr uint32_t kTagProcessingInstruction = 0x00030;
constexpr uint32_t kTagCdata = 0x00050;
// An element name the table does not know.
constexpr uint32_t kTagUnknown = 0x0FFFFFFF;

// Token flags (GetTokenFlag / SetTokenFlag).
// Set on an unknown element's start tag that is not self-closed: it is taken
// to contain anything; a self-closed one contains nothing.
constexpr uint32_t kTokenFlagUnknownContainer = 0x1000;
// Set by the containment model on a tag it admitted outside its proper
// parent (content placed straight into a table, an image or form control in
// a container that normally holds blocks only).
constexpr uint32_t kTokenFlagMisplaced = 0x40000;

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
