// The five exported factories: the one place that knows every subsystem's
// object.
#include "buildtagexpr.h"
#include "com/create_instance.h"
#include "editor/expression_editor.h"
#include "expr/parser.h"
#include "htmlfilter/html_filter.h"
#include "rtffilter/rtf_filter.h"
#include "store/manager.h"

using bte::com::CreateInstance;

extern "C" {

BTE_API HRESULT BTE_CALL CreateBuildTagExprParserInstance(IBuildTagExprParser** parser,
                                                          const char* expression) {
  return CreateInstance<bte::BuildTagExprParser>(parser, expression);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprManagerInstance(IBuildTagExprManager** manager,
                                                           const char* projectFile) {
  return CreateInstance<bte::BuildTagExprManager>(manager, projectFile);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprFilterInstance(IBuildTagExprFilter** filter) {
  return CreateInstance<bte::BuildTagExprFilter>(filter);
}

BTE_API HRESULT BTE_CALL CreateRTFBuildTagExprFilterInstance(IRTFBuildTagExprFilter** filter) {
  return CreateInstance<bte::rtf::RTFBuildTagExprFilter>(filter);
}

BTE_API HRESULT BTE_CALL CreateBuildTagExprEditorInstance(IBuildTagExprEditor** editor) {
  return CreateInstance<bte::BuildTagExprEditor>(editor);
}
}
