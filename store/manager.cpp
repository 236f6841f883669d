#include "store/manager.h"

#include "com/create_instance.h"
#include "com/ref_ptr.h"
#include "expr/expression_tree.h"
#include "expr/text.h"
#include "store/expression_list.h"
#include "store/expression_store.h"
#include "store/layout_bridge.h"
#include "store/project_file.h"
#include "store/split_list.h"
#include "store/string_enumerator.h"

namespace bte {
namespace {

bool IsBlank(const char* text) { return Trim(text).empty(); }

}  // namespace

BuildTagExprManager::BuildTagExprManager(const char* projectFile)
    : filePath_(projectFile != nullptr ? projectFile : "") {
  layout::ResolveLayoutLibrary();
  useLayoutSettings_ = layout::QueryLayoutInUse();
  ClearFileAttributes(filePath_.c_str());
}

ExpressionStore BuildTagExprManager::Store() const {
  return ExpressionStore(filePath_, targetNames_, useLayoutSettings_ == 1);
}

bool BuildTagExprManager::LayoutMode() const {
  return useLayoutSettings_ == 1 && layout::SettingsFactoryFound();
}

HRESULT BuildTagExprManager::AddGlobalExpression(const char* expression) {
  if (expression == nullptr || IsBlank(expression)) return S_FALSE;
  const std::string text(Trim(expression));
  com::RefPtr<BuildTagExprList> list;
  if (com::CreateInstance<BuildTagExprList>(list.out()) != S_OK) return S_FALSE;
  ExpressionStore store = Store();
  store.LoadStore(list.get());
  if (list->ContainsExpression(text.c_str(), kAnyEntry) == 1) return S_FALSE;
  list->AddEntry("", text.c_str(), CurrentTime());
  store.SaveGlobalExpressions(list.get());
  lastWriteSucceeded_ = store.Finish();
  return S_OK;
}

HRESULT BuildTagExprManager::RemoveGlobalExpression(const char* expression) {
  if (expression == nullptr || IsBlank(expression)) return S_FALSE;
  com::RefPtr<BuildTagExprList> list;
  if (com::CreateInstance<BuildTagExprList>(list.out()) != S_OK) return S_FALSE;
  ExpressionStore store = Store();
  store.LoadStore(list.get());
  list->RemoveEntries("", expression);
  store.SaveGlobalExpressions(list.get());
  // Targets whose expression is exactly this text lose it as well.
  std::string joined;
  if (list->CollectTargets(expression, joined) == 1 && !joined.empty()) {
    std::vector<std::string> targets;
    SplitList(joined, ';', targets);
    for (const std::string& target : targets) {
      list->RemoveEntries(target.c_str(), expression);
      store.WriteTargetExpression(target.c_str(), "");
    }
  }
  lastWriteSucceeded_ = store.Finish();
  return S_OK;
}

HRESULT BuildTagExprManager::GetExpressionList(IBuildTagExprList** out) {
  if (out == nullptr) return S_FALSE;
  BuildTagExprList* list = nullptr;
  const HRESULT created = com::CreateInstance<BuildTagExprList>(&list);
  if (created != S_OK) {
    *out = nullptr;
    return created;
  }
  Store().LoadStore(list);
  *out = list;
  return S_OK;
}

HRESULT BuildTagExprManager::RenameTag(const char* oldTag, const char* newTag) {
  if (oldTag == nullptr || newTag == nullptr) return E_INVALIDARG;
  com::RefPtr<BuildTagExprList> list;
  if (com::CreateInstance<BuildTagExprList>(list.out()) != S_OK) return E_FAIL;
  ExpressionStore store = Store();
  store.LoadStore(list.get());
  std::string renamed;
  for (auto position = list->Head(); ExpressionEntry* entry = list->Next(position);) {
    if (BuildTagExprTree(entry->expression).ReplaceTag(oldTag, newTag, renamed) != 1 ||
        renamed.empty())
      continue;
    // The entry goes before its replacement is added, so copy what it holds.
    const std::string target = entry->target;
    const std::string expression = entry->expression;
    const TimeStamp stamp = entry->timeStamp;
    list->RemoveEntries(target.c_str(), expression.c_str());
    list->AddEntry(target.c_str(), renamed.c_str(), stamp);
    if (!target.empty()) store.WriteTargetExpression(target.c_str(), renamed.c_str());
  }
  store.SaveGlobalExpressions(list.get());
  lastWriteSucceeded_ = store.Finish();
  return S_OK;
}

HRESULT BuildTagExprManager::DeleteTag(const char* tag) {
  if (tag == nullptr) return E_INVALIDARG;
  com::RefPtr<BuildTagExprList> list;
  if (com::CreateInstance<BuildTagExprList>(list.out()) != S_OK) return E_FAIL;
  ExpressionStore store = Store();
  store.LoadStore(list.get());
  for (auto position = list->Head(); ExpressionEntry* entry = list->Next(position);) {
    if (BuildTagExprTree(entry->expression).UsesTag(tag) != 1) continue;
    const std::string target = entry->target;
    const std::string expression = entry->expression;
    list->RemoveEntries(target.c_str(), expression.c_str());
    if (!target.empty()) store.WriteTargetExpression(target.c_str(), "");
  }
  store.SaveGlobalExpressions(list.get());
  lastWriteSucceeded_ = store.Finish();
  return S_OK;
}

HRESULT BuildTagExprManager::SetTargetNames(const char* names) {
  if (names == nullptr) return S_OK;
  targetNames_.clear();
  SplitList(names, '|', targetNames_);
  return S_OK;
}

HRESULT BuildTagExprManager::HandOut(std::vector<std::string> names, IEnumString** targets) const {
  return com::CreateInstance<StringEnumerator>(targets, std::move(names));
}

HRESULT BuildTagExprManager::GetTargetsForRename(const char* oldTag, const char* newTag,
                                                 IEnumString** targets) {
  if (oldTag == nullptr || newTag == nullptr || targets == nullptr) return E_INVALIDARG;
  if (!LayoutMode()) return S_OK;
  return HandOut(layout::TargetsForRename(filePath_, targetNames_, oldTag, newTag), targets);
}

HRESULT BuildTagExprManager::GetTargetsUsingTag(const char* tag, IEnumString** targets) {
  if (tag == nullptr || targets == nullptr) return E_INVALIDARG;
  if (tag[0] == '\0') return S_FALSE;
  if (!LayoutMode()) return S_OK;
  return HandOut(layout::TargetsUsingTag(filePath_, targetNames_, tag), targets);
}

}  // namespace bte
