#include "rtffilter/structure/table_words.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "rtffilter/keyword_tables.h"
#include "rtffilter/rtf_token.h"

namespace bte::rtf {
namespace {

// Row, cell, table and border words, row numbers.
constexpr std::string_view kTableWordPrefixes[] = {"tr", "cl", "tbl", "brdr", "irow"};
constexpr std::string_view kTableWholeWords[] = {"cellx",  "itap",   "intbl", "lastrow",
                                                 "ltrrow", "rtlrow", "ts"};

std::string_view NameOf(const char* word, const RTFToken& token) {
  return std::string_view(word + 1, token.nameLength - 1);
}

// Bytes of data a \bin word announces; none for anything else.
size_t BinDataLength(const char* word, const RTFToken& token) {
  if (token.kind != TokenControlWord || NameOf(word, token) != "bin") return 0;
  const char* parameter = word + token.nameLength;
  int64_t value = 0;
  if (!ReadNumberAfterBlanks(parameter, parameter + token.paramLength, value) || value < 0)
    return 0;
  return static_cast<size_t>(value);
}

// The token at p, read afresh: a record reused between tokens would keep
// the parameter length of an earlier word.
RTFToken ReadToken(const char* p, const char* to) {
  RTFToken token;
  ReadRtfToken(p, static_cast<uint32_t>(to - p), token);
  return token;
}

// p plus count, not past limit.
const char* Advance(const char* p, size_t count, const char* limit) {
  return count < static_cast<size_t>(limit - p) ? p + count : limit;
}

}  // namespace

bool IsTableWord(const char* letters, uint32_t count) {
  const std::string_view name(letters, count);
  for (std::string_view prefix : kTableWordPrefixes)
    if (name.substr(0, prefix.size()) == prefix) return true;
  return std::find(std::begin(kTableWholeWords), std::end(kTableWholeWords), name) !=
         std::end(kTableWholeWords);
}

bool TableWordFinder::Next(const char* from, const char* to, InputSpan& word) {
  const char* p = from;
  while (p < to) {
    if (p < untouchedEnd_) {
      p = std::min(untouchedEnd_, to);
      continue;
    }
    bool isTableWord = false;
    const char* end = StepToken(p, to, isTableWord);
    if (isTableWord) {
      word = {p, end};
      return true;
    }
    p = end;
  }
  return false;
}

const char* TableWordFinder::StepToken(const char* p, const char* to, bool& isTableWord) {
  if (*p == '{') {
    untouchedEnd_ = std::max(untouchedEnd_, PassedOverGroupEnd(p));
    return p + 1;
  }
  const RTFToken token = ReadToken(p, to);
  const char* end = p + token.length;
  if (token.kind != TokenControlWord) return end;
  untouchedEnd_ = std::max(untouchedEnd_, Advance(end, BinDataLength(p, token), inputEnd_));
  isTableWord = IsTableWord(p + 1, token.nameLength - 1);
  return end;
}

// The same groups the content scanner passes over: "{\name" or "{\*\name"
// with a name it skips whole.
const char* TableWordFinder::PassedOverGroupEnd(const char* open) const {
  const char* p = open + 1;
  if (inputEnd_ - p >= 2 && p[0] == '\\' && p[1] == '*') p += 2;
  if (p >= inputEnd_ || *p != '\\') return open;
  const RTFToken token = ReadToken(p, inputEnd_);
  int32_t category = 0;
  if (token.kind != TokenControlWord ||
      !LookupDestination(p + 1, token.nameLength - 1, category) || category != DestSkip)
    return open;
  uint32_t length = 0;
  if (!FindGroupEnd(open, static_cast<uint32_t>(inputEnd_ - open), length)) return open;
  return open + length;
}

const char* LastParagraphReset(const char* from, const char* to) {
  const char* last = from;
  for (const char* p = from; p < to;) {
    const RTFToken token = ReadToken(p, to);
    if (token.kind == TokenControlWord && NameOf(p, token) == "pard") last = p;
    p = Advance(p + token.length, BinDataLength(p, token), to);
  }
  return last;
}

}  // namespace bte::rtf
