// A project's expression store as the tool shows and changes it: through the
// manager object and the records of its lists, as a host uses them. What an
// operation changed is read from the store before and after it.
#ifndef BTE_PROJECTBUILD_PROJECT_STORE_H
#define BTE_PROJECTBUILD_PROJECT_STORE_H

#include <map>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"

namespace bte::projectbuild {

struct TargetExpression {
  std::string target;
  std::string expression;
};

// What the store holds, in file order.
struct StoreContents {
  std::vector<TargetExpression> targets;
  std::vector<std::string> globals;
};

struct StoreChange {
  HRESULT result = S_OK;             // the manager's answer
  std::vector<std::string> targets;  // targets whose expression changed or went
  std::vector<std::string> globals;  // global expressions (see each operation)
};

class ProjectStore {
 public:
  explicit ProjectStore(const std::string& projectFile);
  // false when no manager could be made for the file.
  bool Opened() const { return static_cast<bool>(manager_); }

  StoreContents Contents() const;
  // Stamp ("YYYY:MM:DD:hh:mm:ss") of each global expression, by its text.
  std::map<std::string, std::string> GlobalStamps() const;

  // globals: the one that is stored now and was not before.
  StoreChange AddGlobal(const std::string& expression);
  // targets cleared; globals removed.
  StoreChange RemoveGlobal(const std::string& expression);
  // targets rewritten; globals rewritten, as they read now.
  StoreChange RenameTag(const std::string& from, const std::string& to);
  // targets cleared; globals removed.
  StoreChange DeleteTag(const std::string& tag);

 private:
  host::ComPtr<IBuildTagExprManager> manager_;
};

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_PROJECT_STORE_H
