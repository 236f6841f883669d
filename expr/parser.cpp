#include "expr/parser.h"

#include <cstring>

#include "expr/syntax.h"
#include "expr/text.h"

namespace bte {

BuildTagExprParser::BuildTagExprParser(const char* expression)
    : text_(Trim(expression == nullptr ? std::string_view() : std::string_view(expression))) {
  // Checked as given: word operators are not converted for this check, so a
  // text whose only faults involve word operators gets a tree that keeps all.
  if (!text_.empty()) valid_ = CheckExpressionSyntax(text_) == 1;
  if (valid_) tree_ = std::make_unique<BuildTagExprTree>(text_);
}

const int* BuildTagExprParser::AnswerCache::Find(const char* tagSet) const {
  for (const auto& [key, kept] : firstAnswers_)
    if (std::strcmp(key.c_str(), tagSet) == 0) return &kept;
  if (answers_.empty()) return nullptr;
  const auto found = answers_.find(std::string_view(tagSet));
  return found == answers_.end() ? nullptr : &found->second;
}

void BuildTagExprParser::AnswerCache::Store(const char* tagSet, int kept) {
  if (firstAnswers_.size() < kLinearEntries) {
    firstAnswers_.emplace_back(tagSet, kept);
    return;
  }
  keyStore_.emplace_back(tagSet);
  answers_.emplace(keyStore_.back(), kept);
}

HRESULT BTE_CALL BuildTagExprParser::IsIncluded(const char* tagSet) {
  if (tagSet == nullptr || !tree_) return S_OK;
  if (cacheEnabled_) {
    if (const int* kept = cache_.Find(tagSet)) return *kept ? S_OK : S_FALSE;
  }
  const int kept = tree_->Evaluate(std::string_view(tagSet));
  if (cacheEnabled_) cache_.Store(tagSet, kept);
  return kept ? S_OK : S_FALSE;
}

HRESULT BTE_CALL BuildTagExprParser::EnableCache(int32_t enable) {
  cacheEnabled_ = enable != 0;
  return S_FALSE;
}

HRESULT BTE_CALL BuildTagExprParser::IsEmpty() { return text_.empty() ? S_OK : S_FALSE; }

HRESULT BTE_CALL BuildTagExprParser::IsValid() { return valid_ ? S_OK : S_FALSE; }

// Offered to the host but used by no caller: it answers only whether a text
// was given, and changes nothing.
HRESULT BTE_CALL BuildTagExprParser::CompareNormalizedText(const char* text, int32_t) {
  return text == nullptr ? S_FALSE : S_OK;
}

HRESULT BTE_CALL BuildTagExprParser::UsesTag(const char* tag) {
  if (tag == nullptr || *tag == '\0' || !tree_) return S_FALSE;
  if (text_.find(tag) == std::string::npos) return S_FALSE;
  return tree_->UsesTag(tag) ? S_OK : S_FALSE;
}

}  // namespace bte
