// The exported factories. Each subsystem supplies its object; a factory whose
// object is not built yet stores null and answers E_NOTIMPL.
#include "buildtagexpr.h"
#include "editor/expression_editor.h"
#include "expr/parser.h"
#include "frame/ref_counted.h"
#include "store/manager.h"
#include "rtffilter/rtf_filter.h"
#include "htmlfilter/html_filter.h"

namespace {

template <class Interface>
HRESULT NotBuiltYet(Interface** out) {
  if (out == nullptr) return S_FALSE;
  *out = nullptr;
  return E_NOTIMPL;
}

}  // namespace

extern "C" {

BTE_API HRESULT BTE_CALL CreateBuildTagExprParserInstance(IBuildTagExprParser** parser,
                                                          const char* expression) {
  return bte::CreateInstance<bte::BuildTagExprParser>(parser, expression);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprManagerInstance(IBuildTagExprManager** manager,
                                                           const char* projectFile) {
  return bte::CreateInstance<bte::BuildTagExprManager>(manager, projectFile);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprFilterInstance(IBuildTagExprFilter** filter) {
  return bte::CreateInstance<bte::BuildTagExprFilter>(filter);
}

BTE_API HRESULT BTE_CALL CreateRTFBuildTagExprFilterInstance(IRTFBuildTagExprFilter** filter) {
  return bte::CreateInstance<bte::rtf::RTFBuildTagExprFilter>(filter);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprEditorInstance(IBuildTagExprEditor** editor) {
  return bte::CreateInstance<bte::BuildTagExprEditor>(editor);
}
}
