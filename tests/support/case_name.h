// Readable names for parameterised cases, made from what each case feeds in.
#ifndef BTE_TESTS_SUPPORT_CASE_NAME_H
#define BTE_TESTS_SUPPORT_CASE_NAME_H

#include <cctype>
#include <string>
#include <string_view>

namespace bte::testing {

// The case's number, then the input (less every occurrence of omit, text
// common to all cases) with every run of bytes other than letters and
// digits as one "_"; the number keeps names unique where inputs differ
// only in punctuation.
inline std::string InputName(size_t index, std::string input, std::string_view omit = {}) {
  for (size_t at; !omit.empty() && (at = input.find(omit)) != std::string::npos;) input.erase(at, omit.size());
  std::string name = std::to_string(index) + "_";
  for (char c : input.substr(0, 40)) {
    const bool word = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (word) name += c;
    else if (name.back() != '_') name += '_';
  }
  if (name.back() == '_') name.pop_back();
  return name;
}

// A text that may be null, for the name of a case that passes null.
inline std::string OrNull(const char* text) { return text != nullptr ? text : "null"; }

}  // namespace bte::testing

#endif  // BTE_TESTS_SUPPORT_CASE_NAME_H
