// An evaluator written straight from the truth rule, independent of the
// postfix machinery: OR splits weakest, then AND, then leading NOTs.
#ifndef BTE_TESTS_REFERENCE_EVALUATOR_H
#define BTE_TESTS_REFERENCE_EVALUATOR_H

#include <set>
#include <string>
#include <vector>

namespace bte::testing {

// An expression given as words: tag names (lower case) and "~", "&", "|".
using Words = std::vector<std::string>;

bool ReferenceTruth(const Words& words, const std::set<std::string>& carried);

}  // namespace bte::testing

#endif  // BTE_TESTS_REFERENCE_EVALUATOR_H
