// Runs the buildtags tool as a test's user would, without a shell between:
// the arguments reach it as given, standard input comes from a string, and
// standard output and error come back apart.
#ifndef BTE_TESTS_SUPPORT_TOOL_RUN_H
#define BTE_TESTS_SUPPORT_TOOL_RUN_H

#include <string>
#include <vector>

namespace bte::test {

struct ToolRun {
  int exitCode = -1;  // -1 when the tool did not exit by itself
  std::string out;    // standard output
  std::string err;    // standard error
};

struct ToolInput {
  std::string standardInput;
  // Ctrl-C (SIGINT) reaches the tool as soon as this folder holds an entry
  // (looked at every millisecond), however busy the machine.
  std::string interruptOnceEntryIn;
  // Run as an unprivileged user: "nobody" when the test runs as root (as
  // CI does), else the test's own user.
  bool unprivileged = false;
};

// The user an unprivileged run runs as.
unsigned UnprivilegedUser();

ToolRun RunTool(const std::vector<std::string>& arguments, const ToolInput& input = {});

// Where the tool under test lies.
const char* ToolPath();

}  // namespace bte::test

#endif  // BTE_TESTS_SUPPORT_TOOL_RUN_H
