// `buildtags edit` in a pseudo-terminal: keys go in as a user types them,
// the dialog draws on the terminal, the result comes out on standard output.
// (The dialog needs a terminal, so this test starts the tool itself rather
// than through RunTool's pipes.)
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

struct TerminalRun {
  int exitCode = -1;
  std::string output;  // standard output
  std::string screen;  // everything drawn on the terminal
};

// Reads what the terminal shows until it has been quiet for a moment, so
// each key reaches a dialog that has finished with the one before.
void DrainUntilQuiet(int terminal, std::string& screen) {
  using Clock = std::chrono::steady_clock;
  const auto giveUp = Clock::now() + std::chrono::seconds(5);
  bool seenAny = false;
  while (Clock::now() < giveUp) {
    pollfd ready = {terminal, POLLIN, 0};
    if (poll(&ready, 1, seenAny ? 150 : 1000) <= 0) {
      if (seenAny) return;
      continue;
    }
    char buffer[4096];
    const ssize_t got = read(terminal, buffer, sizeof buffer);
    if (got <= 0) return;
    screen.append(buffer, static_cast<size_t>(got));
    seenAny = true;
  }
}

TerminalRun RunInTerminal(const std::vector<std::string>& args,
                          const std::vector<std::string>& keys) {
  TerminalRun run;
  int results[2];
  if (pipe(results) != 0) return run;
  winsize size = {24, 80, 0, 0};
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
  if (child == 0) {
    dup2(results[1], STDOUT_FILENO);
    close(results[0]);
    setenv("TERM", "xterm", 1);
    std::vector<char*> argv = {const_cast<char*>(bte::test::ToolPath()), const_cast<char*>("edit")};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(results[1]);
  for (const std::string& key : keys) {
    DrainUntilQuiet(terminal, run.screen);
    if (write(terminal, key.data(), key.size()) < 0) break;
  }
  DrainUntilQuiet(terminal, run.screen);
  int status = 0;
  pid_t ended = 0;
  for (int waited = 0; waited < 10 && ended == 0; ++waited) {
    ended = waitpid(child, &status, WNOHANG);
    if (ended == 0) DrainUntilQuiet(terminal, run.screen);
  }
  if (ended == 0) {  // a dialog still open: the keys did not close it
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  char buffer[4096];
  for (ssize_t got; (got = read(results[0], buffer, sizeof buffer)) > 0;)
    run.output.append(buffer, static_cast<size_t>(got));
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  close(results[0]);
  close(terminal);
  return run;
}

// Keys as an xterm sends them in keypad mode, which the dialog switches on.
const std::string kDown = "\x1bOB";
const std::string kEnd = "\x1bOF";
const std::string kBackspace = "\x7f";
const std::string kEscape = "\x1b";
std::string Alt(char letter) { return std::string("\x1b") + letter; }

struct TerminalCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> keys;
  int exitCode;
  const char* output;
  // Text the terminal must have shown (mnemonic letters come with their
  // underline codes, so the texts avoid them), or "".
  const char* shown;
};

void PrintTo(const TerminalCase& row, std::ostream* os) { *os << row.name; }

class EditInTerminal : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(EditInTerminal, KeysToResult) {
  const TerminalCase& row = GetParam();
  const TerminalRun run = RunInTerminal(row.args, row.keys);
  EXPECT_EQ(run.exitCode, row.exitCode);
  EXPECT_EQ(run.output, row.output);
  EXPECT_NE(run.screen.find(row.shown), std::string::npos) << run.screen;
}

const std::vector<std::string> kTags = {"--tags", "Print,Web,Beta"};

INSTANTIATE_TEST_SUITE_P(
    Buildtags, EditInTerminal,
    ::testing::ValuesIn(std::vector<TerminalCase>{
        {"BasicMoveAndOk",
         kTags,
         {kDown, kDown, " ", "\r"},
         0,
         "NOT Print\n",
         "Note: Untagged text is always included"},
        {"EscapeCancels", {"--tags", "Print", "--expr", "NOT Print"}, {kEscape}, 1, "", ""},
        {"TypingInAdvancedMode",
         {"--tags", "Print,Web,Beta", "--expr", "Print OR Web"},
         {kEnd, kBackspace, kBackspace, kBackspace, "Beta", "\r"},
         0,
         "Print OR Beta \n",
         "Tag Expression:"},
        {"MnemonicsInsertWords",
         kTags,
         {Alt('e'), Alt('n'), Alt('b'), kDown, " ", "\r"},
         0,
         "NOT Print \n",
         "[<< Bas"},
        {"MessageBoxThenCancel",
         {"--tags", "Print,Web", "--expr", "Print Web"},
         {"\r", "\r", kEscape},
         1,
         "",
         "and \"Web\" should be seperated"},
        {"HelpReachesTheHost", kTags, {"\x1bOP", "q", kEscape}, 1, "", "Press any key."},
    }),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
