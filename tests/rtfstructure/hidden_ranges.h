// Build-tag ranges as the host writes them into RTF, and the RTF filter
// object run over a document: the public way in for tests that check what
// the rebuilder writes.
#ifndef BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H
#define BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H

#include <string>
#include <vector>

namespace bte::rtf::testing {

// Wraps every occurrence of each word in a build-tag range tagged "Hidden",
// with its annotation, as the host writes them.
std::string ExcludeWords(std::string rtf, const std::vector<std::string>& words);

// The document as the RTF filter object writes it for "NOT Hidden", or
// "<failed>".
std::string FilterHidden(const std::string& rtf);

}  // namespace bte::rtf::testing

#endif  // BTE_TESTS_RTFSTRUCTURE_HIDDEN_RANGES_H
