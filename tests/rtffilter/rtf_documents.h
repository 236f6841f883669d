// Building RTF test documents the way the host writes build-tag markup, and
// running them through the filter's public interface.
#ifndef BTE_TESTS_RTFFILTER_RTF_DOCUMENTS_H
#define BTE_TESTS_RTFFILTER_RTF_DOCUMENTS_H

#include <optional>
#include <string>

namespace bte::test {

std::string RangeStart(int number);
std::string RangeEnd(int number);
// The annotation of range number, with the host's id and author unless
// others are given.
std::string Annotation(int number, const std::string& tags,
                       const std::string& author = "Conditional Build Tags",
                       const std::string& id = "Scrivlet");
// Start, content, end, annotation: a range in the host's usual order.
std::string Tagged(int number, const std::string& content, const std::string& tags);

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
