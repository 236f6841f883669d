// Plain-language reasons for a failed filtering run, for the tool's users.
#ifndef BTE_RTFFILTER_FILTER_DIAGNOSIS_H
#define BTE_RTFFILTER_FILTER_DIAGNOSIS_H

#include <cstdint>
#include <string>
#include <vector>

#include "buildtagexpr.h"

namespace bte::rtf {

// Why FilterBuffer refuses the document, e.g. "range end 7 names no open
// range (at byte 120)".
std::string ExplainFilterFailure(const char* input, uint32_t length,
                                 IBuildTagExprParser* parser);

// One build-tag annotation of a document: the number of the range it
// describes (0 when it refers to none) and its tag text.
struct AnnotatedRange {
  uint32_t number = 0;
  std::string tagText;
};

// The document's build-tag annotations in the order their ranges open. false with a
// reason in error when the markup is malformed.
bool ListBuildTagRanges(const char* input, uint32_t length, std::vector<AnnotatedRange>& ranges,
                        std::string& error);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_DIAGNOSIS_H
