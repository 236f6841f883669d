// One filtering run over one document: the removal of excluded elements and
// the clean-up passes that repair what removal leaves behind. A pass lives
// for one filter call; it neither owns the document nor the parser.
#ifndef BTE_HTMLFILTER_FILTER_PASS_H
#define BTE_HTMLFILTER_FILTER_PASS_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "buildtagexpr.h"
#include "htmlfilter/pass_memory.h"
#include "pagesift/end_tag_reach.h"
#include "pagesift/pagesift.h"

namespace bte {

// Bits of the mode word of HtmlFilterPass::Run.
enum HtmlFilterMode : uint32_t {
  kModeRepairTables = 1,
  kModeRemoveOrphanPopups = 2,
  kModeRemoveDeadLinks = 4,
  kModeRemoveEmptyPlaceholders = 8,
};
// The two modes the filter object uses: without and with link removal.
constexpr uint32_t kModeFilter =
    kModeRepairTables | kModeRemoveOrphanPopups | kModeRemoveEmptyPlaceholders;
constexpr uint32_t kModeFilterWithLinks = kModeFilter | kModeRemoveDeadLinks;

struct PopupCandidates;  // popup_cleanup.cpp

class HtmlFilterPass {
 public:
  // memory, when given, is the filter object's (pass_memory.h); a pass
  // without one keeps its own.
  HtmlFilterPass(CHtmlFileEx* document, IBuildTagExprParser* parser, PassMemory* memory = nullptr);
  HtmlFilterPass(const HtmlFilterPass&) = delete;
  HtmlFilterPass& operator=(const HtmlFilterPass&) = delete;
  virtual ~HtmlFilterPass() { memory_.Trim(); }

  // Removes excluded elements, then runs the clean-up passes the mode
  // selects (all but RemoveDeadLinks only when something was removed).
  // 1 when it ran, 0 without document or parser. Library exceptions pass
  // through (the filter object catches them).
  int Run(uint32_t mode);
  // Set as soon as one element has been removed.
  bool removedAny() const { return removedAny_; }

  // Element removal (token_filter.cpp). Returns 1.
  int RemoveExcludedElements();
  // Decides one candidate and removes its element when excluded.
  void CheckInlineBuildTags(HtmlPosition position, CHtmlTagItem* tag);
  // Removes the element started at position with everything it contains;
  // a table cell is emptied and marked discard="yes" instead.
  void RemoveTaggedElement(HtmlPosition position, CHtmlTagItem* tag);
  // The containment model (containment.cpp): 1 when the open element
  // container may hold tag. May mark tag with the misplaced flag.
  static int CanContain(const CHtmlTagItem* container, CHtmlTagItem* tag);

  // Clean-up passes (table_repair.cpp, popup_cleanup.cpp, dead_links.cpp).
  // Each returns 1; RemoveDeadLinks returns 0 when the library threw.
  int RepairTables();
  int RemoveOrphanPopups();
  int RemoveEmptyPlaceholders();
  int RemoveDeadLinks();

  // 1 when a kept text token or image lies between start and end (both
  // included); 1 also when the list, start or end is missing.
  int RangeHasContent(HtmlPosition start, HtmlPosition end) const;
  // 1 when the table cell started at position holds text, an image, a row,
  // an object or an embed.
  int CellHasContent(HtmlPosition position) const;
  // Gives an empty cell a filler paragraph; 1 when it did.
  int FillEmptyCell(HtmlPosition position);

  // 1 when the topic file at path declares topic-level build tags that the
  // expression excludes. The file is analysed unless its tags are known
  // and nothing has changed it since.
  int IsTopicExcluded(const char* path) const;
  // The file part of a related-topic item value "title;file" (the title
  // may hold character references); empty for null.
  static std::string RelatedTopicFile(const char* value);
  // Renames the item params after the one discarded at position so that
  // their numbers close the gap.
  void RenumberItems(HtmlPosition position);

  using CleanupTag = bte::CleanupTag;

