#include "projectbuild/project_store.h"

#include "projectbuild/beyond_interface.h"

namespace bte::projectbuild {
namespace {

const std::string* ExpressionOf(const StoreContents& contents, const std::string& target) {
  for (const TargetExpression& t : contents.targets)
    if (t.target == target) return &t.expression;
  return nullptr;
}

bool HasGlobal(const StoreContents& contents, const std::string& expression) {
  for (const std::string& g : contents.globals)
    if (g == expression) return true;
  return false;
}

// Targets whose expression differs, and globals present in `from` but not in
// `to`.
StoreChange Compare(const StoreContents& from, const StoreContents& to) {
  StoreChange change;
  for (const TargetExpression& t : from.targets) {
    const std::string* other = ExpressionOf(to, t.target);
    if (other == nullptr || *other != t.expression) change.targets.push_back(t.target);
  }
  for (const std::string& g : from.globals)
    if (!HasGlobal(to, g)) change.globals.push_back(g);
  return change;
}

}  // namespace

ProjectStore::ProjectStore(const std::string& projectFile) {
  CreateBuildTagExprManagerInstance(manager_.out(), projectFile.c_str());
}

// A record per entry, in list order; the records of one expression name its
// targets, so the j-th of them is the j-th target and one more is the global
// entry (a loaded list holds the targets first).
StoreContents ProjectStore::Contents() const {
  StoreContents contents;
  host::ComPtr<IBuildTagExprList> list;
  if (manager_->GetExpressionList(list.out()) != S_OK || !list) return contents;
  std::vector<host::ExpressionRecord> records;
  host::ReadAllRecords(list.get(), records);
  std::map<std::string, size_t> seen;
  for (const host::ExpressionRecord& record : records) {
    const std::vector<std::string> names = host::TargetNames(record.targets);
    const size_t index = seen[record.expression]++;
    if (index < names.size())
      contents.targets.push_back({names[index], record.expression});
    else
      contents.globals.push_back(record.expression);
  }
  return contents;
}

std::map<std::string, std::string> ProjectStore::GlobalStamps() const {
  return GlobalExpressionStamps(manager_.get());
}

StoreChange ProjectStore::AddGlobal(const std::string& expression) {
  const StoreContents before = Contents();
  const HRESULT result = manager_->AddGlobalExpression(expression.c_str());
  StoreChange change = Compare(Contents(), before);
  change.targets.clear();
  change.result = result;
  return change;
}

StoreChange ProjectStore::RemoveGlobal(const std::string& expression) {
  const StoreContents before = Contents();
  const HRESULT result = manager_->RemoveGlobalExpression(expression.c_str());
  StoreChange change = Compare(before, Contents());
  change.result = result;
  return change;
}

StoreChange ProjectStore::RenameTag(const std::string& from, const std::string& to) {
  const StoreContents before = Contents();
  const HRESULT result = manager_->RenameTag(from.c_str(), to.c_str());
  const StoreContents after = Contents();
  StoreChange change = Compare(before, after);
  change.globals = Compare(after, before).globals;
  change.result = result;
  return change;
}

StoreChange ProjectStore::DeleteTag(const std::string& tag) {
  const StoreContents before = Contents();
  const HRESULT result = manager_->DeleteTag(tag.c_str());
  StoreChange change = Compare(before, Contents());
  change.result = result;
  return change;
}

}  // namespace bte::projectbuild
