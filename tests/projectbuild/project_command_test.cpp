// `project FILE ...` run as a script runs it, on one project file through a
// sequence of commands: messages, JSON, and the bytes, mode and time the
// file is left with.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "temp_folder.h"
#include "tool_run.h"

namespace bte::test {
namespace {

namespace fs = std::filesystem;

struct Step {
  std::vector<std::string> arguments;
  int exitCode;
  std::string expected;  // a part of standard output
};

const std::string kProject =
    "[Target:Web]\r\nBuildExpression=NOT Beta & Online\r\n"
    "[Target:Print]\r\nBuildExpression=Beta | NOT beta\r\n"
    "[Global Build Tag Expressions]\r\nExpr_2004:05:17:09:03:07=Online | Beta\r\n";

// Commands that change kProject, one of each.
const std::vector<std::vector<std::string>> kChanges = {
    {"add-global", "New"},      {"remove-global", "Online | Beta"}, {"rename-tag", "Beta", "X"},
    {"delete-tag", "Beta"},     {"set-target", "Help", "Online"},   {"remove-target", "Web"}};
// Those of them that change an empty store.
const std::vector<std::vector<std::string>> kAdditions = {kChanges[0], kChanges[4]};

// The file as a command may not change it: bytes, mode, owner and time.
struct FileState {
  std::optional<std::string> bytes;
  struct stat info {};
  bool operator==(const FileState& o) const {
    return bytes == o.bytes && info.st_mode == o.info.st_mode && info.st_uid == o.info.st_uid &&
           info.st_mtim.tv_sec == o.info.st_mtim.tv_sec && info.st_mtim.tv_nsec == o.info.st_mtim.tv_nsec;
  }
};

FileState StateOf(const std::string& path) {
  FileState state;
  state.bytes = fs::is_regular_file(path) ? ReadBytes(path) : std::nullopt;
  ::stat(path.c_str(), &state.info);
  return state;
}

mode_t ModeOf(const std::string& path) { return StateOf(path).info.st_mode & 07777; }

class ProjectCommand : public ::testing::Test {
 public:
  ToolRun Run(const std::string& file, const std::vector<std::string>& arguments,
              bool unprivileged = false) {
    std::vector<std::string> all{"project", file};
    all.insert(all.end(), arguments.begin(), arguments.end());
    ToolInput input;
    input.unprivileged = unprivileged;
    return RunTool(all, input);
  }
  // kProject in a new file, with this mode, dated in the past so that a
  // rewrite would show.
  std::string Project(const std::string& name, mode_t mode = 0644) {
    const std::string path = folder_.File(name);
    fs::remove(path);
    WriteBytes(path, kProject);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
    ::chmod(path.c_str(), mode);
    return path;
  }
  TempFolder folder_;
};

TEST_F(ProjectCommand, EachCommandSaysWhatChangedAndTouchesNoOtherLine) {
  const std::string file = folder_.File("project.ini");
  WriteBytes(file,
             "[Other]\r\nkeep = me\r\n\r\n"
             "[Target:Web]\r\nBuildExpression=Online & ~Print\r\n"
             "[Target:Help]\r\nBuildExpression=Online\r\n"
             "[Global Build Tag Expressions]\r\nExpr_2004:05:17:09:03:07=Online | Beta\r\n");
  const Step steps[] = {
      {{"list"}, 0, "  Help: Online\n"},
      {{"list"}, 0, "  2004:05:17:09:03:07  Online | Beta\n"},
      {{"rename-tag", "Online", "Web"}, 0, "2 targets and 1 global expression now use Web\n"},
      {{"rename-tag", "Online", "Web"}, 0, "No expression uses Online; nothing changed\n"},
      {{"add-global", "  A & B "}, 0, "Saved global expression \"A & B\"\n"},
      {{"add-global", "A & B"}, 1, "is empty or already stored"},
      {{"delete-tag", "Print"}, 0,
       "Cleared 1 target and removed 0 global expressions that used Print\n"
       "Left without an expression (keeping all content): Web\n"},
      {{"--json", "remove-global", "Web | Beta"}, 0, "\"globals\": [\n    \"Web | Beta\"\n  ]"},
      {{"set-target", "Print", "Web & ~Beta"}, 0, "Set the expression of target Print\n"},
      {{"remove-target", "Help"}, 0, "Removed the expression of target Help"},
      {{"--json", "list"}, 0, "\"target\": \"Print\""},
  };
  for (const Step& step : steps) {
    const ToolRun run = Run(file, step.arguments);
    EXPECT_EQ(run.exitCode, step.exitCode) << step.arguments[0] << run.err;
    EXPECT_NE(run.out.find(step.expected), std::string::npos) << run.out;
  }
  const std::string after = ReadBytes(file).value_or("");
  const std::string head =
      "[Other]\r\nkeep = me\r\n\r\n[Target:Web]\r\nBuildExpression=\r\n"
      "[Target:Help]\r\nBuildExpression=\r\n[Global Build Tag Expressions]\r\nExpr_";
  const std::string tail = "=A & B\r\n[Target:Print]\r\nBuildExpression=Web & ~Beta\r\n";
  EXPECT_EQ(after.substr(0, head.size()), head);
  EXPECT_EQ(after.substr(after.size() - std::min(after.size(), tail.size())), tail);
}

// Where the file cannot take a change, every changing command says why,
// exits 1 and leaves the file as it was: run as an unprivileged user, since
// root may write where others may not.
struct Unwritable {
  const char* name;
  std::function<std::string(ProjectCommand&, TempFolder&)> make;
  const char* reason;
  const std::vector<std::vector<std::string>>* commands = &kChanges;
};

void PrintTo(const Unwritable& setup, std::ostream* out) { *out << setup.name; }

class UnwritableProject : public ProjectCommand, public ::testing::WithParamInterface<Unwritable> {};

TEST_P(UnwritableProject, NoChangeIsReportedOrMade) {
  for (const auto& command : *GetParam().commands) {
    SCOPED_TRACE(command[0]);
    const std::string file = GetParam().make(*this, folder_);
    const FileState before = StateOf(file);
    const ToolRun run = Run(file, command, /*unprivileged=*/true);
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_NE((run.out + run.err).find(GetParam().reason), std::string::npos) << run.out << run.err;
    EXPECT_TRUE(StateOf(file) == before);
    const std::string locked = folder_.File("locked");
    if (fs::exists(locked)) fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(locked);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnwritableProject,
    ::testing::Values(
        Unwritable{"ReadOnlyFile", [](ProjectCommand& t, TempFolder&) { return t.Project("ro.ini", 0444); },
                   "is read-only"},
        Unwritable{"OwnersReadOnlyFile",
                   [](ProjectCommand& t, TempFolder&) {
                     const std::string file = t.Project("own.ini", 0444);
                     (void)!::chown(file.c_str(), UnprivilegedUser(), static_cast<gid_t>(-1));
                     return file;
                   },
                   "is read-only"},
        Unwritable{"FolderWithoutWrite",
                   [](ProjectCommand& t, TempFolder& folder) {
                     fs::create_directories(folder.File("locked"));
                     const std::string file = t.Project("locked/p.ini", 0666);
                     ::chmod(folder.File("locked").c_str(), 0555);
                     return file;
                   },
                   "Permission denied"},
        Unwritable{"Directory",
                   [](ProjectCommand&, TempFolder& folder) {
                     fs::create_directories(folder.File("locked/dir.ini"));
                     return folder.File("locked/dir.ini");
                   },
                   "Is a directory"},
        Unwritable{"MissingFolder",
                   [](ProjectCommand&, TempFolder& folder) { return folder.File("locked/no/x.ini"); },
                   "No such file or directory", &kAdditions}),
    [](const auto& info) { return std::string(info.param.name); });

// Root included: read-only is a promise to the tool's users, not a check
// the system makes for it.
TEST_F(ProjectCommand, ReadOnlyHoldsForEveryoneUnlessForced) {
  for (mode_t mode : {0444, 0400}) {
    const std::string file = Project("ro.ini", mode);
    const FileState before = StateOf(file);
    EXPECT_EQ(Run(file, {"list"}).exitCode, 0);
    EXPECT_EQ(Run(file, {"rename-tag", "Beta", "X"}).exitCode, 1);
    EXPECT_TRUE(StateOf(file) == before);
    const ToolRun forced = Run(file, {"--force", "rename-tag", "Beta", "X"});
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_NE(forced.out.find("writable (it had no write permission)"), std::string::npos);
    EXPECT_EQ(ModeOf(file), mode | S_IWUSR);
  }
}

TEST_F(ProjectCommand, AReplacedFileKeepsModeAndOwner) {
  for (mode_t mode : {0640, 0600, 0664}) {
    const std::string file = Project("p.ini", mode);
    (void)!::chown(file.c_str(), UnprivilegedUser(), static_cast<gid_t>(-1));
    EXPECT_EQ(Run(file, {"rename-tag", "Beta", "X"}).exitCode, 0);
    EXPECT_EQ(ModeOf(file), mode);
    EXPECT_EQ(StateOf(file).info.st_uid, UnprivilegedUser());
  }
}

// Commands that find nothing to change, and dry runs, leave the file as it
// was, to its time; a missing file stays missing.
TEST_F(ProjectCommand, NothingToChangeAndDryRunsTouchNothing) {
  const std::vector<std::vector<std::string>> idle = {
      {"list"},                     {"rename-tag", "Nope", "X"},  {"delete-tag", "Nope"},         {"remove-global", "Nope"},
      {"remove-target", "Nope"},    {"set-target", "Web", "NOT Beta & Online"}};
  const std::string file = Project("p.ini");
  const FileState before = StateOf(file);
  for (const auto& command : idle) {
    SCOPED_TRACE(command[0]);
    EXPECT_EQ(Run(file, command).exitCode, 0);
    if (command[0] != "set-target") {
      EXPECT_EQ(Run(folder_.File("missing.ini"), command).exitCode, 0);
    }
  }
  for (auto command : kChanges) {
    SCOPED_TRACE(command[0]);
    command.insert(command.begin(), {"--json", "--dry-run"});
    const ToolRun run = Run(file, command);
    EXPECT_EQ(run.exitCode, 0);
    const auto said = nlohmann::json::parse(run.out);
    EXPECT_TRUE(said["dryRun"]);
    EXPECT_FALSE(said["written"]);
    EXPECT_NE(said["message"].get<std::string>().find("ould "), std::string::npos);
  }
  EXPECT_TRUE(StateOf(file) == before);
  EXPECT_FALSE(fs::exists(folder_.File("missing.ini")));
}

TEST_F(ProjectCommand, TargetsAreSetAndRemovedInTheProjectFileFormat) {
  const std::string file = folder_.File("new.ini");
  EXPECT_EQ(Run(file, {"set-target", "Web", "  Online & ~Print "}).exitCode, 0);
  EXPECT_EQ(ReadBytes(file), "[Target:Web]\r\nBuildExpression=Online & ~Print\r\n");
  EXPECT_EQ(Run(file, {"remove-target", "Web"}).exitCode, 0);
  EXPECT_EQ(ReadBytes(file), "[Target:Web]\r\nBuildExpression=\r\n");
  const std::vector<std::vector<std::string>> refused = {
      {"set-target", "a]b", "A"}, {"set-target", "a;b", "A"}, {"set-target", " Web", "A"},
      {"set-target", "Web", " "}, {"set-target", "Web", std::string(260, 'x')},
      {"set-target", "Web", "*****"}, {"--strict", "set-target", "Web", "A &"}};
  for (const auto& command : refused) {
    const ToolRun run = Run(folder_.File("refused.ini"), command);
    EXPECT_EQ(run.exitCode, 1) << command[1];
    EXPECT_NE(run.out.find("Not set"), std::string::npos) << run.out;
  }
  EXPECT_FALSE(fs::exists(folder_.File("refused.ini")));
}

TEST_F(ProjectCommand, SaysWhatTheStoreDidBesideTheChange) {
  std::string globals = "[Global Build Tag Expressions]\r\n";
  for (int day = 1; day <= 10; ++day)
    globals += "Expr_2004:05:" + std::string(day < 10 ? "0" : "") + std::to_string(day) +
               ":00:00:00=E" + std::to_string(day) + "\r\n";
  const std::string file = folder_.File("p.ini");
  WriteBytes(file, kProject.substr(0, kProject.find("[Global")) + globals);
  const ToolRun added = Run(file, {"add-global", "A &"});
  EXPECT_NE(added.out.find("Dropped the oldest global expression \"E1\""), std::string::npos);
  EXPECT_NE(added.err.find("warning: \"A &\" is not a valid"), std::string::npos) << added.err;
  const ToolRun strict = Run(file, {"--strict", "add-global", "B |"});
  EXPECT_EQ(strict.exitCode, 1);
  const ToolRun renamed = Run(file, {"rename-tag", "Beta", "Preview"});
  EXPECT_NE(renamed.out.find("Not renamed (letter case differs): target Print \"Preview | NOT beta\""),
            std::string::npos) << renamed.out;
  const ToolRun deleted = Run(file, {"delete-tag", "Preview"});
  EXPECT_NE(deleted.out.find("Left without an expression (keeping all content): Web, Print"),
            std::string::npos) << deleted.out;
}

// Names and expressions are bytes: UTF-8 stays, any other byte is read as
// Windows-1252, and JSON is always valid.
TEST_F(ProjectCommand, AnyBytesComeOutAsUtf8) {
  const std::string file = folder_.File("p.ini");
  WriteBytes(file, "[Target:Druck\xFC]\r\nBuildExpression=Web & \x80\xC3\r\n"
                   "[Target:Stra\xC3\x9F" "e]\r\nBuildExpression=Web\r\n");
  const ToolRun listed = Run(file, {"--json", "list"});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  const auto json = nlohmann::json::parse(listed.out);
  EXPECT_EQ(json["targets"][0]["target"], "Druck\u00FC");
  EXPECT_EQ(json["targets"][0]["expression"], "Web & \u20AC\u00C3");
  EXPECT_EQ(json["targets"][1]["target"], "Stra\u00DFe");
  const ToolRun renamed = Run(file, {"--json", "rename-tag", "Web", "Online"});
  EXPECT_EQ(renamed.exitCode, 0);
  nlohmann::json parsed;
  EXPECT_NO_THROW(parsed = nlohmann::json::parse(renamed.out));
  EXPECT_NE(Run(file, {"list"}).out.find("  Druck\u00FC: Online & \u20AC\u00C3\n"), std::string::npos);
}

}  // namespace
}  // namespace bte::test
