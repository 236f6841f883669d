// The RTF filter object: removes the content that the expression excludes,
// and every build-tag marker and annotation, from RTF text or files.
#ifndef BTE_RTFFILTER_RTF_FILTER_H
#define BTE_RTFFILTER_RTF_FILTER_H

#include <cstdint>

#include "buildtagexpr.h"
#include "com/ref_counted.h"

namespace bte::rtf {

class RTFBuildTagExprFilter : public com::RefCountedNoQuery<IRTFBuildTagExprFilter> {
 public:
  RTFBuildTagExprFilter() = default;
  RTFBuildTagExprFilter(const RTFBuildTagExprFilter&) = delete;
  RTFBuildTagExprFilter& operator=(const RTFBuildTagExprFilter&) = delete;

  HRESULT BTE_CALL SetParser(IBuildTagExprParser* parser) override;
  HRESULT BTE_CALL SetExpression(const char* expression) override;
  HRESULT BTE_CALL FilterFile(const char* inputPath, const char* outputPath) override;
  HRESULT BTE_CALL FilterBuffer(const char* rtf, uint32_t length,
                                IFilterOutputBuffer** result) override;
  HRESULT BTE_CALL GetAnnotationTags(const char* rtf, uint32_t length,
                                     uint32_t* isBuildTagAnnotation,
                                     IFilterOutputBuffer** tags) override;

 protected:
  ~RTFBuildTagExprFilter() override;

 private:
  IBuildTagExprParser* parser_ = nullptr;
  int32_t ownsParser_ = 0;  // 1 when SetExpression made the parser
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_RTF_FILTER_H
