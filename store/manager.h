// The host's access to the expression store of one project. Every operation
// loads the whole store into a fresh list, changes it, writes back what
// changed and drops the list; between calls the manager keeps only the file
// path, the target names and whether the layout settings are in use.
#ifndef BTE_STORE_MANAGER_H
#define BTE_STORE_MANAGER_H

#include <string>
#include <vector>

#include "com/ref_counted.h"

namespace bte {

class BuildTagExprList;
class ExpressionStore;

class BuildTagExprManager : public com::RefCountedNoQuery<IBuildTagExprManager> {
 public:
  // Asks the layout settings library, if the host loaded it, whether its
  // settings are in use, and makes an existing project file writable.
  explicit BuildTagExprManager(const char* projectFile);

  HRESULT BTE_CALL AddGlobalExpression(const char* expression) override;
  HRESULT BTE_CALL RemoveGlobalExpression(const char* expression) override;
  HRESULT BTE_CALL GetExpressionList(IBuildTagExprList** list) override;
  HRESULT BTE_CALL RenameTag(const char* oldTag, const char* newTag) override;
  HRESULT BTE_CALL DeleteTag(const char* tag) override;
  HRESULT BTE_CALL SetTargetNames(const char* names) override;
  // Outside layout mode: 0 and *targets untouched.
  HRESULT BTE_CALL GetTargetsForRename(const char* oldTag, const char* newTag,
                                       IEnumString** targets) override;
  HRESULT BTE_CALL GetTargetsUsingTag(const char* tag, IEnumString** targets) override;

  // Whether the writes of the last operation that wrote reached the file.
  // Hosts are not told (their answers say success either way); the tool
  // asks, so that it never reports a save that did not happen.
  bool LastWriteSucceeded() const { return lastWriteSucceeded_; }

 private:
  ~BuildTagExprManager() override = default;

  ExpressionStore Store() const;
  bool LayoutMode() const;
  HRESULT HandOut(std::vector<std::string> names, IEnumString** targets) const;

  std::string filePath_;
  std::vector<std::string> targetNames_;
  int useLayoutSettings_ = 0;
  bool lastWriteSucceeded_ = true;
};

}  // namespace bte

#endif  // BTE_STORE_MANAGER_H
