#include "expr/syntax.h"
#include "expr/text.h"

namespace bte {
namespace {

struct WordOperator {
  std::string_view word;  // lower case
  char symbol;
};

constexpr WordOperator kWordOperators[] = {{"and", '&'}, {"not", '~'}, {"or", '|'}};

// The operator spelled at text[at] and ended by a blank or the end of the
// text, or nullptr.
const WordOperator* WordOperatorAt(std::string_view text, size_t at) {
  for (const WordOperator& op : kWordOperators) {
    const size_t end = at + op.word.size();
    if (end > text.size()) continue;
    if (!EqualsIgnoringAsciiCase(text.substr(at, op.word.size()), op.word)) continue;
    if (end == text.size() || text[end] == ' ') return &op;
  }
  return nullptr;
}

}  // namespace

std::string NormalizeExpression(const char* text) {
  return text == nullptr ? std::string() : NormalizeExpression(std::string_view(text));
}

std::string NormalizeExpression(std::string_view text) {
  std::vector<size_t> origins;
  return NormalizeExpression(text, origins);
}

std::string NormalizeExpression(std::string_view text, std::vector<size_t>& origins) {
  std::string out;
  origins.clear();
  if (text.empty()) return out;
  out.reserve(text.size());
  origins.reserve(text.size());
  auto emit = [&](char c, size_t from) {
    out += c;
    origins.push_back(from);
  };
  size_t i = 0;
  // The start of the text is the one place a word needs no blank before it;
  // a leading blank is copied here and so never starts a word itself.
  if (const WordOperator* op = WordOperatorAt(text, 0)) {
    emit(op->symbol, 0);
    i = op->word.size();
  } else {
    emit(text[0], 0);
    i = 1;
  }
  while (i < text.size()) {
    const WordOperator* op = text[i] == ' ' ? WordOperatorAt(text, i + 1) : nullptr;
    if (op != nullptr) {
      emit(' ', i);
      emit(op->symbol, i + 1);
      i += 1 + op->word.size();  // the blank after the word is copied next
    } else {
      emit(text[i], i);
      ++i;
    }
  }
  return out;
}

}  // namespace bte
