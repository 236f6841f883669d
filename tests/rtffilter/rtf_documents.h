// Building RTF test documents the way the host writes build-tag markup, and
// running them through the filter's public interface.
#ifndef BTE_TESTS_RTFFILTER_RTF_DOCUMENTS_H
#define BTE_TESTS_RTFFILTER_RTF_DOCUMENTS_H

#include <optional>
#include <string>

#include "tests/support/host_markup.h"

namespace bte::test {

// body with "[x]" replaced by an excluded range around x (tag Gone) and
// "<x>" by a kept one (tag Kept), numbered from 1 in order; filter with
// "NOT Gone". Ranges do not nest in this notation.
std::string WithRanges(const std::string& body);

// A minimal document around body.
std::string Document(const std::string& body);

// The filtered document, or nothing when FilterBuffer answers 1. A null
// expression filters without a parser. Never reads past the document.
std::optional<std::string> Filter(const std::string& rtf, const char* expression);

// A corpus document, read whole (tests/support/corpus.h tells whether
// the corpus is there).
std::string ReadCorpusFile(const std::string& name);

}  // namespace bte::test

#endif  // BTE_TESTS_RTFFILTER_RTF_DOCUMENTS_H
