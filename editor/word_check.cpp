// Word splitting, word order and the Basic form.
#include "editor/word_check.h"

#include "editor/resources.h"
#include "expr/text.h"

namespace bte::editor {
namespace {

// Every occurrence, scanning left to right without overlaps, as a string
// class's replace-all does: " & & " holds one " & ".
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string replaced;
  size_t start = 0;
  for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
    replaced.append(text.substr(start, at - start)).append(to);
    start = at + from.size();
  }
  replaced.append(text.substr(start));
  return replaced;
}

bool IsNot(std::string_view word) { return WordVocabulary::IsKeyword(word, "NOT"); }

void Report(const MessageSink& messages, uint32_t id, std::vector<std::string> args = {}) {
  if (messages) messages(id, args);
}

}  // namespace

bool WordVocabulary::IsKnownTag(std::string_view word) const {
  for (const std::string& tag : knownTags_)
    if (EqualsIgnoringAsciiCase(tag, word)) return true;
  return false;
}

bool WordVocabulary::IsKeyword(std::string_view word, std::string_view keyword) {
  return EqualsIgnoringAsciiCase(word, keyword);
}

bool WordVocabulary::IsOperatorKeyword(std::string_view word) {
  for (const std::string& keyword : OperatorKeywords())
    if (IsKeyword(word, keyword)) return true;
  return false;
}

std::string SymbolsToWords(std::string_view text) {
  std::string words = ReplaceAll(text, " & ", " AND ");
  words = ReplaceAll(words, " | ", " OR ");
  return ReplaceAll(words, " ~ ", " NOT ");
}

bool SplitExpressionWords(std::string_view text, const WordVocabulary& vocabulary,
                          std::vector<std::string>& words, const MessageSink& messages) {
  std::string lines(text);
  for (char& c : lines)
    if (c == '\r' || c == '\n') c = ' ';
  const std::string spaced = SymbolsToWords(" " + std::string(Trim(lines)) + " ");
  std::string_view rest = TrimLeft(spaced);
  if (rest.empty()) {
    Report(messages, text::kInvalidString, {""});
    return false;
  }
  while (!rest.empty()) {
    const size_t blank = rest.find(' ');
    const std::string_view piece = Trim(rest.substr(0, blank));
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    if (piece.empty()) continue;
    if (!vocabulary.IsKnownTag(piece) && !WordVocabulary::IsOperatorKeyword(piece)) {
      Report(messages, text::kInvalidString, {std::string(piece)});
      return false;
    }
    words.emplace_back(piece);
  }
  return true;
}

bool CheckBasicWordOrder(const std::vector<std::string>& words, const WordVocabulary& vocabulary,
                         const MessageSink& messages) {
  const size_t n = words.size();
  if (n == 0) return true;
  auto isTag = [&](size_t i) { return vocabulary.IsKnownTag(words[i]); };
  auto isBinary = [&](size_t i) {
    return WordVocabulary::IsOperatorKeyword(words[i]) && !IsNot(words[i]);
  };
  if (isBinary(0)) return Report(messages, text::kFirstOperatorNotNot), false;
  if (n >= 2 && WordVocabulary::IsOperatorKeyword(words[n - 1]))
    return Report(messages, text::kLastNotTag), false;
  for (size_t i = 0; i + 1 < n; ++i) {
    if (!isTag(i)) continue;
    if (isTag(i + 1))
      return Report(messages, text::kTagsNotSeparated, {words[i], words[i + 1]}), false;
    if (IsNot(words[i + 1])) return Report(messages, text::kNotMisused), false;
    if (i + 2 >= n) continue;
    if (isTag(i + 2) && EqualsIgnoringAsciiCase(words[i + 2], words[i]))
      return Report(messages, text::kSecondTagMisplaced, {words[i]}), false;
    if (isBinary(i + 2)) return Report(messages, text::kOperatorMisused, {words[i + 2]}), false;
  }
  return true;
}

bool HasBasicForm(std::string_view text, const WordVocabulary& vocabulary) {
  if (text.empty()) return true;
  std::vector<std::string> words;
  if (!SplitExpressionWords(text, vocabulary, words, MessageSink()) || words.size() < 2)
    return false;
  if (!IsNot(words[0]) || !vocabulary.IsKnownTag(words[1]) || !vocabulary.IsKnownTag(words.back()))
    return false;
  bool afterAnd = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (WordVocabulary::IsKeyword(word, "OR")) return false;
    if (WordVocabulary::IsKeyword(word, "AND")) {
      if (afterAnd) return false;
      afterAnd = true;
    } else if (IsNot(word)) {
      if (i != 0 && !afterAnd) return false;
      afterAnd = false;
    } else if (afterAnd) {
      return false;
    }
  }
  return true;
}

}  // namespace bte::editor
