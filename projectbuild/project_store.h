// A project's expression store as the tool shows and changes it: through the
// manager object and the records of its lists, as a host uses them.
//
// The manager works on a copy of the project file in a scratch folder, so
// that the tool, not the manager, decides what reaches the file: it is read
// once and replaced at most once, only when the store's contents changed,
// never for a dry run, never when it has no write permission bits (unless
// forced), and never when another program changed it meanwhile. What an
// operation changed is read from the copy before and after it.
#ifndef BTE_PROJECTBUILD_PROJECT_STORE_H
#define BTE_PROJECTBUILD_PROJECT_STORE_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"

namespace bte::platform {
class ScratchFolder;
}

namespace bte::projectbuild {

struct TargetExpression {
  std::string target;  // empty for a global expression
  std::string expression;
};

inline bool operator==(const TargetExpression& a, const TargetExpression& b) {
  return a.target == b.target && a.expression == b.expression;
}

// What the store holds, in file order.
struct StoreContents {
  std::vector<TargetExpression> targets;
  std::vector<std::string> globals;
};

struct StoreOptions {
  bool change = false;  // the command may write the file
  bool force = false;   // a file without write permission is made writable
  bool dryRun = false;  // the change is worked out, not written
};

struct StoreChange {
  HRESULT result = S_OK;             // the manager's answer
  std::vector<std::string> targets;  // targets whose expression changed or went
  std::vector<std::string> globals;  // global expressions (see each operation)
  std::vector<std::string> dropped;  // globals the limit of ten pushed out
  // Uses of the tag that differ from it in letter case only, left as they
  // were (rename and delete).
  std::vector<TargetExpression> otherCase;
  bool changed = false;  // the store's contents differ afterwards
  bool written = false;  // and the file holds them
  std::string failure;   // why a change did not reach the file
};

class ProjectStore {
 public:
  ProjectStore(const std::string& projectFile, const StoreOptions& options);
  ~ProjectStore();

  // Empty when the store can be used; otherwise why not, e.g.
  // "cannot read p.ini: Is a directory".
  const std::string& problem() const { return problem_; }
  // The file had no write permission and --force gave it some.
  bool madeWritable() const { return madeWritable_; }

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
  // targets: the target, when its expression changed. E_INVALIDARG with
  // the reason in failure for a name or expression the file cannot hold.
  StoreChange SetTarget(const std::string& target, const std::string& expression);
  // targets: the target, when it had an expression.
  StoreChange RemoveTarget(const std::string& target);

 private:
  struct Snapshot {
    StoreContents contents;
    std::map<std::string, std::string> stamps;
  };
  bool Prepare(const std::string& projectFile);
  Snapshot Read() const;
  void Settle(const Snapshot& before, StoreChange& change);
  void Persist(StoreChange& change);

  std::string path_;
  StoreOptions options_;
  std::unique_ptr<platform::ScratchFolder> scratch_;
  std::string copy_;  // the working copy the manager sees
  std::string original_;
  bool existed_ = false;
  bool readOnly_ = false;
  bool madeWritable_ = false;
  std::string problem_;
  host::ComPtr<IBuildTagExprManager> manager_;
};

// The reason the project file cannot hold this target name or expression
// so that it reads back the same; empty when it can.
std::string TargetProblem(const std::string& target, const std::string& expression);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_PROJECT_STORE_H
