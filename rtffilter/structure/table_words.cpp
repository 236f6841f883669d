#include "rtffilter/structure/table_words.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "rtffilter/reader/rtf_scanner.h"

namespace bte::rtf {
namespace {

// Row, cell, table and border words, row numbers.
constexpr std::string_view kTableWordPrefixes[] = {"tr", "cl", "tbl", "brdr", "irow"};
constexpr std::string_view kTableWholeWords[] = {"cellx",  "itap",   "intbl", "lastrow",
                                                 "ltrrow", "rtlrow", "ts"};

bool IsWord(const char* at, const RTFToken& token, std::string_view name) {
  return std::string_view(at + 1, token.nameLength - 1) == name;
}

// Stops at the first table word.
class TableWordListener : public RtfListener {
 public:
  bool OnControlWord(const char* at, const RTFToken& token) override {
    if (!IsTableWord(at + 1, token.nameLength - 1)) return true;
    word = {at, at + token.length};
    return false;
  }
  InputSpan word{nullptr, nullptr};
};

// Remembers the last \pard.
class ParagraphResetListener : public RtfListener {
 public:
  explicit ParagraphResetListener(const char* from) : last(from) {}
  bool OnControlWord(const char* at, const RTFToken& token) override {
    if (IsWord(at, token, "pard")) last = at;
    return true;
  }
  const char* last;
};

}  // namespace

bool IsTableWord(const char* letters, uint32_t count) {
  const std::string_view name(letters, count);
  for (std::string_view prefix : kTableWordPrefixes)
    if (name.substr(0, prefix.size()) == prefix) return true;
  return std::find(std::begin(kTableWholeWords), std::end(kTableWholeWords), name) !=
         std::end(kTableWholeWords);
}

bool TableWordFinder::Next(const char* from, const char* to, InputSpan& word) {
  if (from < untouchedEnd_) from = untouchedEnd_;
  if (from >= to) return false;
  TableWordListener listener;
  const char* end = ScanRtf(kTableWordRules, from, to, inputEnd_, listener);
  if (listener.word.begin != nullptr) {
    word = listener.word;
    return true;
  }
  untouchedEnd_ = std::max(untouchedEnd_, end);
  return false;
}

const char* LastParagraphReset(const char* from, const char* to) {
  ParagraphResetListener listener(from);
  ScanRtf(kEveryWordRules, from, to, to, listener);
  return listener.last;
}

}  // namespace bte::rtf
