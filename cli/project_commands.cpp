// `project FILE ...`: the expression store of one project, through the
// manager object and its list and record interfaces, as a host uses them.
// A change is reported as made only when the project file holds it.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/utf8_text.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/project_store.h"

namespace bte::cli {
namespace {

using projectbuild::ProjectStore;
using projectbuild::StoreChange;
using projectbuild::StoreContents;
using projectbuild::StoreOptions;
using projectbuild::TargetExpression;

struct ProjectOptions {
  std::string file;
  bool json = false;
  bool force = false;
  bool dryRun = false;
  bool strict = false;
  std::string first;
  std::string second;
};

// What a command has to say: lines for standard output, warnings for
// standard error (in JSON, both go into the object).
struct Said {
  bool ok = true;
  std::vector<std::string> lines;
  std::vector<std::string> warnings;
};

std::string Count(size_t n, const char* one, const char* many) {
  return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

std::string Describe(const TargetExpression& use) {
  return (use.target.empty() ? "global " : "target " + use.target + " ") + Quoted(use.expression);
}

nlohmann::json Texts(const std::vector<std::string>& texts) {
  nlohmann::json out = nlohmann::json::array();
  for (const std::string& text : texts) out.push_back(Utf8Text(text));
  return out;
}

nlohmann::json Uses(const std::vector<TargetExpression>& uses) {
  nlohmann::json out = nlohmann::json::array();
  for (const TargetExpression& use : uses)
    out.push_back({{"target", Utf8Text(use.target)}, {"expression", Utf8Text(use.expression)}});
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += (joined.empty() ? "" : "\n") + line;
  return joined;
}

void Report(const ProjectOptions& options, const StoreChange& change, const Said& said) {
  if (!options.json) {
    for (const std::string& line : said.lines) std::cout << Utf8Text(line) << '\n';
    for (const std::string& warning : said.warnings) std::cerr << "warning: " << Utf8Text(warning) << '\n';
    return;
  }
  const HRESULT result = said.ok || change.result != S_OK ? change.result : E_FAIL;
  const nlohmann::json out = {{"result", result},
                              {"message", Utf8Text(Joined(said.lines))},
                              {"targets", Texts(change.targets)},
                              {"globals", Texts(change.globals)},
                              {"dropped", Texts(change.dropped)},
                              {"otherCase", Uses(change.otherCase)},
                              {"written", change.written},
                              {"dryRun", options.dryRun},
                              {"warnings", Texts(said.warnings)}};
  std::cout << out.dump(2) << '\n';
}

int Finish(const ProjectOptions& options, const StoreChange& change, Said& said) {
  Report(options, change, said);
  return said.ok ? kExitOk : kExitFailed;
}

// A change that did not reach the file says so and why.
bool Failed(const StoreChange& change, const std::string& prefix, Said& said) {
  if (change.failure.empty()) return false;
  said.ok = false;
  said.lines.push_back(prefix + change.failure);
  return true;
}

// The past tense for a change that was written, the conditional for a dry
// run.
std::string Verb(const ProjectOptions& options, const char* done, const char* would) {
  return options.dryRun ? would : done;
}

void NoteForce(const ProjectStore& store, const ProjectOptions& options, Said& said) {
  if (store.madeWritable())
    said.lines.insert(said.lines.begin(), "Made " + options.file + " writable (it had no write permission)");
}

void NoteOtherCase(const StoreChange& change, const char* left, Said& said) {
  for (const TargetExpression& use : change.otherCase)
    said.lines.push_back(std::string(left) + " (letter case differs): " + Describe(use));
}

void NoteEmptied(const StoreChange& change, const ProjectOptions& options, Said& said) {
  if (change.targets.empty()) return;
  said.lines.push_back(Verb(options, "Left without an expression", "Would be left without an expression") +
                       " (keeping all content): " + JoinNames(change.targets));
}

// Warns about an expression the parser refuses; with --strict refuses it.
bool CheckSyntax(const std::string& expression, const ProjectOptions& options, const char* refusal,
                 Said& said) {
  if (projectbuild::DescribeExpression(expression).valid) return true;
  const std::string fault =
      Quoted(expression) + " is not a valid build tag expression (applied, it keeps all content)";
  if (!options.strict) {
    said.warnings.push_back(fault);
    return true;
  }
  said.ok = false;
  said.lines.push_back(refusal + fault);
  return false;
}

int RunList(ProjectStore& store, const ProjectOptions& options) {
  const StoreContents contents = store.Contents();
  const auto stamps = store.GlobalStamps();
  auto stampOf = [&stamps](const std::string& g) {
    const auto found = stamps.find(g);
    return found == stamps.end() ? std::string() : found->second;
  };
  if (options.json) {
    nlohmann::json out = {{"file", Utf8Text(options.file)},
                          {"targets", nlohmann::json::array()},
                          {"globals", nlohmann::json::array()}};
    out["targets"] = Uses(contents.targets);
    for (const std::string& g : contents.globals)
      out["globals"].push_back({{"expression", Utf8Text(g)}, {"stamp", Utf8Text(stampOf(g))}});
    std::cout << out.dump(2) << '\n';
    return kExitOk;
  }
  std::cout << "Targets (" << contents.targets.size() << "):\n";
  for (const TargetExpression& t : contents.targets)
    std::cout << "  " << Utf8Text(t.target) << ": " << Utf8Text(t.expression) << '\n';
  std::cout << "Global expressions (" << contents.globals.size() << "):\n";
  for (const std::string& g : contents.globals)
    std::cout << "  " << Utf8Text(stampOf(g)) << "  " << Utf8Text(g) << '\n';
  return kExitOk;
}

int RunAddGlobal(ProjectStore& store, const ProjectOptions& options) {
  const std::string& expression = options.first;
  Said said;
  if (!CheckSyntax(expression, options, "Not saved: ", said)) return Finish(options, StoreChange{}, said);
  StoreChange change = store.AddGlobal(expression);
  if (change.result != S_OK) {
    said.ok = false;
    said.lines.push_back("Not saved: " + Quoted(expression) + " is empty or already stored");
  } else if (!Failed(change, "Not saved: ", said)) {
    if (change.globals.empty()) {
      said.ok = false;
      said.lines.push_back("Not saved: the store does not hold " + Quoted(expression) + " afterwards");
    } else {
      said.lines.push_back(Verb(options, "Saved", "Would save") + " global expression " +
                           Quoted(change.globals[0]));
    }
    for (const std::string& dropped : change.dropped)
      said.lines.push_back(Verb(options, "Dropped", "Would drop") +
                           " the oldest global expression " + Quoted(dropped) +
                           " (a project keeps ten)");
  }
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

int RunRemoveGlobal(ProjectStore& store, const ProjectOptions& options) {
  const StoreChange change = store.RemoveGlobal(options.first);
  Said said;
  if (change.result != S_OK) {
    said.ok = false;
    said.lines.push_back("Nothing removed: the expression is empty");
  } else if (!change.changed) {
    said.lines.push_back("No expression is " + Quoted(options.first) + "; nothing removed");
  } else if (!Failed(change, "Nothing written: ", said)) {
    said.lines.push_back(
        Verb(options, "Removed ", "Would remove ") +
        Count(change.globals.size(), "global expression", "global expressions") +
        Verb(options, " and cleared ", " and clear ") + Count(change.targets.size(), "target", "targets"));
    NoteEmptied(change, options, said);
  }
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

int RunRenameTag(ProjectStore& store, const ProjectOptions& options) {
  const StoreChange change = store.RenameTag(options.first, options.second);
  Said said;
  if (!change.changed) {
    said.lines.push_back("No expression uses " + options.first + "; nothing changed");
  } else if (!Failed(change, "Nothing written: ", said)) {
    said.lines.push_back(Count(change.targets.size(), "target", "targets") + " and " +
                         Count(change.globals.size(), "global expression", "global expressions") +
                         Verb(options, " now use ", " would use ") + options.second);
  }
  if (said.ok) NoteOtherCase(change, "Not renamed", said);
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

int RunDeleteTag(ProjectStore& store, const ProjectOptions& options) {
  const StoreChange change = store.DeleteTag(options.first);
  Said said;
  if (!change.changed) {
    said.lines.push_back("No expression uses " + options.first + "; nothing changed");
  } else if (!Failed(change, "Nothing written: ", said)) {
    said.lines.push_back(Verb(options, "Cleared ", "Would clear ") +
                         Count(change.targets.size(), "target", "targets") +
                         Verb(options, " and removed ", " and remove ") +
                         Count(change.globals.size(), "global expression", "global expressions") +
                         " that used " + options.first);
    NoteEmptied(change, options, said);
  }
  if (said.ok) NoteOtherCase(change, "Not deleted", said);
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

int RunSetTarget(ProjectStore& store, const ProjectOptions& options) {
  const std::string& target = options.first;
  Said said;
  if (!CheckSyntax(options.second, options, "Not set: ", said)) return Finish(options, StoreChange{}, said);
  const StoreChange change = store.SetTarget(target, options.second);
  if (!Failed(change, change.result == S_OK ? "Nothing written: " : "Not set: ", said)) {
    said.lines.push_back(change.changed
                             ? Verb(options, "Set", "Would set") + " the expression of target " + target
                             : "Target " + target + " already has that expression; nothing changed");
  }
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

int RunRemoveTarget(ProjectStore& store, const ProjectOptions& options) {
  const std::string& target = options.first;
  const StoreChange change = store.RemoveTarget(target);
  Said said;
  if (!Failed(change, change.result == S_OK ? "Nothing written: " : "Not removed: ", said)) {
    said.lines.push_back(change.changed ? Verb(options, "Removed", "Would remove") +
                                              " the expression of target " + target +
                                              " (it keeps all content without one)"
                                        : "Target " + target + " has no expression; nothing changed");
  }
  NoteForce(store, options, said);
  return Finish(options, change, said);
}

using Runner = int (*)(ProjectStore&, const ProjectOptions&);

// Runs one subcommand on the project file's store; a command that changes
// nothing never opens the file for writing.
void OnStore(CLI::App* command, std::shared_ptr<ProjectOptions> options, Outcome& outcome,
             bool changes, Runner run) {
  command->callback([options, &outcome, changes, run] {
    ProjectStore store(options->file, StoreOptions{changes, options->force, options->dryRun});
    if (store.problem().empty()) {
      outcome.exitCode = run(store, *options);
      return;
    }
    outcome.exitCode = kExitFailed;
    Said said{false, {store.problem()}, {}};
    if (options->json) {
      StoreChange nothing;
      nothing.result = E_FAIL;
      Report(*options, nothing, said);
    } else {
      std::cerr << "buildtags: " << Utf8Text(store.problem()) << '\n';
    }
  });
}

}  // namespace

void AddProjectCommand(CLI::App& app, Outcome& outcome) {
  auto* project = app.add_subcommand(
      "project", "Show and change the build tag expressions stored in a project file");
  auto options = std::make_shared<ProjectOptions>();
  project->add_option("FILE", options->file, "project expression file (INI)")->required();
  project->add_flag("--json", options->json, "print results as JSON");
  project->add_flag("--dry-run", options->dryRun, "show what a change would do, write nothing");
  project->add_flag("--force", options->force,
                    "make a file without write permission writable before changing it");
  project->add_flag("--strict", options->strict,
                    "refuse to store an expression that is not valid (add-global, set-target)");
  project->require_subcommand(1);
  project->fallthrough();

  OnStore(project->add_subcommand("list", "Targets with their expressions, global expressions with their stamps"),
          options, outcome, false, RunList);
  auto* add = project->add_subcommand("add-global", "Save a global expression (ten at most are kept)");
  add->add_option("EXPR", options->first, "expression")->required();
  OnStore(add, options, outcome, true, RunAddGlobal);
  auto* remove = project->add_subcommand(
      "remove-global", "Remove a global expression and clear the targets that use exactly it");
  remove->add_option("EXPR", options->first, "expression")->required();
  OnStore(remove, options, outcome, true, RunRemoveGlobal);
  auto* rename = project->add_subcommand("rename-tag", "Rename a build tag in every stored expression");
  rename->add_option("OLD", options->first, "tag to rename")->required();
  rename->add_option("NEW", options->second, "new name")->required();
  OnStore(rename, options, outcome, true, RunRenameTag);
  auto* deleteTag = project->add_subcommand(
      "delete-tag", "Clear every target and drop every global expression that uses a tag");
  deleteTag->add_option("TAG", options->first, "tag to delete")->required();
  OnStore(deleteTag, options, outcome, true, RunDeleteTag);
  auto* setTarget = project->add_subcommand("set-target", "Set the expression of one target");
  setTarget->add_option("NAME", options->first, "target name")->required();
  setTarget->add_option("EXPR", options->second, "expression")->required();
  OnStore(setTarget, options, outcome, true, RunSetTarget);
  auto* removeTarget = project->add_subcommand(
      "remove-target", "Clear the expression of one target (it then keeps all content)");
  removeTarget->add_option("NAME", options->first, "target name")->required();
  OnStore(removeTarget, options, outcome, true, RunRemoveTarget);
}

}  // namespace bte::cli
