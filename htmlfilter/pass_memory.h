// What a filter object keeps from one filtering pass to the next: the
// linked topics' tags (answers that stay true while their files do) and the
// storage of a pass's working lists, so that a build filtering thousands of
// topics allocates these once rather than once per topic. Nothing else
// carries over: a pass empties the lists as it starts. A filter object and
// its memory serve one thread.
#ifndef BTE_HTMLFILTER_PASS_MEMORY_H
#define BTE_HTMLFILTER_PASS_MEMORY_H

#include <cstdint>
#include <string>
#include <vector>

#include "htmlfilter/enclosing_elements.h"
#include "htmlfilter/linked_topic_tags.h"
#include "htmlfilter/open_element_stack.h"
#include "htmlfilter/target_answers.h"
#include "pagesift/pagesift.h"

namespace bte {

// A tag the clean-up passes look at, with its id.
struct CleanupTag {
  HtmlPosition position;
  uint32_t id;
};

struct PassMemory {
  // Lets go of lists grown past what a typical topic needs, so that one
  // huge topic does not hold megabytes for the rest of the object's life
  // (or while its document is saved).
  void Trim() {
    constexpr size_t kKeptEntries = 4096;
    if (cleanupTags.capacity() > kKeptEntries) std::vector<CleanupTag>().swap(cleanupTags);
    if (excludedTargets.Capacity() > kKeptEntries) excludedTargets = TargetAnswers();
  }

  LinkedTopicTags linkedTopics;
  std::vector<CleanupTag> cleanupTags;
  // Whether a link target leads to an excluded topic, by target.
  TargetAnswers excludedTargets;
  std::string targetKey;  // a target as the C string the library takes
  CByteString href;       // an anchor's href
  std::string lastTagSet;
  OpenElementStack removalStack;
  EnclosingElements enclosing;  // around the removed elements
  OpenElementStack openAtStartTag{false};  // around and inside, at a start tag
  // The kinds of the formatting elements around a removed element that
  // HTML keeps active after they closed (one entry each).
  std::vector<uint32_t> activeAround;
  // Of those, the kinds HTML opens again at text in a removed heading.
  std::vector<uint32_t> reopenedAround;
  // The end tags of the body and the document that only whitespace and
  // comments follow, by address.
  std::vector<const CHtmlTokenItem*> documentEndTags;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_PASS_MEMORY_H
