#include "expr/expression_tree.h"

#include <new>

#include "expr/syntax.h"
#include "expr/text.h"

namespace bte {
namespace {

bool BoundsOperandBefore(char c) { return c == ' ' || c == '&' || c == '|' || c == '~'; }

}  // namespace

BuildTagExprTree::BuildTagExprTree(const char* text)
    : BuildTagExprTree(text == nullptr ? std::string_view() : std::string_view(text)) {}

BuildTagExprTree::BuildTagExprTree(std::string_view text) : text_(text) { Compile(); }

void BuildTagExprTree::Compile() {
  normalized_ = NormalizeExpression(text_);
  if (!CheckExpressionSyntax(normalized_)) return;
  try {
    postfix_.clear();
    ToPostfix(normalized_, postfix_);
    program_.Compile(postfix_);
    valid_ = true;
  } catch (const std::bad_alloc&) {
    postfix_.clear();
    valid_ = false;
  }
}

int BuildTagExprTree::Evaluate(const char* tagSet) const {
  return Evaluate(tagSet == nullptr ? std::string_view() : std::string_view(tagSet));
}

int BuildTagExprTree::Evaluate(std::string_view tagSet) const {
  if (!valid_ || normalized_.empty() || tagSet.empty()) return 1;
  return program_.Run(tagSet) ? 1 : 0;
}

int BuildTagExprTree::UsesTag(const char* tag) const {
  if (tag == nullptr) return 0;
  const std::string_view wanted = Trim(tag);
  if (wanted.empty() || !CheckExpressionSyntax(normalized_)) return 0;
  std::string_view rest = normalized_;
  for (;;) {
    const size_t at = rest.find_first_of("~&|");
    if (Trim(rest.substr(0, at)) == wanted) return 1;
    if (at == std::string_view::npos) return 0;
    rest = rest.substr(at + 1);
  }
}

int BuildTagExprTree::ReplaceTag(const char* oldTag, const char* newTag,
                                 std::string& out) const {
  if (oldTag == nullptr || newTag == nullptr || !UsesTag(oldTag)) return 0;
  const std::string_view from = Trim(oldTag);
  if (from.empty() || Trim(newTag).empty() || from == Trim(newTag)) return 0;
  const std::string_view text = text_;
  out.clear();
  for (size_t i = 0; i < text.size();) {
    const size_t end = i + from.size();
    const bool matches = text.compare(i, from.size(), from) == 0;
    const bool boundedBefore = i == 0 || BoundsOperandBefore(text[i - 1]);
    const bool boundedAfter = end >= text.size() || BoundsOperandBefore(text[end]);
    if (matches && boundedBefore && boundedAfter) {
      out += newTag;
      i = end;
    } else {
      out += text[i++];
    }
  }
  return 1;
}

}  // namespace bte
