// Build-tag ranges as the host writes them into RTF, and the filter's own
// stages run over a document: the item stream the structure rebuilder
// reads, the rebuilder's output, and the filter object's.
#ifndef BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H
#define BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H

#include <string>
#include <string_view>
#include <vector>

#include "rtffilter/rtf_item.h"

namespace bte::rtf::testing {

// Wraps every occurrence of each word in a build-tag range tagged "Hidden",
// with its annotation, as the host writes them.
std::string ExcludeWords(std::string rtf, const std::vector<std::string>& words);

// "<<" and ">>" in a case text stand for the start and the end (with its
// annotation) of a range tagged "Hidden"; ranges may nest.
std::string ExpandMarks(std::string_view marked);

// The text as the structure rebuilder writes it for "NOT Hidden", whatever
// writer the filter would choose for it; "<failed>" when it fails.
std::string Rebuild(std::string_view text);
// The same with the whole tree built first and written at the end, rather
// than each part written once it is settled.
std::string RebuildAtTheEnd(std::string_view text);

// The document as the RTF filter object writes it for "NOT Hidden", or
// "<failed>".
std::string FilterHidden(const std::string& rtf);

// One item of the stream the rebuilder reads, with the paragraph state in
// force after it.
struct ItemRecord {
  int32_t kind;
  std::string text;
  ParagraphListState state;
};
std::vector<ItemRecord> Itemise(const std::string& rtf);

}  // namespace bte::rtf::testing

#endif  // BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H
