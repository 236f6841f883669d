// The insertion rules: empty text, a selection, then what the last word
// allows to follow it.
#include "editor/insertion_rules.h"

#include <algorithm>

#include "expr/text.h"

namespace bte::editor {
namespace {

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
  auto equal = [](char a, char b) { return AsciiLower(a) == AsciiLower(b); };
  return std::search(text.begin(), text.end(), part.begin(), part.end(), equal) != text.end();
}

Insertion Accept(std::string text, std::string_view previousTag) {
  return {true, std::move(text), std::string(previousTag)};
}

Insertion Refuse(std::string_view previousTag) { return {false, "", std::string(previousTag)}; }

// What may follow last, the final word of a non-empty text.
Insertion AfterLastWord(std::string_view text, std::string_view last, std::string_view word,
                        std::string_view previousTag, const WordVocabulary& vocabulary) {
  const bool wordIsKeyword = WordVocabulary::IsOperatorKeyword(word);
  const std::string appended = std::string(text) + " ";
  if (vocabulary.IsKnownTag(last)) {
    if (!wordIsKeyword) {
      if (ContainsIgnoringAsciiCase(last, word)) return Refuse(previousTag);
      return Accept(appended + "OR " + std::string(word), last);
    }
    if (WordVocabulary::IsKeyword(word, "NOT")) return Refuse(previousTag);
    return Accept(appended + std::string(word), last);
  }
  if (WordVocabulary::IsOperatorKeyword(last)) {
    if (wordIsKeyword) {
      // Only NOT may follow AND or OR, and no keyword follows itself.
      if (WordVocabulary::IsKeyword(word, last) || !WordVocabulary::IsKeyword(word, "NOT"))
        return Refuse(previousTag);
    } else if (EqualsIgnoringAsciiCase(word, previousTag)) {
      return Refuse(previousTag);
    }
  }
  return Accept(appended + std::string(word), previousTag);
}

}  // namespace

Insertion DecideInsertion(std::string_view editText, TextRange selection, std::string_view word,
                          std::string_view previousTag, const WordVocabulary& vocabulary) {
  if (word.empty()) return Refuse(previousTag);
  const std::string_view text = TrimRight(editText);
  if (text.empty()) {
    if (!WordVocabulary::IsOperatorKeyword(word)) return Accept(std::string(word), "");
    if (WordVocabulary::IsKeyword(word, "NOT")) return Accept(std::string(word), previousTag);
    return Refuse(previousTag);
  }
  const size_t end = std::min(selection.end, editText.size());
  const size_t start = std::min(selection.start, end);
  if (start != end) {
    std::string replaced(editText.substr(0, start));
    replaced.append(word).append(editText.substr(end));
    return Accept(std::move(replaced), previousTag);
  }
  const size_t blank = text.rfind(' ');
  const std::string_view last = blank == std::string_view::npos ? text : text.substr(blank + 1);
  return AfterLastWord(text, last, word, previousTag, vocabulary);
}

}  // namespace bte::editor
