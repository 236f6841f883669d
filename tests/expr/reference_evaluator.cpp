#include "reference_evaluator.h"

namespace bte::testing {
namespace {

bool Factor(const Words& words, size_t begin, const std::set<std::string>& carried) {
  size_t negations = 0;
  while (words[begin + negations] == "~") ++negations;
  const bool value = carried.count(words[begin + negations]) > 0;
  return negations % 2 == 1 ? !value : value;
}

bool Conjunction(const Words& words, size_t begin, size_t end,
                 const std::set<std::string>& carried) {
  bool all = true;
  size_t start = begin;
  for (size_t i = begin; i <= end; ++i) {
    if (i == end || words[i] == "&") {
      all = Factor(words, start, carried) && all;
      start = i + 1;
    }
  }
  return all;
}

}  // namespace

bool ReferenceTruth(const Words& words, const std::set<std::string>& carried) {
  bool any = false;
  size_t start = 0;
  for (size_t i = 0; i <= words.size(); ++i) {
    if (i == words.size() || words[i] == "|") {
      any = Conjunction(words, start, i, carried) || any;
      start = i + 1;
    }
  }
  return any;
}

}  // namespace bte::testing
