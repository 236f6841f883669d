// What the RTF writers hand to the structure rebuilder: one piece of the
// input with its kind and whether it goes, and the list state in force.
#ifndef BTE_RTFFILTER_RTF_ITEM_H
#define BTE_RTFFILTER_RTF_ITEM_H

#include <cstdint>

namespace bte::rtf {

// The paragraph properties the rebuilder follows: \itap, \ilvl and \ls.
// A paragraph is body text (depth 0) until \intbl or \itap puts it into a
// table: most writers mark only table paragraphs.
struct ParagraphListState {
  int32_t tableDepth = 0;
  int32_t listLevel = 0;
  int32_t listOverride = 0;
};

enum RtfItemKind : int32_t {
  ItemContent = 1,          // text, symbols, special words, unit groups, markers
  ItemParagraph = 2,        // \par, or a backslash before CR or LF
  ItemRow = 3,              // \row
  ItemCell = 4,             // \cell
  ItemNestedRow = 5,        // \nestrow, or a whole nesttableprops group
  ItemNestedCell = 6,       // \nestcell
  ItemSection = 7,          // \sect
  ItemListTextBullet = 8,   // a whole {\*\listtextkvt ...} group
  ItemParaNumBullet = 9,    // a whole {\*\pntextkvt ...} group
  ItemRowDefaults = 10,     // \trowd
  ItemInTable = 11,         // \intbl
  // A whole {\listtext ...} or {\pntext ...} group: the number text a list
  // paragraph carries for readers that do not read the list table. Only
  // the structure reading hands it out.
  ItemReaderListText = 12,
};

// Points into the caller's input; only a copy made by CopyTextFrom is owned.
class RtfItem {
 public:
  RtfItem(const char* text, uint32_t length, int32_t excluded, int32_t kind)
      : text(text), length(length), excluded(excluded), kind(kind) {}
  RtfItem(const RtfItem&) = delete;
  RtfItem& operator=(const RtfItem&) = delete;
  virtual ~RtfItem() { delete[] ownedText; }

  // Takes over other's text as an owned, zero-terminated copy.
  void CopyTextFrom(const RtfItem& other);

  const char* text;
  uint32_t length;
  int32_t excluded;  // 1: in an excluded segment, or a build-tag marker
  int32_t kind;      // an RtfItemKind
  char* ownedText = nullptr;
  int32_t hasOwnedText = 0;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_RTF_ITEM_H
