// `project FILE ...`: the expression store of one project, through the
// manager object and its list and record interfaces, as a host uses them.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "buildtagexpr.h"
#include "cli/commands.h"
#include "expr/text.h"
#include "platform/profile_file.h"
#include "store/expression_list.h"
#include "store/global_expressions.h"
#include "store/split_list.h"

namespace bte::cli {
namespace {

struct TargetExpression {
  std::string target;
  std::string expression;
};

// What the store holds, rebuilt from the records the manager hands out.
struct Snapshot {
  std::vector<TargetExpression> targets;
  std::vector<std::string> globals;

  const std::string* ExpressionOf(const std::string& target) const {
    for (const TargetExpression& t : targets)
      if (t.target == target) return &t.expression;
    return nullptr;
  }
  bool HasGlobal(const std::string& expression) const {
    for (const std::string& g : globals)
      if (g == expression) return true;
    return false;
  }
};

struct ManagerHandle {
  IBuildTagExprManager* manager = nullptr;
  ~ManagerHandle() {
    if (manager != nullptr) manager->Release();
  }
};

std::string RecordText(IBuildTagExprRecord* record, bool targets) {
  std::vector<char> buffer(1 << 16, '\0');
  if (targets)
    record->GetTargets(buffer.data(), static_cast<uint32_t>(buffer.size() - 1));
  else
    record->GetExpression(buffer.data(), static_cast<uint32_t>(buffer.size()));
  return buffer.data();
}

// A record per entry, in list order; the records of one expression name its
// targets, so the j-th of them is the j-th target and one more is the global
// entry (a loaded list holds targets first).
Snapshot TakeSnapshot(IBuildTagExprManager* manager) {
  Snapshot snapshot;
  IBuildTagExprList* list = nullptr;
  if (manager->GetExpressionList(&list) != S_OK) return snapshot;
  std::map<std::string, size_t> seen;
  IBuildTagExprRecord* record = nullptr;
  while (list->GetNextRecord(&record) == S_OK) {
    const std::string expression = RecordText(record, false);
    std::vector<std::string> pieces;
    SplitList(RecordText(record, true), ';', pieces);
    std::vector<std::string> names;
    for (const std::string& piece : pieces)
      if (!piece.empty()) names.push_back(piece);
    const size_t index = seen[expression]++;
    if (index < names.size())
      snapshot.targets.push_back({names[index], expression});
    else
      snapshot.globals.push_back(expression);
    record->Release();
  }
  list->Release();
  return snapshot;
}

// The stamps of the global section; the record interface carries none.
std::map<std::string, std::string> GlobalStamps(const std::string& path) {
  auto* list = new BuildTagExprList;
  list->AddRef();
  LoadGlobalExpressions(platform::ProfileFile(path), list);
  std::map<std::string, std::string> stamps;
  for (auto p = list->Head(); const ExpressionEntry* entry = list->Next(p);)
    stamps[entry->expression] = FormatTimeStamp(entry->timeStamp);
  list->Release();
  return stamps;
}

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

struct Change {
  std::vector<std::string> targets;
  std::vector<std::string> globals;
};

// Targets whose expression differs, and globals present in `from` but not
// in `to`.
Change Compare(const Snapshot& from, const Snapshot& to) {
  Change change;
  for (const TargetExpression& t : from.targets) {
    const std::string* other = to.ExpressionOf(t.target);
    if (other == nullptr || *other != t.expression) change.targets.push_back(t.target);
  }
  for (const std::string& g : from.globals)
    if (!to.HasGlobal(g)) change.globals.push_back(g);
  return change;
}

void Report(bool json, HRESULT result, const std::string& message, const Change& change) {
  if (json) {
    nlohmann::json out = {{"result", result},
                          {"message", message},
                          {"targets", change.targets},
                          {"globals", change.globals}};
    std::cout << out.dump(2) << '\n';
  } else {
    std::cout << message << '\n';
  }
}

int RunList(IBuildTagExprManager* manager, const std::string& path, bool json) {
  const Snapshot snapshot = TakeSnapshot(manager);
  const auto stamps = GlobalStamps(path);
  auto stampOf = [&stamps](const std::string& g) {
    const auto found = stamps.find(g);
    return found == stamps.end() ? std::string() : found->second;
  };
  if (json) {
    nlohmann::json out = {{"file", path}, {"targets", nlohmann::json::array()},
                          {"globals", nlohmann::json::array()}};
    for (const TargetExpression& t : snapshot.targets)
      out["targets"].push_back({{"target", t.target}, {"expression", t.expression}});
    for (const std::string& g : snapshot.globals)
      out["globals"].push_back({{"expression", g}, {"stamp", stampOf(g)}});
    std::cout << out.dump(2) << '\n';
    return kExitOk;
  }
  std::cout << "Targets (" << snapshot.targets.size() << "):\n";
  for (const TargetExpression& t : snapshot.targets)
    std::cout << "  " << t.target << ": " << t.expression << '\n';
  std::cout << "Global expressions (" << snapshot.globals.size() << "):\n";
  for (const std::string& g : snapshot.globals) std::cout << "  " << stampOf(g) << "  " << g << '\n';
  return kExitOk;
}

int RunAddGlobal(IBuildTagExprManager* manager, const std::string& expression, bool json) {
  const HRESULT result = manager->AddGlobalExpression(expression.c_str());
  Change change;
  std::string message;
  if (result == S_OK) {
    change.globals.push_back(std::string(Trim(expression)));
    message = "Saved global expression \"" + change.globals[0] + "\"";
  } else {
    message = "Not saved: \"" + expression + "\" is empty or already stored";
  }
  Report(json, result, message, change);
  return result == S_OK ? kExitOk : kExitFailed;
}

int RunRemoveGlobal(IBuildTagExprManager* manager, const std::string& expression, bool json) {
  const Snapshot before = TakeSnapshot(manager);
  const HRESULT result = manager->RemoveGlobalExpression(expression.c_str());
  const Change change = Compare(before, TakeSnapshot(manager));
  std::string message;
  if (result != S_OK)
    message = "Nothing removed: the expression is empty";
  else if (change.globals.empty() && change.targets.empty())
    message = "No expression is \"" + expression + "\"; nothing removed";
  else
    message = "Removed " + Count(change.globals.size(), "global expression", "global expressions") +
              " and cleared " + Count(change.targets.size(), "target", "targets");
  Report(json, result, message, change);
  return result == S_OK ? kExitOk : kExitFailed;
}

int RunRenameTag(IBuildTagExprManager* manager, const std::string& from, const std::string& to,
                 bool json) {
  const Snapshot before = TakeSnapshot(manager);
  const HRESULT result = manager->RenameTag(from.c_str(), to.c_str());
  const Snapshot after = TakeSnapshot(manager);
  Change change = Compare(before, after);
  change.globals = Compare(after, before).globals;  // the rewritten ones, as they are now
  const std::string message =
      change.targets.empty() && change.globals.empty()
          ? "No expression uses " + from + "; nothing changed"
          : Count(change.targets.size(), "target", "targets") + " and " +
                Count(change.globals.size(), "global expression", "global expressions") +
                " now use " + to;
  Report(json, result, message, change);
  return result == S_OK ? kExitOk : kExitFailed;
}

int RunDeleteTag(IBuildTagExprManager* manager, const std::string& tag, bool json) {
  const Snapshot before = TakeSnapshot(manager);
  const HRESULT result = manager->DeleteTag(tag.c_str());
  const Change change = Compare(before, TakeSnapshot(manager));
  const std::string message =
      change.targets.empty() && change.globals.empty()
          ? "No expression uses " + tag + "; nothing changed"
          : "Cleared " + Count(change.targets.size(), "target", "targets") + " and removed " +
                Count(change.globals.size(), "global expression", "global expressions") +
                " that used " + tag;
  Report(json, result, message, change);
  return result == S_OK ? kExitOk : kExitFailed;
}

struct ProjectOptions {
  std::string file;
  bool json = false;
  std::string first;
  std::string second;
};

// Runs one subcommand on a manager for the project file.
void OnManager(CLI::App* command, std::shared_ptr<ProjectOptions> options, Outcome& outcome,
               int (*run)(IBuildTagExprManager*, const ProjectOptions&)) {
  command->callback([options, &outcome, run] {
    ManagerHandle handle;
    if (CreateBuildTagExprManagerInstance(&handle.manager, options->file.c_str()) != S_OK) {
      std::cerr << "buildtags: cannot create a manager\n";
      outcome.exitCode = kExitFailed;
      return;
    }
    outcome.exitCode = run(handle.manager, *options);
  });
}

}  // namespace

void AddProjectCommand(CLI::App& app, Outcome& outcome) {
  auto* project = app.add_subcommand(
      "project", "Show and change the build tag expressions stored in a project file");
  auto options = std::make_shared<ProjectOptions>();
  project->add_option("FILE", options->file, "project expression file (INI)")->required();
  project->add_flag("--json", options->json, "print results as JSON");
  project->require_subcommand(1);

  OnManager(project->add_subcommand("list", "Targets with their expressions, global expressions with their stamps"),
            options, outcome, [](IBuildTagExprManager* m, const ProjectOptions& o) {
              return RunList(m, o.file, o.json);
            });
  auto* add = project->add_subcommand("add-global", "Save a global expression");
  add->add_option("EXPR", options->first, "expression")->required();
  OnManager(add, options, outcome, [](IBuildTagExprManager* m, const ProjectOptions& o) {
    return RunAddGlobal(m, o.first, o.json);
  });
  auto* remove = project->add_subcommand(
      "remove-global", "Remove a global expression and clear the targets that use exactly it");
  remove->add_option("EXPR", options->first, "expression")->required();
  OnManager(remove, options, outcome, [](IBuildTagExprManager* m, const ProjectOptions& o) {
    return RunRemoveGlobal(m, o.first, o.json);
  });
  auto* rename = project->add_subcommand("rename-tag", "Rename a build tag in every stored expression");
  rename->add_option("OLD", options->first, "tag to rename")->required();
  rename->add_option("NEW", options->second, "new name")->required();
  OnManager(rename, options, outcome, [](IBuildTagExprManager* m, const ProjectOptions& o) {
    return RunRenameTag(m, o.first, o.second, o.json);
  });
  auto* deleteTag = project->add_subcommand(
      "delete-tag", "Clear every target and drop every global expression that uses a tag");
  deleteTag->add_option("TAG", options->first, "tag to delete")->required();
  OnManager(deleteTag, options, outcome, [](IBuildTagExprManager* m, const ProjectOptions& o) {
    return RunDeleteTag(m, o.first, o.json);
  });
}

}  // namespace bte::cli
