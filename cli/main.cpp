// buildtags: the command-line face of the buildtagexpr library.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/commands.h"

#ifndef BTE_VERSION
#define BTE_VERSION "unknown"
#endif

int main(int argc, char** argv) {
  CLI::App app{"buildtags: check, evaluate and apply build tag expressions"};
  app.set_version_flag("--version", "buildtags " BTE_VERSION);
  app.require_subcommand(1);

  bte::cli::Outcome outcome;
  bte::cli::AddCheckCommand(app, outcome);
  bte::cli::AddEvalCommand(app, outcome);
  bte::cli::AddProjectCommand(app, outcome);
  bte::cli::AddFilterRtfCommand(app, outcome);
  bte::cli::AddRtfTagsCommand(app, outcome);
  bte::cli::AddEditCommand(app, outcome);
  bte::cli::AddBuildCommand(app, outcome);
  bte::cli::AddScanCommand(app, outcome);
  bte::cli::AddFilterHtmlCommand(app, outcome);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return bte::cli::kExitUsage;
  }
#ifndef BTE_SANITIZED
  // A build leaves thousands of file results, remembered topics and folder
  // watches behind: taken down one by one they add milliseconds to the end
  // of every build, while the system takes a process's memory back at once.
  if (outcome.leftForExit) {
    std::cout.flush();
    std::fflush(nullptr);
    std::_Exit(outcome.exitCode);
  }
#endif
  return outcome.exitCode;
}
