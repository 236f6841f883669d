// The whole filtering of one document, and the listing of its build-tag
// annotations, with what went wrong as data: the entries of the RTF filter
// object and of tools that tell their users why a document was refused.
#ifndef BTE_RTFFILTER_FILTER_DOCUMENT_H
#define BTE_RTFFILTER_FILTER_DOCUMENT_H

#include <cstdint>
#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "rtffilter/filter_result.h"
#include "rtffilter/output_sink.h"

namespace bte::rtf {

// Filters input (length bytes; nothing after them is read) for parser (null:
// every tagged piece goes). On success *output receives the filtered
// document with one reference for the caller; on failure it is left alone.
// Running out of memory is a failure, not an exception.
FilterResult FilterDocument(const char* input, uint32_t length, IBuildTagExprParser* parser,
                            IFilterOutputBuffer** output);
// The same, handing the filtered document to consumer in pieces, so that it
// is never held whole: for output bound for a file. On failure a part may
// have been handed on already. When consumer refuses a piece, no more are
// offered, yet the result reports the filtering alone.
FilterResult FilterDocumentInPieces(const char* input, uint32_t length,
                                    IBuildTagExprParser* parser, const PieceConsumer& consumer);

// One build-tag annotation of a document: the number of the range it
// describes (0 when it refers to none) and its tag text.
struct AnnotatedRange {
  uint32_t number = 0;
  std::string tagText;
};

// The document's build-tag annotations in the order their ranges open;
// fails as the filtering would on malformed markup.
FilterResult ListBuildTagRanges(const char* input, uint32_t length,
                                std::vector<AnnotatedRange>& ranges);

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_DOCUMENT_H
