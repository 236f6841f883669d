#include "expr/evaluation_program.h"

#include <memory>

#include "expr/text.h"

namespace bte {
namespace {

constexpr std::string_view kTrueMarker = "{TRUE}";
constexpr std::string_view kFalseMarker = "{FALSE}";

// FNV-1a over the lower-cased bytes, so that pieces need no copy to look up.
uint64_t HashIgnoringCase(std::string_view s) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : s) {
    hash ^= static_cast<unsigned char>(AsciiLower(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

// Scratch space that lives on the stack for ordinary expressions.
template <class T>
class Scratch {
 public:
  explicit Scratch(size_t n) {
    if (n > EvaluationProgram::kInlineCapacity) {
      heap_.reset(new T[n]());
      data_ = heap_.get();
    }
  }
  T* data() { return data_; }

 private:
  T inline_[EvaluationProgram::kInlineCapacity] = {};
  std::unique_ptr<T[]> heap_;
  T* data_ = inline_;
};

}  // namespace

void EvaluationProgram::Compile(const std::vector<std::string>& postfix) {
  steps_.clear();
  names_.clear();
  size_t capacity = 16;
  while (capacity < 2 * postfix.size()) capacity *= 2;
  slots_.assign(capacity, -1);

  const bool single = postfix.size() == 1;
  size_t depth = 0;
  maxDepth_ = 0;
  wellFormed_ = true;
  for (const std::string& item : postfix) {
    Step step{Op::kTag, 0};
    size_t pops = 0;
    if (item == "~") {
      step.op = Op::kNot, pops = 1;
    } else if (item == "&") {
      step.op = Op::kAnd, pops = 2;
    } else if (item == "|") {
      step.op = Op::kOr, pops = 2;
    } else if (!single && item == kTrueMarker) {
      step.op = Op::kTrue;
    } else if (!single && item == kFalseMarker) {
      step.op = Op::kFalse;
    } else {
      step.operand = InternName(item);
    }
    if (depth < pops) wellFormed_ = false;
    depth = (depth < pops ? 0 : depth - pops) + 1;
    if (depth > maxDepth_) maxDepth_ = depth;
    steps_.push_back(step);
  }
  if (depth != 1) wellFormed_ = false;
}

uint32_t EvaluationProgram::InternName(std::string_view name) {
  const uint64_t hash = HashIgnoringCase(name);
  const int found = FindName(name, hash);
  if (found >= 0) return static_cast<uint32_t>(found);
  std::string lower(name);
  for (char& c : lower) c = AsciiLower(c);
  names_.push_back(std::move(lower));
  const size_t mask = slots_.size() - 1;
  size_t slot = hash & mask;
  while (slots_[slot] >= 0) slot = (slot + 1) & mask;
  slots_[slot] = static_cast<int32_t>(names_.size() - 1);
  return static_cast<uint32_t>(names_.size() - 1);
}

int EvaluationProgram::FindName(std::string_view piece, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const int32_t index = slots_[slot];
    if (index < 0) return -1;
    if (EqualsIgnoringAsciiCase(piece, names_[index])) return index;
  }
}

// Splits at ";" (a separator at the very end adds no piece), trims each
// piece and marks the operand it names, if any.
void EvaluationProgram::MarkCarriedTags(std::string_view tagSet, bool* carried) const {
  while (!tagSet.empty()) {
    const size_t end = tagSet.find(';');
    const std::string_view piece = Trim(tagSet.substr(0, end));
    tagSet = end == std::string_view::npos ? std::string_view() : tagSet.substr(end + 1);
    const int index = FindName(piece, HashIgnoringCase(piece));
    if (index >= 0) carried[index] = true;
  }
}

bool EvaluationProgram::Execute(const bool* carried, bool* stack) const {
  size_t top = 0;
  for (const Step& step : steps_) {
    switch (step.op) {
      case Op::kTag: stack[top++] = carried[step.operand]; break;
      case Op::kTrue: stack[top++] = true; break;
      case Op::kFalse: stack[top++] = false; break;
      case Op::kNot: stack[top - 1] = !stack[top - 1]; break;
      case Op::kAnd: --top, stack[top - 1] = stack[top - 1] && stack[top]; break;
      case Op::kOr: --top, stack[top - 1] = stack[top - 1] || stack[top]; break;
    }
  }
  return stack[0];
}

bool EvaluationProgram::Run(std::string_view tagSet) const {
  if (!wellFormed_) return true;
  Scratch<bool> carried(names_.size());
  Scratch<bool> stack(maxDepth_);
  MarkCarriedTags(tagSet, carried.data());
  return Execute(carried.data(), stack.data());
}

}  // namespace bte
