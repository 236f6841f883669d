// `build`: one or several targets' output folders from a help project, as a
// host builds them.
#include <algorithm>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/build_printing.h"
#include "cli/commands.h"
#include "cli/expression_warning.h"
#include "cli/report_page.h"
#include "projectbuild/output_file.h"
#include "projectbuild/project_build.h"
#include "projectbuild/target_expression.h"
#include "projectbuild/target_folders.h"

namespace bte::cli {
namespace {

using namespace projectbuild;

struct BuildOptions {
  std::string project, expression, source, output, reportPage;
  std::vector<std::string> targets;
  bool expressionGiven = false, allTargets = false;
  unsigned jobs = 0;
  bool quiet = false, json = false, keepTags = false, strict = false, clean = false;
  bool dryRun = false, review = false;
};

struct TargetToBuild {
  std::string name;  // empty when an expression was given
  std::string expression;
};

// The expression of each target to build, or an exit code when one is
// missing: then nothing is built.
int ResolveTargets(const BuildOptions& options, std::vector<TargetToBuild>& targets) {
  if (options.expressionGiven) {
    targets.push_back({"", options.expression});
    return kExitOk;
  }
  std::vector<std::string> names = options.targets;
  if (options.allTargets) {
    names = FindTargetExpression(options.project, "").knownTargets;
    if (names.empty()) names.push_back("");  // reported below, with the reason
  }
  for (const std::string& name : names) {
    const TargetLookup lookup = FindTargetExpression(options.project, name);
    if (!lookup.error.empty()) {
      std::cerr << "buildtags: " << options.project << ": " << lookup.error << '\n';
      return kExitFailed;
    }
    if (!lookup.expression) {
      std::cerr << "buildtags: " << options.project << " has no target \"" << name
                << "\"; its targets are:";
      for (const std::string& known : lookup.knownTargets) std::cerr << " \"" << known << '"';
      if (lookup.knownTargets.empty()) std::cerr << " (none)";
      std::cerr << '\n';
      return kExitUsage;
    }
    targets.push_back({name, *lookup.expression});
  }
  return kExitOk;
}

BuildRequest RequestFor(const BuildOptions& options, const TargetToBuild& target,
                        const std::string& folder) {
  BuildRequest request;
  request.source = options.source;
  request.output = folder.empty() ? std::filesystem::path(options.output)
                                  : std::filesystem::path(options.output) / folder;
  request.target = target.name;
  request.expression = target.expression;
  request.jobs = options.jobs;
  request.keepTags = options.keepTags;
  request.clean = options.clean;
  request.dryRun = options.dryRun;
  request.review = options.review;
  request.excerpts = !options.reportPage.empty();
  if (!options.quiet && !options.json) request.progress = stderr;
  request.stop = &InterruptFlag();
  return request;
}

// Whether every target's folders are fit for a build, each fault told once.
bool CheckFolders(const BuildOptions& options, const std::vector<TargetToBuild>& targets,
                  const std::vector<std::string>& subfolders) {
  for (size_t i = 0; i < targets.size(); ++i) {
    std::string error;
    if (!CheckBuildFolders(RequestFor(options, targets[i], subfolders[i]), error)) {
      std::cerr << "buildtags: " << error << '\n';
      return false;
    }
  }
  return true;
}

// The report page must not land in the source folder, where the next
// build would take it for part of the project.
bool CheckReportPage(const BuildOptions& options) {
  if (options.reportPage.empty()) return true;
  std::error_code code;
  const std::filesystem::path source = std::filesystem::canonical(options.source, code);
  const std::filesystem::path page = std::filesystem::weakly_canonical(options.reportPage, code);
  const auto [sourceEnd, pageAt] = std::mismatch(source.begin(), source.end(), page.begin(), page.end());
  if (!code && sourceEnd != source.end()) return true;
  std::cerr << "buildtags: the report page " << options.reportPage
            << " must not lie inside the source folder\n";
  return false;
}

// Written whatever the builds' outcome: it says what happened.
int WriteReportPage(const BuildOptions& options, const std::vector<BuildReport>& reports,
                    const std::vector<std::string>& subfolders) {
  std::vector<ReportedTarget> targets;
  for (size_t i = 0; i < reports.size(); ++i)
    targets.push_back({&reports[i], std::filesystem::path(options.output) / subfolders[i]});
  const std::filesystem::path page(options.reportPage);
  std::error_code code;
  const std::filesystem::path folder =
      std::filesystem::absolute(page, code).parent_path().lexically_normal();
  std::string error;
  if (!WriteFileAtomically(page, FormatReportPage(targets, folder), error)) {
    std::cerr << "buildtags: cannot write the report page " << options.reportPage << ": " << error
              << '\n';
    return kExitFailed;
  }
  if (!options.json) std::cout << "report: " << options.reportPage << '\n';
  return kExitOk;
}

int RunBuild(const BuildOptions& options, std::vector<BuildReport>& reports) {
  BuildRequest folders;
  folders.source = options.source;
  folders.output = options.output;
  folders.review = options.review;
  std::string error;
  if (!CheckBuildFolders(folders, error)) {
    std::cerr << "buildtags: " << error << '\n';
    return kExitUsage;
  }
  if (!CheckReportPage(options)) return kExitUsage;
  std::vector<TargetToBuild> targets;
  if (const int status = ResolveTargets(options, targets); status != kExitOk) return status;
  bool accepted = true;
  for (const TargetToBuild& target : targets)
    accepted = AcceptExpression(target.expression, options.strict,
                                target.name.empty() ? "" : "target " + target.name) && accepted;
  if (!accepted) return kExitUsage;

  // Several targets go to folders of OUT, one target to OUT itself.
  std::vector<std::string> names;
  for (const TargetToBuild& target : targets) names.push_back(target.name);
  const bool several = options.allTargets || targets.size() > 1;
  const std::vector<std::string> subfolders =
      several ? TargetFolderNames(names) : std::vector<std::string>(1);
  if (several && !CheckFolders(options, targets, subfolders)) return kExitUsage;
  PrepareProcessForBuilds();
  int exitCode = kExitOk;
  for (size_t i = 0; i < targets.size(); ++i) {
    reports.push_back(BuildProject(RequestFor(options, targets[i], subfolders[i])));
    const BuildReport& report = reports.back();
    if (!options.json) std::cout << FormatSummary(report, options.quiet) << std::flush;
    if (report.Totals().failed != 0) exitCode = kExitFailed;
    if (report.interrupted) {
      exitCode = kExitInterrupted;
      break;
    }
  }
  if (options.json) std::cout << (several ? FormatJson(reports) : FormatJson(reports.front()));
  if (!options.reportPage.empty() && WriteReportPage(options, reports, subfolders) != kExitOk &&
      exitCode == kExitOk)
    exitCode = kExitFailed;
  return exitCode;
}

}  // namespace

void AddBuildCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "build", "Build targets' output folders from a help project's source folder");
  auto options = std::make_shared<BuildOptions>();
  auto* project = command->add_option("--project", options->project, "project file (INI)");
  auto* target = command->add_option("--target", options->targets,
                                     "target whose expression to use; give it again for "
                                     "several targets (each goes to OUT/<target>)")
                     ->expected(1)
                     ->allow_extra_args(false)
                     ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  auto* allTargets = command->add_flag("--all-targets", options->allTargets,
                                       "build every target of the project, each to OUT/<target>");
  auto* expression = command->add_option("-e,--expr,--expression", options->expression,
                                         "expression to use instead of a target");
  target->needs(project)->excludes(allTargets);
  allTargets->needs(project);
  expression->excludes(project)->excludes(target)->excludes(allTargets);
  command->add_option("--jobs,-j", options->jobs, "files processed at once (default: cores)")
      ->check(CLI::Range(1u, 256u));
  command->add_flag("--quiet,-q", options->quiet,
                    "no progress bar, and no line per topic left out or per entry and link "
                    "removed (failures and the summary stay)");
  command->add_flag("--json", options->json, "print the summary as JSON");
  command->add_flag("--strict", options->strict,
                    "refuse an expression with a syntax fault (exit 2) instead of keeping everything");
  command->add_flag("--clean", options->clean,
                    "delete the files an earlier build wrote in OUT that this one does not write "
                    "(never a file no build wrote, or one changed since)");
  command->add_flag("--dry-run", options->dryRun,
                    "report everything the build would do (with --clean, what it would delete); "
                    "write and delete nothing");
  command->add_flag("--review", options->review,
                    "write a review copy into OUT instead of a build: nothing removed, excluded "
                    "content struck through or highlighted, left-out topics with a banner, links "
                    "a build removes marked (never publish it; OUT must hold no build)");
  command->add_option("--report", options->reportPage,
                      "also write a report page (one self-contained HTML file): counts, a chart, "
                      "topics left out, passages, links and entries removed, stale and failed "
                      "files; file names open the review copy when there is one");
  command->add_flag("--keep-tags", options->keepTags,
                    "keep the build tags (data-buildtags, the buildtags meta) in output topics");
  command->add_option("SRC", options->source, "source folder")->required();
  command->add_option("OUT", options->output, "output folder")->required();
  command->callback([options, expression, &outcome] {
    options->expressionGiven = expression->count() > 0;
    if (!options->expressionGiven && (options->project.empty() ||
                                      (options->targets.empty() && !options->allTargets)))
      throw CLI::ValidationError("build", "give --project with --target or --all-targets, or --expr");
    auto reports = std::make_shared<std::vector<BuildReport>>();
    outcome.exitCode = RunBuild(*options, *reports);
    outcome.leftForExit = std::move(reports);
  });
}

}  // namespace bte::cli
