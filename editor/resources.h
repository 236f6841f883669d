// The expression dialog's resources as data: its template (controls with
// ids, kinds, texts, dialog-unit rectangles and styles) and the module's
// string table. Every front end reads them from here, and a Windows build
// generates its resource script from the same rows (WriteResourceScript).
#ifndef BTE_EDITOR_RESOURCES_H
#define BTE_EDITOR_RESOURCES_H

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace bte::editor {

// Control ids of dialog template kDialogId (which doubles as help context).
namespace control {
constexpr uint32_t kOk = 1;
constexpr uint32_t kCancel = 2;
constexpr uint32_t kTagChooserLabel = 15301;
constexpr uint32_t kTagChooser = 15302;
constexpr uint32_t kExpressionEdit = 15303;
constexpr uint32_t kAnd = 15304;
constexpr uint32_t kOr = 15305;
constexpr uint32_t kNot = 15306;
constexpr uint32_t kAddTag = 15307;
constexpr uint32_t kHelp = 15308;
constexpr uint32_t kClear = 15309;
constexpr uint32_t kModeToggle = 15310;
constexpr uint32_t kExpressionLabel = 15311;
constexpr uint32_t kAdvancedGroup = 15322;
constexpr uint32_t kBasicGroup = 15323;
constexpr uint32_t kAvailableList = 15324;
constexpr uint32_t kAvailableLabel = 15325;
constexpr uint32_t kExcludedLabel = 15326;
constexpr uint32_t kExcludedList = 15327;
constexpr uint32_t kExclude = 15328;
constexpr uint32_t kInclude = 15329;
constexpr uint32_t kExcludeAll = 15330;
constexpr uint32_t kIncludeAll = 15331;
constexpr uint32_t kNote = 15332;
}  // namespace control

constexpr uint32_t kDialogId = 15321;

// String table ids (a namespace of their own: they overlap control ids).
namespace text {
constexpr uint32_t kNoExpression = 15312;
constexpr uint32_t kInvalidString = 15313;
constexpr uint32_t kFirstOperatorNotNot = 15314;
constexpr uint32_t kLastNotTag = 15315;
constexpr uint32_t kTagsNotSeparated = 15316;
constexpr uint32_t kNotMisused = 15317;
constexpr uint32_t kSecondTagMisplaced = 15318;
constexpr uint32_t kOperatorMisused = 15319;
constexpr uint32_t kTipExclude = 15320;
constexpr uint32_t kTipExcludeAll = 15321;
constexpr uint32_t kTipInclude = 15322;
constexpr uint32_t kTipIncludeAll = 15323;
constexpr uint32_t kMessageCaption = 15324;
}  // namespace text

enum class ControlKind {
  kGroupBox,
  kLabel,
  kListBox,
  kImageButton,
  kButton,
  kDefaultButton,
  kEditBox,
  kDropDownList,
};

// Style bits of a control row.
enum ControlStyle : uint32_t {
  kStyleNone = 0,
  kSorted = 1u << 0,             // list entries are kept in sorted order
  kNotify = 1u << 1,             // list reports selection changes and double clicks
  kInitiallyDisabled = 1u << 2,  //
  kMultiLine = 1u << 3,          // edit box
  kWantReturn = 1u << 4,         // Enter goes into the edit box, not to OK
};

struct DialogUnitRect {
  int x, y, width, height;
};

struct ControlTemplate {
  uint32_t id;
  ControlKind kind;
  const char* text;
  DialogUnitRect rect;
  uint32_t styles;
  // Stock picture of an image button (0 for others) and its drawing flags.
  int stockImage;
};

struct DialogTemplate {
  uint32_t id;
  const char* caption;
  int width, height;  // dialog units
  const char* fontName;
  int fontPointSize;
  const ControlTemplate* controls;  // in tab order
  size_t controlCount;
};

constexpr uint32_t kStockImageFlags = 0x102;

// The toggle reads the template's text in Basic mode and this in Advanced.
constexpr const char* kToggleTextAdvancedMode = "<< Bas&ic";

const DialogTemplate& ExpressionDialogTemplate();
// Null when the template has no control with that id.
const ControlTemplate* FindControlTemplate(uint32_t id);

struct StringResource {
  uint32_t id;
  const char* text;
};
const std::vector<StringResource>& StringTable();
// The table entry, or "" when there is none.
std::string_view LoadResourceString(uint32_t id);
// The entry with each "%s" replaced by the next argument (missing ones by
// ""); arguments are inserted verbatim, never expanded again.
std::string FormatResourceString(uint32_t id, const std::vector<std::string>& args);

// The dialog and string table as a Windows resource script.
void WriteResourceScript(std::ostream& out);

}  // namespace bte::editor

#endif  // BTE_EDITOR_RESOURCES_H
