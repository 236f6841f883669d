// The generated RTF documents the RTF benchmarks and speed goals run on,
// shared by the in-process benchmarks and the program that writes them to
// files for the whole-process measurements.
#ifndef BTE_BENCH_RTF_DOCUMENTS_H
#define BTE_BENCH_RTF_DOCUMENTS_H

#include <cstddef>
#include <string>

namespace bte::bench {

// Paragraphs of text and formatting; every second one is a build-tag range,
// a quarter of those tagged Beta and the rest Web. No tables, no list text.
// With groupedTags the tags sit in a group of their own, a layout the host
// does not write, which the filter reads token by token.
std::string MakeTaggedDocument(size_t minimumSize, bool groupedTags);

// Rows of four cells (some excluded, every eighth with a nested table),
// lists of six entries (one excluded) and body paragraphs; excluded content
// in the host's markup, its annotations tagged Hidden.
std::string MakeTableDocument(size_t minimumSize);

}  // namespace bte::bench

#endif  // BTE_BENCH_RTF_DOCUMENTS_H
