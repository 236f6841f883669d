// The editor's word-level view of an expression: splitting the text into
// known tags and operator keywords, the word-order check run on OK, and the
// Basic form (NOT t1 AND NOT t2 ...). Each check reports its first fault as
// a string-table message id with the words it names.
#ifndef BTE_EDITOR_WORD_CHECK_H
#define BTE_EDITOR_WORD_CHECK_H

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bte::editor {

// Receives a fault: string-table id and the texts for its "%s" places.
// An empty sink turns messages off.
using MessageSink = std::function<void(uint32_t messageId, const std::vector<std::string>& args)>;

// The operator keywords in their fixed order.
inline const std::vector<std::string>& OperatorKeywords() {
  static const std::vector<std::string> keywords = {"AND", "OR", "NOT"};
  return keywords;
}

// The words a check knows: the dialog's tags and the operator keywords.
// Both compare without regard to ASCII letter case.
class WordVocabulary {
 public:
  explicit WordVocabulary(std::vector<std::string> knownTags) : knownTags_(std::move(knownTags)) {}

  void AddKnownTag(std::string tag) { knownTags_.push_back(std::move(tag)); }
  bool IsKnownTag(std::string_view word) const;
  static bool IsOperatorKeyword(std::string_view word);
  static bool IsKeyword(std::string_view word, std::string_view keyword);
  const std::vector<std::string>& knownTags() const { return knownTags_; }

 private:
  std::vector<std::string> knownTags_;
};

// Appends the words of text to words. False at the first word that is
// neither a known tag nor a keyword, or for a text of white space only; the
// sink (when not empty) then receives message 15313 with that word.
bool SplitExpressionWords(std::string_view text, const WordVocabulary& vocabulary,
                          std::vector<std::string>& words, const MessageSink& messages);

// True when the words are in an order the dialog accepts; otherwise the
// sink receives the first fault (15314 to 15319) and the answer is false.
bool CheckBasicWordOrder(const std::vector<std::string>& words, const WordVocabulary& vocabulary,
                         const MessageSink& messages);

// True for "" and for NOT t1 AND NOT t2 ... AND NOT tn over known tags.
bool HasBasicForm(std::string_view text, const WordVocabulary& vocabulary);

// " & ", " | " and " ~ " (blanks on both sides) as " AND ", " OR ", " NOT ".
std::string SymbolsToWords(std::string_view text);

}  // namespace bte::editor

#endif  // BTE_EDITOR_WORD_CHECK_H
