#include "editor/expression_editor.h"

#include "editor/build_tag_expr_dialog.h"
#include "platform/wide_string.h"

namespace bte {

HRESULT BTE_CALL BuildTagExprEditor::SetHost(IBuildTagExprEditorHost* host) {
  host_ = host;
  return S_OK;
}

HRESULT BTE_CALL BuildTagExprEditor::AddTag(const char* tag) {
  if (tag == nullptr || *tag == '\0') return S_FALSE;
  tags_.emplace_back(tag);
  return S_OK;
}

HRESULT BTE_CALL BuildTagExprEditor::SetExpression(const char* expression) {
  if (expression == nullptr) return S_FALSE;
  expression_ = expression;
  return S_OK;
}

HRESULT BTE_CALL BuildTagExprEditor::GetExpression(BSTR* expression) {
  if (expression == nullptr) return S_FALSE;
  const platform::WideString wide = platform::MultiByteToWide(expression_);
  *expression = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()),
                                  static_cast<uint32_t>(wide.size()));
  return *expression == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT BTE_CALL BuildTagExprEditor::Edit(int32_t) {
  HWND parent = nullptr;
  if (host_ != nullptr) host_->GetParentWindow(&parent);
  editor::BuildTagExprDialog dialog(parent);
  dialog.SetInput(expression_, tags_);
  dialog.SetHost(host_);
  if (dialog.DoModal() != editor::kIdOk) return S_FALSE;
  dialog.GetResult(expression_);
  return S_OK;
}

}  // namespace bte
