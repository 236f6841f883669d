// The module's resources as Windows reads them: the script that windres
// decompiles out of a built buildtagexpr.dll (BTE_DECOMPILED_RESOURCES names
// it) against the rows of editor/resources.cpp. The style checks use what
// each control kind must be on Windows, not the script writer's mapping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "editor/resources.h"

namespace bte::editor {
namespace {

struct ReadControl {
  std::string className, text;
  uint32_t id = 0, style = 0;
  DialogUnitRect rect{};
};

struct ReadResources {
  uint32_t dialogId = 0, dialogStyle = 0;
  int width = 0, height = 0, fontSize = 0;
  std::string caption, fontName;
  std::vector<ReadControl> controls;
  std::map<uint32_t, std::string> strings;
};

// A statement's comma-separated fields: quoted strings ("" stands for a
// quote) and numbers, without the quotes.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' && quoted && i + 1 < text.size() && text[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (quoted || (c != ' ' && c != '\t' && c != '\r')) {
      fields.back() += c;
    }
  }
  return fields;
}

uint32_t Number(const std::string& field) { return std::stoul(field, nullptr, 0); }

DialogUnitRect Rect(const std::vector<std::string>& f, size_t at) {
  return {int(Number(f[at])), int(Number(f[at + 1])), int(Number(f[at + 2])),
          int(Number(f[at + 3]))};
}

// The class behind each statement windres writes, and whether it has a text.
struct Statement {
  const char* keyword;
  const char* className;
  bool hasText;
};
constexpr Statement kStatements[] = {
    {"GROUPBOX", "BUTTON", true},      {"LTEXT", "STATIC", true},
    {"PUSHBUTTON", "BUTTON", true},    {"DEFPUSHBUTTON", "BUTTON", true},
    {"LISTBOX", "LISTBOX", false},     {"EDITTEXT", "EDIT", false},
    {"COMBOBOX", "COMBOBOX", false},
};

// CONTROL "text", id, "class", style, x, y, w, h; the others:
// KEYWORD ["text",] id, x, y, w, h, style.
bool ParseControl(const std::string& keyword, const std::string& rest, ReadControl& control) {
  const std::vector<std::string> f = Fields(rest);
  if (keyword == "CONTROL") {
    if (f.size() < 8) return false;
    control = {f[2], f[0], Number(f[1]), Number(f[3]), Rect(f, 4)};
    return true;
  }
  for (const Statement& statement : kStatements) {
    if (keyword != statement.keyword) continue;
    const size_t at = statement.hasText ? 1 : 0;
    if (f.size() < at + 6) return false;
    control = {statement.className, statement.hasText ? f[0] : "", Number(f[at]),
               Number(f[at + 5]), Rect(f, at + 1)};
    return true;
  }
  return false;
}

ReadResources Parse(std::istream& in) {
  ReadResources read;
  enum { kOutside, kControls, kStrings } block = kOutside;
  bool inStringTable = false;
  std::string line;
  while (std::getline(in, line)) {
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    const std::string keyword = line.substr(start, line.find(' ', start) - start);
    const std::string rest = line.size() > start + keyword.size() ? line.substr(start + keyword.size()) : "";
    std::vector<std::string> f = Fields(rest);
    if (keyword == "BEGIN") {
      block = inStringTable ? kStrings : kControls;
    } else if (keyword == "END") {
      block = kOutside;
      inStringTable = false;
    } else if (keyword == "STRINGTABLE") {
      inStringTable = true;
    } else if (block == kStrings) {
      const std::vector<std::string> row = Fields(line);  // id, "text"
      EXPECT_EQ(row.size(), 2u) << line;
      if (row.size() == 2) read.strings[Number(row[0])] = row[1];
    } else if (block == kControls) {
      ReadControl control;
      EXPECT_TRUE(ParseControl(keyword, rest, control)) << line;
      read.controls.push_back(control);
    } else if (keyword == "CAPTION") {
      read.caption = f[0];
    } else if (keyword == "FONT" && f.size() >= 2) {
      read.fontSize = int(Number(f[0]));
      read.fontName = f[1];
    } else if (keyword == "STYLE") {
      read.dialogStyle = Number(f[0]);
    } else if (rest.find("DIALOGEX") != std::string::npos) {
      const std::vector<std::string> size = Fields(rest.substr(rest.find("DIALOGEX") + 8));
      read.dialogId = Number(keyword);
      read.width = int(Number(size.at(2)));
      read.height = int(Number(size.at(3)));
    }
  }
  return read;
}

