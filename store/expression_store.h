// What one manager operation reads and writes: the project expression file,
// or the output-layout settings library while that is in use. The file is
// read once, when the operation first needs it, and the operation's writes
// reach it together in one atomic replacement when Finish is called.
#ifndef BTE_STORE_EXPRESSION_STORE_H
#define BTE_STORE_EXPRESSION_STORE_H

#include <optional>
#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "store/expression_list.h"

namespace bte {

class ExpressionStore {
 public:
  ExpressionStore(const std::string& filePath, const std::vector<std::string>& targetNames,
                  bool useLayoutSettings)
      : filePath_(filePath), targetNames_(targetNames), useLayoutSettings_(useLayoutSettings) {}

  // Target entries in file order, then global entries. 0 for a null list.
  int LoadStore(BuildTagExprList* list);
  int LoadTargetExpressions(BuildTagExprList* list);
  int LoadGlobalExpressions(BuildTagExprList* list);
  // 0 for a null or empty target name, else 1.
  int WriteTargetExpression(const char* target, const char* expression);
  // Prunes the list's globals to ten and replaces the global section.
  int SaveGlobalExpressions(BuildTagExprList* list);
  // Writes the operation's changes to the project file; false when it could
  // not be replaced (it is then unchanged).
  bool Finish();

 private:
  bool LayoutMode() const;
  platform::ProfileFile& Profile();

  const std::string& filePath_;
  const std::vector<std::string>& targetNames_;
  bool useLayoutSettings_;
  std::optional<platform::ProfileFile> profile_;
};

}  // namespace bte

#endif  // BTE_STORE_EXPRESSION_STORE_H
