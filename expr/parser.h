// The parser object: one compiled expression behind IBuildTagExprParser,
// with an optional cache of answers per tag set string.
#ifndef BTE_EXPR_PARSER_H
#define BTE_EXPR_PARSER_H

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "buildtagexpr.h"
#include "expr/expression_tree.h"
#include "com/ref_counted.h"

namespace bte {

class BuildTagExprParser : public com::RefCountedNoQuery<IBuildTagExprParser> {
 public:
  explicit BuildTagExprParser(const char* expression);

  HRESULT BTE_CALL IsIncluded(const char* tagSet) override;
  HRESULT BTE_CALL EnableCache(int32_t enable) override;
  HRESULT BTE_CALL IsEmpty() override;
  HRESULT BTE_CALL IsValid() override;
  HRESULT BTE_CALL CompareNormalizedText(const char* text, int32_t length) override;
  HRESULT BTE_CALL UsesTag(const char* tag) override;

 private:
  // Answers per tag set exactly as passed (case-sensitive); the expression
  // never changes, so entries never go stale. A document repeats a handful
  // of tag sets, so the first few are searched linearly, straight on the
  // caller's C string; the rest go to a hash map whose keys live in
  // keyStore_ so that lookups need no string copy.
  class AnswerCache {
   public:
    const int* Find(const char* tagSet) const;
    // For a tag set that Find has just missed.
    void Store(const char* tagSet, int kept);

   private:
    static constexpr size_t kLinearEntries = 16;
    std::vector<std::pair<std::string, int>> firstAnswers_;
    std::deque<std::string> keyStore_;
    std::unordered_map<std::string_view, int> answers_;
  };

  bool cacheEnabled_ = false;
  AnswerCache cache_;
  std::string text_;
  std::unique_ptr<BuildTagExprTree> tree_;
  bool valid_ = true;
};

}  // namespace bte

#endif  // BTE_EXPR_PARSER_H