// What a control of each kind must be on Windows: its class and the bits
// of its type field.
struct KindOnWindows {
  ControlKind kind;
  const char* className;
  uint32_t typeMask, typeBits;
  bool tabStop;
};
constexpr KindOnWindows kKinds[] = {
    {ControlKind::kGroupBox, "BUTTON", 0xF, 0x7, false},       // BS_GROUPBOX
    {ControlKind::kLabel, "STATIC", 0x1F, 0x0, false},         // SS_LEFT
    {ControlKind::kListBox, "LISTBOX", 0x0, 0x0, true},        //
    {ControlKind::kImageButton, "BUTTON", 0xF, 0xB, true},     // BS_OWNERDRAW
    {ControlKind::kButton, "BUTTON", 0xF, 0x0, true},          // BS_PUSHBUTTON
    {ControlKind::kDefaultButton, "BUTTON", 0xF, 0x1, true},   // BS_DEFPUSHBUTTON
    {ControlKind::kEditBox, "EDIT", 0x0, 0x0, true},           //
    {ControlKind::kDropDownList, "COMBOBOX", 0x3, 0x3, true},  // CBS_DROPDOWNLIST
};

// The Windows style bits behind each of our style flags, per kind.
struct FlagOnWindows {
  uint32_t flag;
  ControlKind kind;
  uint32_t bits;
};
constexpr FlagOnWindows kFlags[] = {
    {kSorted, ControlKind::kListBox, 0x2},         // LBS_SORT
    {kNotify, ControlKind::kListBox, 0x1},         // LBS_NOTIFY
    {kSorted, ControlKind::kDropDownList, 0x100},  // CBS_SORT
    {kMultiLine, ControlKind::kEditBox, 0x4},      // ES_MULTILINE
    {kWantReturn, ControlKind::kEditBox, 0x1000},  // ES_WANTRETURN
};

constexpr uint32_t kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr uint32_t kDisabled = 0x08000000;      // WS_DISABLED
constexpr uint32_t kTabStop = 0x00010000;       // WS_TABSTOP
// DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU
constexpr uint32_t kModalDialog = 0x80 | 0x40 | 0x80000000 | 0xC00000 | 0x80000;

class ModuleResources : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("BTE_DECOMPILED_RESOURCES");
    if (path == nullptr) GTEST_SKIP() << "BTE_DECOMPILED_RESOURCES is not set";
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    read_ = Parse(in);
  }
  ReadResources read_;
};

TEST_F(ModuleResources, DialogFrame) {
  const DialogTemplate& dialog = ExpressionDialogTemplate();
  EXPECT_EQ(read_.dialogId, dialog.id);
  EXPECT_EQ(read_.width, dialog.width);
  EXPECT_EQ(read_.height, dialog.height);
  EXPECT_EQ(read_.caption, dialog.caption);
  EXPECT_EQ(read_.fontName, dialog.fontName);
  EXPECT_EQ(read_.fontSize, dialog.fontPointSize);
  EXPECT_EQ(read_.dialogStyle & kModalDialog, kModalDialog);
}

TEST_F(ModuleResources, EveryControlInTabOrder) {
  const DialogTemplate& dialog = ExpressionDialogTemplate();
  ASSERT_EQ(read_.controls.size(), dialog.controlCount);
  for (size_t i = 0; i < dialog.controlCount; ++i) {
    const ControlTemplate& row = dialog.controls[i];
    const ReadControl& read = read_.controls[i];
    SCOPED_TRACE(row.id);
    EXPECT_EQ(read.id, row.id);
    EXPECT_EQ(read.text, row.text);
    EXPECT_EQ(std::make_tuple(read.rect.x, read.rect.y, read.rect.width, read.rect.height),
              std::make_tuple(row.rect.x, row.rect.y, row.rect.width, row.rect.height));
    for (const KindOnWindows& kind : kKinds) {
      if (kind.kind != row.kind) continue;
      EXPECT_STRCASEEQ(read.className.c_str(), kind.className);
      EXPECT_EQ(read.style & kind.typeMask, kind.typeBits);
      EXPECT_EQ((read.style & kTabStop) != 0, kind.tabStop);
    }
    for (const FlagOnWindows& flag : kFlags) {
      if (flag.kind != row.kind) continue;
      EXPECT_EQ((read.style & flag.bits) == flag.bits, (row.styles & flag.flag) != 0) << flag.bits;
    }
    EXPECT_EQ(read.style & kChildVisible, kChildVisible);
    EXPECT_EQ((read.style & kDisabled) != 0, (row.styles & kInitiallyDisabled) != 0);
  }
}

TEST_F(ModuleResources, EveryString) {
  std::map<uint32_t, std::string> expected;
  for (const StringResource& row : StringTable()) expected[row.id] = row.text;
  EXPECT_EQ(read_.strings, expected);
}

}  // namespace
}  // namespace bte::editor
