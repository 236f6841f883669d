// The editor object: keeps the host's tags and expression and runs the
// expression dialog over them.
#ifndef BTE_EDITOR_EXPRESSION_EDITOR_H
#define BTE_EDITOR_EXPRESSION_EDITOR_H

#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "com/ref_counted.h"

namespace bte {

class BuildTagExprEditor : public com::RefCountedNoQuery<IBuildTagExprEditor> {
 public:
  HRESULT BTE_CALL SetHost(IBuildTagExprEditorHost* host) override;
  HRESULT BTE_CALL AddTag(const char* tag) override;
  HRESULT BTE_CALL SetExpression(const char* expression) override;
  HRESULT BTE_CALL GetExpression(BSTR* expression) override;
  HRESULT BTE_CALL Edit(int32_t unused) override;

 private:
  IBuildTagExprEditorHost* host_ = nullptr;  // borrowed
  std::string expression_;
  std::vector<std::string> tags_;
};

}  // namespace bte

#endif  // BTE_EDITOR_EXPRESSION_EDITOR_H
