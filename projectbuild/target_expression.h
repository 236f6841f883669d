// A target's expression, read from the project file exactly as a host reads
// it: through the manager's expression list and its records.
#ifndef BTE_PROJECTBUILD_TARGET_EXPRESSION_H
#define BTE_PROJECTBUILD_TARGET_EXPRESSION_H

#include <optional>
#include <string>
#include <vector>

namespace bte::projectbuild {

struct TargetLookup {
  std::optional<std::string> expression;  // empty when the target has none
  std::vector<std::string> knownTargets;  // every target the project names
  std::string error;                      // why the project could not be read
};

TargetLookup FindTargetExpression(const std::string& projectFile, const std::string& target);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_TARGET_EXPRESSION_H
