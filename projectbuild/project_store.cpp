#include "projectbuild/project_store.h"

#include <algorithm>
#include <utility>

#include "platform/file_attributes.h"
#include "platform/file_io.h"
#include "platform/scratch_folder.h"
#include "projectbuild/beyond_interface.h"

namespace bte::projectbuild {
namespace {

// The profile layer reads no larger file; it would show it as empty.
constexpr uint64_t kLargestProjectFile = 16 << 20;
// A target's expression is read into 260 bytes.
constexpr size_t kLongestTargetExpression = 259;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string Trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

const std::string* ExpressionOf(const StoreContents& contents, const std::string& target) {
  for (const TargetExpression& t : contents.targets)
    if (t.target == target) return &t.expression;
  return nullptr;
}

// The texts of `from` that `to` does not hold, in the order of `from`.
std::vector<std::string> Missing(const std::vector<std::string>& from,
                                 const std::vector<std::string>& to) {
  std::vector<std::string> missing;
  for (const std::string& text : from)
    if (std::find(to.begin(), to.end(), text) == to.end()) missing.push_back(text);
  return missing;
}

// Targets whose expression differs, went or came.
std::vector<std::string> ChangedTargets(const StoreContents& before, const StoreContents& after) {
  std::vector<std::string> changed;
  for (const TargetExpression& t : before.targets) {
    const std::string* now = ExpressionOf(after, t.target);
    if (now == nullptr || *now != t.expression) changed.push_back(t.target);
  }
  for (const TargetExpression& t : after.targets)
    if (ExpressionOf(before, t.target) == nullptr) changed.push_back(t.target);
  return changed;
}

// Stored expressions naming the tag in another letter case: the manager
// matches tags exactly and leaves them alone.
std::vector<TargetExpression> OtherCaseUses(const StoreContents& contents, const std::string& tag) {
  auto namesOtherCase = [&tag](const std::string& expression) {
    for (const std::string& item : DescribeExpression(expression).postfix)
      if (!IsPostfixOperator(item) && item != tag && SameIgnoringAsciiCase(item, tag)) return true;
    return false;
  };
  std::vector<TargetExpression> uses;
  for (const TargetExpression& t : contents.targets)
    if (namesOtherCase(t.expression)) uses.push_back(t);
  for (const std::string& g : contents.globals)
    if (namesOtherCase(g)) uses.push_back({"", g});
  return uses;
}

}  // namespace

std::string TargetProblem(const std::string& target, const std::string& expression) {
  if (target.empty()) return "a target needs a name";
  if (IsBlank(target.front()) || IsBlank(target.back()))
    return "a target name cannot begin or end with a blank";
  if (target.find_first_of("];\r\n") != std::string::npos)
    return "a target name cannot hold ']', ';' or a line break";
  if (expression.empty()) return "the expression is empty (remove-target clears a target)";
  if (expression.find_first_of("\r\n") != std::string::npos)
    return "an expression cannot hold a line break";
  if (expression.size() > kLongestTargetExpression)
    return "a target's expression holds at most " + std::to_string(kLongestTargetExpression) +
           " bytes";
  return std::string();
}

ProjectStore::ProjectStore(const std::string& projectFile, const StoreOptions& options)
    : path_(projectFile), options_(options) {
  Prepare(projectFile);
}

ProjectStore::~ProjectStore() {
  manager_.reset();  // before its file goes with the scratch folder
}

// Reads the file once; the manager gets a copy, so that neither it nor a
// failed operation can touch the file.
bool ProjectStore::Prepare(const std::string& projectFile) {
  platform::FileContents file = platform::ReadWholeFile(projectFile, kLargestProjectFile);
  if (!file.ok() && file.status != platform::FileStatus::kMissing) {
    problem_ = "cannot read " + projectFile + ": " + platform::Describe(file);
    return false;
  }
  existed_ = file.ok();
  original_ = std::move(file.bytes);
  readOnly_ = existed_ && (platform::ReadFileAttributes(projectFile.c_str()) &
                           platform::kFileAttributeReadOnly) != 0;
  if (options_.change && readOnly_ && !options_.force) {
    problem_ = projectFile + " is read-only (no write permission); nothing changed (--force makes it writable)";
    return false;
  }
  scratch_ = std::make_unique<platform::ScratchFolder>();
  if (!scratch_->result().ok()) {
    problem_ = "cannot make a scratch folder: " + platform::Describe(scratch_->result());
    return false;
  }
  copy_ = scratch_->File("project.ini");
  if (existed_) {
    const platform::FileResult copied =
        platform::ReplaceFileAtomically(copy_, original_, platform::kRegenerableFile);
    if (!copied.ok()) {
      problem_ = "cannot copy " + projectFile + " to a scratch folder: " + platform::Describe(copied);
      return false;
    }
  }
  CreateBuildTagExprManagerInstance(manager_.out(), copy_.c_str());
  if (!manager_) problem_ = "cannot create a manager";
  return static_cast<bool>(manager_);
}

// A record per entry, in list order; the records of one expression name its
// targets, so the j-th of them is the j-th target and one more is the global
// entry (a loaded list holds the targets first).
StoreContents ProjectStore::Contents() const {
  StoreContents contents;
  host::ComPtr<IBuildTagExprList> list;
  if (!manager_ || manager_->GetExpressionList(list.out()) != S_OK || !list) return contents;
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
  if (!manager_) return {};
  return GlobalExpressionStamps(manager_.get());
}

ProjectStore::Snapshot ProjectStore::Read() const { return {Contents(), GlobalStamps()}; }

// Decides, from the copy the operation worked on, whether the file is to
// change, and changes it.
void ProjectStore::Settle(const Snapshot& before, StoreChange& change) {
  if (!ManagerWriteSucceeded(manager_.get())) {
    change.failure = "cannot write a working copy of " + path_ + " in the scratch folder";
    return;
  }
  const Snapshot after = Read();
  change.changed = after.contents.targets != before.contents.targets ||
                   after.contents.globals != before.contents.globals ||
                   after.stamps != before.stamps;
  if (change.changed && !options_.dryRun) Persist(change);
}

void ProjectStore::Persist(StoreChange& change) {
  const platform::FileContents copy = platform::ReadWholeFile(copy_);
  if (!copy.ok()) {
    change.failure = "cannot read the working copy: " + platform::Describe(copy);
    return;
  }
  // What another program wrote since the file was read would be lost.
  const platform::FileContents now = platform::ReadWholeFile(path_, kLargestProjectFile);
  if (now.ok() != existed_ || now.bytes != original_) {
    change.failure = path_ + " was changed by another program meanwhile";
    return;
  }
  if (readOnly_) {  // only with --force
    if (!platform::ChangeFileAttributes(path_.c_str(), platform::kFileAttributeNormal)) {
      change.failure = "cannot make " + path_ + " writable";
      return;
    }
    madeWritable_ = true;
  }
  const platform::FileResult replaced = platform::ReplaceFileAtomically(path_, copy.bytes);
  if (!replaced.ok()) {
    change.failure = "cannot write " + path_ + ": " + platform::Describe(replaced);
    if (madeWritable_)
      platform::ChangeFileAttributes(path_.c_str(), platform::kFileAttributeReadOnly);
    madeWritable_ = false;
    return;
  }
  original_ = copy.bytes;
  existed_ = true;
  readOnly_ = false;
  change.written = true;
}

StoreChange ProjectStore::AddGlobal(const std::string& expression) {
  const Snapshot before = Read();
  StoreChange change;
  change.result = manager_->AddGlobalExpression(expression.c_str());
  const StoreContents after = Contents();
  change.globals = Missing(after.globals, before.contents.globals);
  change.dropped = Missing(before.contents.globals, after.globals);
  Settle(before, change);
  return change;
}

StoreChange ProjectStore::RemoveGlobal(const std::string& expression) {
  const Snapshot before = Read();
  StoreChange change;
  change.result = manager_->RemoveGlobalExpression(expression.c_str());
  const StoreContents after = Contents();
  change.targets = ChangedTargets(before.contents, after);
  change.globals = Missing(before.contents.globals, after.globals);
  Settle(before, change);
  return change;
}

StoreChange ProjectStore::RenameTag(const std::string& from, const std::string& to) {
  const Snapshot before = Read();
  StoreChange change;
  change.result = manager_->RenameTag(from.c_str(), to.c_str());
  const StoreContents after = Contents();
  change.targets = ChangedTargets(before.contents, after);
  change.globals = Missing(after.globals, before.contents.globals);
  change.otherCase = OtherCaseUses(after, from);
  Settle(before, change);
  return change;
}

StoreChange ProjectStore::DeleteTag(const std::string& tag) {
  const Snapshot before = Read();
  StoreChange change;
  change.result = manager_->DeleteTag(tag.c_str());
  const StoreContents after = Contents();
  change.targets = ChangedTargets(before.contents, after);
  change.globals = Missing(before.contents.globals, after.globals);
  change.otherCase = OtherCaseUses(after, tag);
  Settle(before, change);
  return change;
}

StoreChange ProjectStore::SetTarget(const std::string& target, const std::string& expression) {
  StoreChange change;
  const std::string text = Trimmed(expression);
  change.failure = TargetProblem(target, text);
  if (!change.failure.empty()) {
    change.result = E_INVALIDARG;
    return change;
  }
  const Snapshot before = Read();
  if (!WriteTargetExpressionToFile(copy_, target, text)) {
    change.failure = "cannot write a working copy of " + path_ + " in the scratch folder";
    return change;
  }
  const StoreContents after = Contents();
  const bool readsBack = std::any_of(after.targets.begin(), after.targets.end(), [&](const auto& t) {
    return SameIgnoringAsciiCase(t.target, target) && t.expression == text;
  });
  if (!readsBack) {
    change.result = E_INVALIDARG;
    change.failure = "the project file would not give this expression back as written";
    return change;
  }
  change.targets = ChangedTargets(before.contents, after);
  Settle(before, change);
  return change;
}

StoreChange ProjectStore::RemoveTarget(const std::string& target) {
  StoreChange change;
  if (target.empty()) {
    change.result = E_INVALIDARG;
    change.failure = "a target needs a name";
    return change;
  }
  const Snapshot before = Read();
  if (!WriteTargetExpressionToFile(copy_, target, "")) {
    change.failure = "cannot write a working copy of " + path_ + " in the scratch folder";
    return change;
  }
  change.targets = ChangedTargets(before.contents, Contents());
  Settle(before, change);
  return change;
}

}  // namespace bte::projectbuild
