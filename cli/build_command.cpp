// `build`: one target's output folder from a help project, as a host builds it.
#include <iostream>

#include "cli/build_printing.h"
#include "cli/commands.h"
#include "cli/expression_warning.h"
#include "projectbuild/project_build.h"
#include "projectbuild/target_expression.h"

namespace bte::cli {
namespace {

using namespace projectbuild;

struct BuildOptions {
  std::string project, target, expression, source, output;
  bool expressionGiven = false;
  unsigned jobs = 0;
  bool quiet = false, json = false, keepTags = false, strict = false, clean = false;
};

// The expression to build with, or an exit code when there is none.
int ResolveExpression(const BuildOptions& options, std::string& expression) {
  if (options.expressionGiven) {
    expression = options.expression;
    return kExitOk;
  }
  const TargetLookup lookup = FindTargetExpression(options.project, options.target);
  if (!lookup.error.empty()) {
    std::cerr << "buildtags: " << options.project << ": " << lookup.error << '\n';
    return kExitFailed;
  }
  if (!lookup.expression) {
    std::cerr << "buildtags: " << options.project << " has no target \"" << options.target
              << "\"; its targets are:";
    for (const std::string& name : lookup.knownTargets) std::cerr << " \"" << name << '"';
    if (lookup.knownTargets.empty()) std::cerr << " (none)";
    std::cerr << '\n';
    return kExitUsage;
  }
  expression = *lookup.expression;
  return kExitOk;
}

int RunBuild(const BuildOptions& options) {
  BuildRequest request;
  request.source = options.source;
  request.output = options.output;
  request.target = options.expressionGiven ? std::string() : options.target;
  request.jobs = options.jobs;
  request.keepTags = options.keepTags;
  request.clean = options.clean;
  std::string error;
  if (!CheckBuildFolders(request, error)) {
    std::cerr << "buildtags: " << error << '\n';
    return kExitUsage;
  }
  if (const int status = ResolveExpression(options, request.expression); status != kExitOk)
    return status;
  if (!AcceptExpression(request.expression, options.strict,
                        request.target.empty() ? "" : "target " + request.target))
    return kExitUsage;
  if (!options.quiet && !options.json) request.progress = stderr;
  request.stop = &InterruptFlag();

  const BuildReport report = BuildProject(request);
  if (options.json)
    std::cout << FormatJson(report);
  else
    std::cout << FormatSummary(report);
  if (report.interrupted) return kExitFailed;
  return report.Totals().failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace

void AddBuildCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "build", "Build one target's output folder from a help project's source folder");
  auto options = std::make_shared<BuildOptions>();
  auto* project = command->add_option("--project", options->project, "project file (INI)");
  auto* target = command->add_option("--target", options->target, "target whose expression to use");
  auto* expression = command->add_option("-e,--expr,--expression", options->expression,
                                         "expression to use instead of a target");
  project->needs(target);
  target->needs(project);
  expression->excludes(project)->excludes(target);
  command->add_option("--jobs,-j", options->jobs, "files processed at once (default: cores)")
      ->check(CLI::Range(1u, 256u));
  command->add_flag("--quiet,-q", options->quiet, "no progress bar");
  command->add_flag("--json", options->json, "print the summary as JSON");
  command->add_flag("--strict", options->strict,
                    "refuse an expression with a syntax fault (exit 2) instead of keeping everything");
  command->add_flag("--clean", options->clean,
                    "delete the files an earlier build wrote in OUT that this one does not write "
                    "(never a file no build wrote, or one changed since)");
  command->add_flag("--keep-tags", options->keepTags,
                    "keep the build tags (data-buildtags, the buildtags meta) in output topics");
  command->add_option("SRC", options->source, "source folder")->required();
  command->add_option("OUT", options->output, "output folder")->required();
  command->callback([options, expression, &outcome] {
    options->expressionGiven = expression->count() > 0;
    if (!options->expressionGiven && options->project.empty())
      throw CLI::ValidationError("build", "give --project and --target, or --expr");
    outcome.exitCode = RunBuild(*options);
  });
}

}  // namespace bte::cli
