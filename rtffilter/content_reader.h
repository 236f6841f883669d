// What the writers see of a piece of the document: only the tokens that
// carry visible content or document structure, with formatting words and
// hidden destination groups passed over.
#ifndef BTE_RTFFILTER_CONTENT_READER_H
#define BTE_RTFFILTER_CONTENT_READER_H

#include <vector>

#include "rtffilter/reader/rtf_token.h"
#include "rtffilter/rtf_item.h"

namespace bte::rtf {

// Implemented by the writers.
class ContentListener {
 public:
  virtual ~ContentListener() = default;
  // One content token: TokenText; a TokenControlWord of the special-word
  // table (code: its item kind); a TokenControlSymbol; or a TokenUnitGroup
  // (code: its item kind), a whole group, of length 0 when the group does
  // not close within the piece. false stops the reading.
  virtual bool OnContent(const char* at, const RTFToken& token) = 0;
};

// The paragraph properties the structure rebuilder needs (\pard, \itap,
// \ilvl, \ls), followed across the pieces of one document. The state in
// force at each '{' is saved and restored at its '}'; a group passed over
// or handed out whole drops its saved copy at once.
struct ParagraphTracker {
  ParagraphListState state;
  std::vector<ParagraphListState> saved;
};

// Hands the content tokens of [begin, end) to listener in order; with
// paragraphs, follows the paragraph properties on the way.
void ReadContent(const char* begin, const char* end, ParagraphTracker* paragraphs,
                 ContentListener& listener);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_CONTENT_READER_H
