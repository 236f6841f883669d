#include "store/expression_store.h"

#include "store/global_expressions.h"
#include "store/layout_bridge.h"
#include "store/project_file.h"

namespace bte {

bool ExpressionStore::LayoutMode() const {
  return useLayoutSettings_ && layout::SettingsFactoryFound();
}

platform::ProfileFile& ExpressionStore::Profile() {
  if (!profile_) profile_.emplace(filePath_);
  return *profile_;
}

int ExpressionStore::LoadStore(BuildTagExprList* list) {
  if (list == nullptr) return 0;
  LoadTargetExpressions(list);
  LoadGlobalExpressions(list);
  return 1;
}

int ExpressionStore::LoadTargetExpressions(BuildTagExprList* list) {
  if (list == nullptr) return 0;
  if (!LayoutMode()) return bte::LoadTargetExpressions(Profile(), list);
  layout::LoadTargetExpressions(filePath_, targetNames_, *list);
  return 1;
}

int ExpressionStore::LoadGlobalExpressions(BuildTagExprList* list) {
  if (list == nullptr) return 0;
  if (!LayoutMode()) return bte::LoadGlobalExpressions(Profile(), list);
  layout::LoadGlobalExpressions(filePath_, *list);
  return 1;
}

int ExpressionStore::WriteTargetExpression(const char* target, const char* expression) {
  if (target == nullptr || target[0] == '\0') return 0;
  if (!LayoutMode()) return bte::WriteTargetExpression(Profile(), target, expression);
  return layout::WriteTargetExpression(filePath_, target, expression);
}

int ExpressionStore::SaveGlobalExpressions(BuildTagExprList* list) {
  if (list == nullptr) return 0;
  if (!LayoutMode()) return bte::SaveGlobalExpressions(Profile(), list);
  PruneGlobals(*list, kGlobalLimit);
  layout::SaveGlobalExpressions(filePath_, *list);
  return 1;
}

bool ExpressionStore::Finish() { return !profile_ || profile_->Commit(); }

}  // namespace bte
