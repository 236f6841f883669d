#include "expr/diagnosis.h"

#include <vector>

#include "expr/text.h"

namespace bte {
namespace {

bool IsOperator(char c) { return c == '~' || c == '&' || c == '|'; }

// A text that was checked (checked[k] comes from written[origins[k]]).
struct CheckedText {
  std::string_view written;
  std::string_view checked;
  const std::vector<size_t>& origins;

  // The operator at checked[k] as the author wrote it: the symbol, or the
  // word that normalizing turned into it.
  std::string_view Spelling(size_t k) const {
    const size_t from = origins[k];
    if (written[from] == checked[k]) return written.substr(from, 1);
    return written.substr(from, checked[k] == '|' ? 2 : 3);
  }

  // The operand that ends just before checked[k], as written.
  std::string_view OperandBefore(size_t k) const {
    size_t start = k;
    while (start > 0 && !IsOperator(checked[start - 1])) --start;
    const std::string_view operand = Trim(checked.substr(start, k - start));
    if (operand.empty()) return operand;
    const size_t first = static_cast<size_t>(operand.data() - checked.data());
    return written.substr(origins[first], origins[first + operand.size() - 1] - origins[first] + 1);
  }

  ExpressionFault Locate(const SyntaxFault& fault, size_t shift) const {
    ExpressionFault located;
    located.kind = fault.kind;
    located.spelling = std::string(Spelling(fault.at));
    located.at = origins[fault.at] + shift;
    located.occurrences = 0;
    for (size_t k = 0; k < checked.size(); ++k) {
      if (!IsOperator(checked[k]) || !EqualsIgnoringAsciiCase(Spelling(k), located.spelling))
        continue;
      ++located.occurrences;
      if (k == fault.at) located.occurrence = located.occurrences;
    }
    if (fault.kind == SyntaxFaultKind::kFollowedByOperator)
      located.nextSpelling = std::string(Spelling(fault.next));
    if (fault.kind == SyntaxFaultKind::kNegationAfterOperand)
      located.operand = std::string(OperandBefore(fault.at));
    return located;
  }
};

std::string Ordinal(size_t n) {
  const size_t lastTwo = n % 100;
  const char* suffix = "th";
  if (lastTwo < 11 || lastTwo > 13) {
    if (n % 10 == 1) suffix = "st";
    if (n % 10 == 2) suffix = "nd";
    if (n % 10 == 3) suffix = "rd";
  }
  return std::to_string(n) + suffix;
}

}  // namespace

// The parser checks the trimmed text as given; its tree checks the
// normalized text. Either fault makes it keep everything.
ExpressionFault DiagnoseExpression(std::string_view text) {
  const std::string_view given = Trim(text);
  const size_t shift = static_cast<size_t>(given.data() - text.data());
  if (given.empty()) return {};
  std::vector<size_t> origins(given.size());
  for (size_t k = 0; k < origins.size(); ++k) origins[k] = k;
  if (const SyntaxFault fault = FindSyntaxFault(given); fault.kind != SyntaxFaultKind::kNone)
    return CheckedText{given, given, origins}.Locate(fault, shift);
  const std::string normalized = NormalizeExpression(given, origins);
  if (const SyntaxFault fault = FindSyntaxFault(normalized); fault.kind != SyntaxFaultKind::kNone)
    return CheckedText{given, normalized, origins}.Locate(fault, shift);
  return {};
}

std::string DescribeExpressionFault(const ExpressionFault& fault) {
  const std::string op =
      fault.occurrences > 1 ? "the " + Ordinal(fault.occurrence) + " " + fault.spelling
                            : fault.spelling;
  switch (fault.kind) {
    case SyntaxFaultKind::kNone: return std::string();
    case SyntaxFaultKind::kNothingBefore: return op + " has nothing before it";
    case SyntaxFaultKind::kNothingAfter: return op + " has nothing after it";
    case SyntaxFaultKind::kFollowedByOperator: return op + " is followed by " + fault.nextSpelling;
    case SyntaxFaultKind::kNegationAfterOperand:
      return op + " follows the tag \"" + fault.operand + "\" with no AND or OR between them";
  }
  return std::string();
}

}  // namespace bte
