// `project FILE ...`: the expression store of one project, through the
// manager object and its list and record interfaces, as a host uses them.
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "projectbuild/project_store.h"

namespace bte::cli {
namespace {

using projectbuild::ProjectStore;
using projectbuild::StoreChange;
using projectbuild::StoreContents;
using projectbuild::TargetExpression;

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

bool Unchanged(const StoreChange& change) {
  return change.targets.empty() && change.globals.empty();
}

void Report(bool json, HRESULT result, const std::string& message, const StoreChange& change) {
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

int ExitCodeOf(HRESULT result) { return result == S_OK ? kExitOk : kExitFailed; }

int RunList(ProjectStore& store, const std::string& path, bool json) {
  const StoreContents contents = store.Contents();
  const auto stamps = store.GlobalStamps();
  auto stampOf = [&stamps](const std::string& g) {
    const auto found = stamps.find(g);
    return found == stamps.end() ? std::string() : found->second;
  };
  if (json) {
    nlohmann::json out = {{"file", path}, {"targets", nlohmann::json::array()},
                          {"globals", nlohmann::json::array()}};
    for (const TargetExpression& t : contents.targets)
      out["targets"].push_back({{"target", t.target}, {"expression", t.expression}});
    for (const std::string& g : contents.globals)
      out["globals"].push_back({{"expression", g}, {"stamp", stampOf(g)}});
    std::cout << out.dump(2) << '\n';
    return kExitOk;
  }
  std::cout << "Targets (" << contents.targets.size() << "):\n";
  for (const TargetExpression& t : contents.targets)
    std::cout << "  " << t.target << ": " << t.expression << '\n';
  std::cout << "Global expressions (" << contents.globals.size() << "):\n";
  for (const std::string& g : contents.globals) std::cout << "  " << stampOf(g) << "  " << g << '\n';
  return kExitOk;
}

// "Saved" only for an expression the store holds afterwards: the manager
// answers 0 even when the file could not be written.
int RunAddGlobal(ProjectStore& store, const std::string& expression, bool json) {
  StoreChange change = store.AddGlobal(expression);
  std::string message;
  if (change.result != S_OK) {
    message = "Not saved: \"" + expression + "\" is empty or already stored";
  } else if (change.globals.empty()) {
    change.result = E_FAIL;
    message = "Not saved: \"" + expression + "\" did not reach the project file";
  } else {
    message = "Saved global expression \"" + change.globals[0] + "\"";
  }
  Report(json, change.result, message, change);
  return ExitCodeOf(change.result);
}

int RunRemoveGlobal(ProjectStore& store, const std::string& expression, bool json) {
  const StoreChange change = store.RemoveGlobal(expression);
  std::string message;
  if (change.result != S_OK)
    message = "Nothing removed: the expression is empty";
  else if (Unchanged(change))
    message = "No expression is \"" + expression + "\"; nothing removed";
  else
    message = "Removed " + Count(change.globals.size(), "global expression", "global expressions") +
              " and cleared " + Count(change.targets.size(), "target", "targets");
  Report(json, change.result, message, change);
  return ExitCodeOf(change.result);
}

int RunRenameTag(ProjectStore& store, const std::string& from, const std::string& to, bool json) {
  const StoreChange change = store.RenameTag(from, to);
  const std::string message =
      Unchanged(change)
          ? "No expression uses " + from + "; nothing changed"
          : Count(change.targets.size(), "target", "targets") + " and " +
                Count(change.globals.size(), "global expression", "global expressions") +
                " now use " + to;
  Report(json, change.result, message, change);
  return ExitCodeOf(change.result);
}

int RunDeleteTag(ProjectStore& store, const std::string& tag, bool json) {
  const StoreChange change = store.DeleteTag(tag);
  const std::string message =
      Unchanged(change)
          ? "No expression uses " + tag + "; nothing changed"
          : "Cleared " + Count(change.targets.size(), "target", "targets") + " and removed " +
                Count(change.globals.size(), "global expression", "global expressions") +
                " that used " + tag;
  Report(json, change.result, message, change);
  return ExitCodeOf(change.result);
}

struct ProjectOptions {
  std::string file;
  bool json = false;
  std::string first;
  std::string second;
};

// Runs one subcommand on the project file's store.
void OnStore(CLI::App* command, std::shared_ptr<ProjectOptions> options, Outcome& outcome,
             int (*run)(ProjectStore&, const ProjectOptions&)) {
  command->callback([options, &outcome, run] {
    ProjectStore store(options->file);
    if (!store.Opened()) {
      std::cerr << "buildtags: cannot create a manager\n";
      outcome.exitCode = kExitFailed;
      return;
    }
    outcome.exitCode = run(store, *options);
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

  OnStore(project->add_subcommand("list", "Targets with their expressions, global expressions with their stamps"),
          options, outcome, [](ProjectStore& s, const ProjectOptions& o) {
              return RunList(s, o.file, o.json);
            });
  auto* add = project->add_subcommand("add-global", "Save a global expression");
  add->add_option("EXPR", options->first, "expression")->required();
  OnStore(add, options, outcome, [](ProjectStore& s, const ProjectOptions& o) {
    return RunAddGlobal(s, o.first, o.json);
  });
  auto* remove = project->add_subcommand(
      "remove-global", "Remove a global expression and clear the targets that use exactly it");
  remove->add_option("EXPR", options->first, "expression")->required();
  OnStore(remove, options, outcome, [](ProjectStore& s, const ProjectOptions& o) {
    return RunRemoveGlobal(s, o.first, o.json);
  });
  auto* rename = project->add_subcommand("rename-tag", "Rename a build tag in every stored expression");
  rename->add_option("OLD", options->first, "tag to rename")->required();
  rename->add_option("NEW", options->second, "new name")->required();
  OnStore(rename, options, outcome, [](ProjectStore& s, const ProjectOptions& o) {
    return RunRenameTag(s, o.first, o.second, o.json);
  });
  auto* deleteTag = project->add_subcommand(
      "delete-tag", "Clear every target and drop every global expression that uses a tag");
  deleteTag->add_option("TAG", options->first, "tag to delete")->required();
  OnStore(deleteTag, options, outcome, [](ProjectStore& s, const ProjectOptions& o) {
    return RunDeleteTag(s, o.first, o.json);
  });
}

}  // namespace bte::cli
