// Every `project` command of the tool on a project file of arbitrary bytes,
// with names and expressions cut from the same bytes. Checks that no
// command throws or aborts, that plain output is valid UTF-8 and JSON output
// parses, and that a dry run, a refused change or a failed one leaves the
// file's bytes as they were.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "fuzz_support.h"
#include "tests/support/temp_folder.h"

namespace {

// A folder for the file; in memory where there is one, since commands that
// write flush to the disk.
const std::string& Folder() {
  static const std::string folder = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    setenv("TMPDIR", base, 1);
    std::string pattern = std::string(base) + "/project-fuzz-XXXXXX";
    Require(mkdtemp(pattern.data()) != nullptr);
    return pattern;
  }();
  return folder;
}

void RemoveFolder() {
  unlink((Folder() + "/project.ini").c_str());
  rmdir(Folder().c_str());
}

// A word for the command line: never empty, never an option, no NUL.
std::string Word(std::string_view bytes, size_t at, size_t length, const char* fallback) {
  std::string word(bytes.substr(std::min(at, bytes.size()), length));
  word.erase(std::remove(word.begin(), word.end(), '\0'), word.end());
  return word.empty() || word[0] == '-' ? fallback + word : word;
}

struct Output {
  int exitCode;
  std::string out, err;
};

Output RunProject(const std::vector<std::string>& arguments) {
  CLI::App app;
  bte::cli::Outcome outcome;
  bte::cli::AddProjectCommand(app, outcome);
  std::vector<const char*> argv{"buildtags"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  std::ostringstream out, err;
  std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
  std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError&) {
    outcome.exitCode = bte::cli::kExitUsage;
  }
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  return {outcome.exitCode, out.str(), err.str()};
}

bool IsUtf8(const std::string& text) {
  try {
    (void)nlohmann::json(text).dump();
    return true;
  } catch (const nlohmann::json::exception&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string file = Folder() + "/project.ini";
  // After Folder() made its string, so that the string outlives the call.
  static const int registered = std::atexit(RemoveFolder);
  (void)registered;
  const std::string tag = Word(bytes, size / 3, 6, "T");
  const std::string name = Word(bytes, size / 2, 8, "N");
  const std::string expression = Word(bytes, size / 4, 12, "E");
  const std::vector<std::vector<std::string>> commands = {
      {"list"},
      {"add-global", expression},
      {"remove-global", expression},
      {"rename-tag", tag, name},
      {"delete-tag", tag},
      {"set-target", name, expression},
      {"remove-target", name}};
  for (const auto& command : commands) {
    for (const char* mode : {"--json", "--dry-run", "--strict"}) {
      WriteBytes(file, std::string(bytes));
      std::vector<std::string> arguments{"project", file, mode};
      arguments.insert(arguments.end(), command.begin(), command.end());
      const Output run = RunProject(arguments);
      Require(run.exitCode == 0 || run.exitCode == 1);
      Require(IsUtf8(run.out) && IsUtf8(run.err));
      if (mode == std::string_view("--json")) (void)nlohmann::json::parse(run.out);
      if (mode == std::string_view("--dry-run") || run.exitCode != 0)
        Require(ReadBytes(file).value_or("") == bytes);
    }
  }
  return 0;
}
