// The tool's subcommands. Each adds itself to the application and sets the
// process exit code through the callback it installs.
#ifndef BTE_CLI_COMMANDS_H
#define BTE_CLI_COMMANDS_H

#include <memory>

#include <CLI/CLI.hpp>

namespace bte::cli {

// Exit codes shared by all subcommands.
// 130: stopped by Ctrl-C (128 + SIGINT), as shells report it.
enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2, kExitInterrupted = 130 };

// Where a subcommand leaves its exit code.
struct Outcome {
  int exitCode = kExitOk;
  // What the command made and leaves to the process's end (a build's
  // reports); when set, the process ends without taking anything down.
  std::shared_ptr<const void> leftForExit;
};

void AddCheckCommand(CLI::App& app, Outcome& outcome);
void AddEvalCommand(CLI::App& app, Outcome& outcome);
void AddProjectCommand(CLI::App& app, Outcome& outcome);
void AddFilterRtfCommand(CLI::App& app, Outcome& outcome);
void AddRtfTagsCommand(CLI::App& app, Outcome& outcome);
void AddEditCommand(CLI::App& app, Outcome& outcome);
void AddFilterHtmlCommand(CLI::App& app, Outcome& outcome);
void AddBuildCommand(CLI::App& app, Outcome& outcome);
void AddScanCommand(CLI::App& app, Outcome& outcome);

}  // namespace bte::cli

#endif  // BTE_CLI_COMMANDS_H
