// The HTML filter object behind IBuildTagExprFilter: one expression applied
// to one topic at a time, either to a document the host has analysed or to
// topic text that the filter parses, filters and serialises itself.
#ifndef BTE_HTMLFILTER_HTML_FILTER_H
#define BTE_HTMLFILTER_HTML_FILTER_H

#include <cstdint>

#include "buildtagexpr.h"
#include "com/ref_counted.h"
#include "htmlfilter/pass_memory.h"

namespace bte {

class BuildTagExprFilter : public com::RefCountedNoQuery<IBuildTagExprFilter> {
 public:
  BuildTagExprFilter() = default;

  HRESULT BTE_CALL SetParser(IBuildTagExprParser* parser) override;
  HRESULT BTE_CALL SetExpression(const char* expression) override;
  HRESULT BTE_CALL FilterDocument(CHtmlFileEx& document) override;
  HRESULT BTE_CALL FilterText(const OLECHAR* html, BSTR* result) override;
  HRESULT BTE_CALL FilterTextWithLinks(const OLECHAR* html, BSTR* result) override;
  HRESULT BTE_CALL FilterDocumentWithLinks(CHtmlFileEx& document) override;

 protected:
  ~BuildTagExprFilter() override;

 private:
  // False without a parser or for an empty expression: nothing to do.
  bool HasWork();
  void ReleaseOwnedParser();
  HRESULT FilterDocumentInMode(CHtmlFileEx& document, uint32_t mode);
  HRESULT FilterTextInMode(const OLECHAR* html, BSTR* result, uint32_t mode);

  IBuildTagExprParser* parser_ = nullptr;
  bool ownsParser_ = false;
  // For every topic this filter looks at: linked topics' tags, and the
  // storage of the passes' lists.
  PassMemory passMemory_;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_HTML_FILTER_H
