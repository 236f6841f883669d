#include "cli/project_build/target_expression.h"

#include <algorithm>
#include <vector>

#include "buildtagexpr.h"

namespace bte::cli {
namespace {

// Records hand out text through caller buffers; grow until it fits.
std::string ReadExpression(IBuildTagExprRecord* record) {
  std::vector<char> buffer(256);
  while (record->GetExpression(buffer.data(), static_cast<uint32_t>(buffer.size())) != S_OK) {
    if (buffer.size() > (1u << 26)) return std::string();
    buffer.resize(buffer.size() * 4);
  }
  return buffer.data();
}

std::string ReadTargets(IBuildTagExprRecord* record) {
  std::vector<char> buffer(1 << 16, '\0');
  record->GetTargets(buffer.data(), static_cast<uint32_t>(buffer.size() - 1));
  return buffer.data();
}

std::vector<std::string> SplitTargets(const std::string& joined) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= joined.size()) {
    const size_t end = std::min(joined.find(';', start), joined.size());
    if (end > start) names.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace

TargetLookup FindTargetExpression(const std::string& projectFile, const std::string& target) {
  TargetLookup lookup;
  IBuildTagExprManager* manager = nullptr;
  if (CreateBuildTagExprManagerInstance(&manager, projectFile.c_str()) != S_OK) {
    lookup.error = "the expression store is not available";
    return lookup;
  }
  IBuildTagExprList* list = nullptr;
  if (manager->GetExpressionList(&list) != S_OK || list == nullptr) {
    manager->Release();
    lookup.error = "cannot read the project's expressions";
    return lookup;
  }
  IBuildTagExprRecord* record = nullptr;
  while (list->GetNextRecord(&record) == S_OK && record != nullptr) {
    const std::string expression = ReadExpression(record);
    for (const std::string& name : SplitTargets(ReadTargets(record))) {
      if (std::find(lookup.knownTargets.begin(), lookup.knownTargets.end(), name) ==
          lookup.knownTargets.end())
        lookup.knownTargets.push_back(name);
      if (name == target && !lookup.expression) lookup.expression = expression;
    }
    record->Release();
  }
  list->Release();
  manager->Release();
  return lookup;
}

}  // namespace bte::cli