 private:
  // One removal's scan (token_filter.cpp), a token at a time.
  struct RemovalScan {
    HtmlPosition position;  // the removed element's start tag
    CHtmlTagItem* removed;
    uint32_t removedId;
    bool heading = false;
    // HTML has reopened formatting elements over the removed heading.
    bool copiesOverHeading = false;
    bool whitespaceBefore = false;  // after the last tag: text to HTML
    bool strayPart = false;  // a table's part where no table is open
    bool endTagCame = false;  // such a part's, with elements open inside
  };
  // What the scan does with a token.
  enum class RemovalStep {
    kTakeToken,         // it goes with the removed content
    kLeaveToken,        // it stays, and the removal goes on
    kEnd,               // the removal ends at it
    kEndLeavingBlocks,  // the same, the blocks open inside staying open
  };
  RemovalStep EndTagStep(RemovalScan& scan, CHtmlTagItem* current);
  RemovalStep StartTagStep(RemovalScan& scan, CHtmlTagItem* current);
  // Text, or a start tag (startTag) that HTML takes as text would be.
  void NoteText(RemovalScan& scan, const CHtmlTagItem* startTag);
  // Whether startTag, a link's, inside the removed element, ends it by
  // closing an open link first, as HTML does; a link opened inside the
  // removed element it closes there.
  bool ClosesLink(const RemovalScan& scan, const CHtmlTagItem& startTag);
  // Whether a table's start tag ends the removed element by closing the
  // table it stands in, as HTML does outside a cell; one inside the removed
  // element it closes there.
  bool ClosesTable(const RemovalScan& scan);
  // Discards the start tags of the elements open above index, and closes them.
  void DiscardOpenAbove(int index);
  // Where every clean-up pass starts walking.
  HtmlPosition FirstPosition() const;
  // The tables, table ends, cells, divisions, links and objects from
  // FirstPosition on, in document order: each pass visits these rather
  // than every token. Found in one walk when first asked; the passes only
  // discard tokens or insert ones of other kinds, so the list stays whole
  // (each pass still skips what was discarded since).
  const std::vector<CleanupTag>& CleanupTags();
  bool IsExcluded(std::string_view tagSet) const;
  // Whether an end tag that nothing opened inside the removed element (the
  // one started at position) matches closes an element around it, and so
  // ends the removal.
  bool ClosesEnclosingElement(HtmlPosition position, CHtmlTagItem* removed, const CHtmlTagItem& endTag,
                              pagesift::EndTagReach reach);
  // Whether such an end tag, of a formatting element, closes one around the
  // removed element across a block opened in it, which goes on being removed.
  bool ClosesFormattingAcross(HtmlPosition position, CHtmlTagItem* removed, const CHtmlTagItem& endTag,
                              pagesift::EndTagReach reach);
  // Index of the element around the removed one that an end tag of id closes
  // (not one that the removed element's start tag ended), or -1.
  int EnclosingElementClosedBy(HtmlPosition position, CHtmlTagItem* removed, uint32_t id,
                               pagesift::EndTagReach reach);
  // Whether startTag, which nothing opened inside the removed element (the
  // one started at position) ends, ends an element around it.
  bool EndsEnclosingElement(HtmlPosition position, CHtmlTagItem* removed, CHtmlTagItem* startTag);
  // The elements open around the removed element (the one started at
  // position) as the follower has them: those below open, the others its
  // start tag ended.
  const OpenElementStack& Around(HtmlPosition position, CHtmlTagItem* removed, int& open);
  // Whether an end tag of id inside the removed element (the one started
  // at position) closes a formatting element closed before, which HTML
  // keeps active, and so nothing else: one opened inside the removed
  // element, or one around it.
  bool ClosesActiveFormattingInside(uint32_t id);
  bool ClosesActiveFormattingAround(HtmlPosition position, CHtmlTagItem* removed, uint32_t id);
  // The kinds of the formatting elements around the removed element that
  // HTML keeps active, known once per removal (memory_.activeAround), with
  // those of them it would open again inside it (memory_.reopenedAround).
  std::vector<uint32_t>& ActiveAround(HtmlPosition position, CHtmlTagItem* removed);
  // Whether HTML would open formatting elements again, as copies, at text
  // directly inside the removed element: ones closed inside it that stay
  // active, or ones around it that no open one is newer than, whose end
  // tags have not come since.
  bool ReopensFormattingInside(HtmlPosition position, CHtmlTagItem* removed);
  // Whether startTag, inside the removed element, is a table's part (a row,
  // cell, caption, column or row group) where no table (or template) is
  // open, inside the removed element or around it: HTML ignores such a tag.
  bool IsStrayTablePart(HtmlPosition position, CHtmlTagItem* removed, const CHtmlTagItem& startTag);

  // Whether endTag, of the body or the document, stands at the document's
  // end: nothing but whitespace, comments and more such end tags follow it.
  bool EndsDocument(const CHtmlTagItem& endTag);
  // IsTopicExcluded of the file the link target resolves to, asked once per
  // target in a pass: a topic links to the same few topics many times.
  bool LinksToExcludedTopic(std::string_view target);
  bool IsTopicFileExcluded(const std::string& path) const;
  void RemoveDeadLink(HtmlPosition position, CHtmlTagItem* anchor);
  void RemoveDeadRelatedTopics(HtmlPosition objectPosition);
  int RemoveOrphanPopupsOnce(const PopupCandidates& candidates);

  CHtmlFileEx* document_;
  IBuildTagExprParser* parser_;
  PassMemory ownMemory_;
  PassMemory& memory_;
  // The changes to linked topics and folders are taken in once per pass.
  void CatchUpOnce() const;
  mutable bool caughtUp_ = false;
  bool removedAny_ = false;
  bool documentEndKnown_ = false;  // memory_.documentEndTags holds this document's
  bool activeAroundKnown_ = false;  // memory_.activeAround holds this removal's
  bool surveyed_ = false;  // memory_.cleanupTags holds this document's
  // The last tag set asked about (memory_.lastTagSet) and the answer: most
  // tagged elements of a topic carry the same few sets, often the same one
  // in a row.
  mutable bool lastExcluded_ = false;
  mutable bool askedBefore_ = false;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_FILTER_PASS_H
