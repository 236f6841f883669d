#include "projectbuild/target_expression.h"

#include <algorithm>

#include "buildtagexpr_host.h"

namespace bte::projectbuild {

TargetLookup FindTargetExpression(const std::string& projectFile, const std::string& target) {
  TargetLookup lookup;
  host::ComPtr<IBuildTagExprManager> manager;
  if (CreateBuildTagExprManagerInstance(manager.out(), projectFile.c_str()) != S_OK) {
    lookup.error = "the expression store is not available";
    return lookup;
  }
  host::ComPtr<IBuildTagExprList> list;
  std::vector<host::ExpressionRecord> records;
  if (manager->GetExpressionList(list.out()) != S_OK || !list ||
      !host::ReadAllRecords(list.get(), records)) {
    lookup.error = "cannot read the project's expressions";
    return lookup;
  }
  for (const host::ExpressionRecord& record : records) {
    for (const std::string& name : host::TargetNames(record.targets)) {
      if (std::find(lookup.knownTargets.begin(), lookup.knownTargets.end(), name) ==
          lookup.knownTargets.end())
        lookup.knownTargets.push_back(name);
      if (name == target && !lookup.expression) lookup.expression = record.expression;
    }
  }
  return lookup;
}

}  // namespace bte::projectbuild
