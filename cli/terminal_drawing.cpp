// Drawing the dialog's controls from their headless state. Disabled
// controls are dim, the focused one is in reverse video, mnemonic letters
// ("&x" in a control's text) are underlined.
#include <curses.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/terminal_dialog.h"
#include "cli/terminal_layout.h"

namespace bte::cli {
namespace {

using editor::ControlKind;
using editor::HeadlessControls;

// Text with its mnemonic marker drawn as an underline, cut to width.
void DrawLabel(int row, int column, std::string_view text, int width, attr_t attributes) {
  move(row, column);
  int used = 0;
  for (size_t i = 0; i < text.size() && used < width; ++i, ++used) {
    attr_t extra = A_NORMAL;
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&') extra = A_UNDERLINE;
    }
    addch(static_cast<unsigned char>(text[i]) | attributes | extra);
  }
}

void DrawPadded(int row, int column, std::string_view text, int width, attr_t attributes) {
  std::string padded(text.substr(0, static_cast<size_t>(width)));
  padded.resize(static_cast<size_t>(width), ' ');
  attron(attributes);
  mvaddstr(row, column, padded.c_str());
  attroff(attributes);
}

void DrawGroupBox(const CellRect& cell, std::string_view title, attr_t attributes) {
  const int bottom = cell.row + cell.height - 1;
  const int right = cell.column + cell.width - 1;
  // Plain ASCII: line-drawing characters depend on the terminal's locale.
  attron(attributes);
  mvhline(cell.row, cell.column, '-', cell.width);
  mvhline(bottom, cell.column, '-', cell.width);
  mvvline(cell.row, cell.column, '|', cell.height);
  mvvline(cell.row, right, '|', cell.height);
  for (int row : {cell.row, bottom})
    for (int column : {cell.column, right}) mvaddch(row, column, '+');
  attroff(attributes);
  DrawLabel(cell.row, cell.column + 2, std::string(" ") + std::string(title) + " ", cell.width - 4,
            attributes | A_BOLD);
}

// Word-wrapped label over the rows of its cell.
void DrawWrapped(const CellRect& cell, std::string_view text, attr_t attributes) {
  for (int row = 0; row < cell.height && !text.empty(); ++row) {
    size_t take = text.size();
    if (take > static_cast<size_t>(cell.width)) {
      take = text.rfind(' ', static_cast<size_t>(cell.width));
      if (take == std::string_view::npos || take == 0) take = static_cast<size_t>(cell.width);
    }
    DrawLabel(cell.row + row, cell.column, text.substr(0, take), cell.width, attributes);
    text = text.substr(take);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  }
}

void DrawButton(const HeadlessControls& controls, uint32_t id, const CellRect& cell,
                attr_t attributes) {
  const char* glyph = GlyphOfStockImage(controls.StockImage(id));
  std::string text = glyph != nullptr ? glyph : controls.Text(id);
  const bool isDefault = editor::FindControlTemplate(id)->kind == ControlKind::kDefaultButton;
  DrawPadded(cell.row, cell.column, "", cell.width, attributes);
  DrawLabel(cell.row, cell.column, isDefault ? "<" + text + ">" : "[" + text + "]", cell.width,
            attributes);
}

void DrawList(const HeadlessControls& controls, uint32_t id, const CellRect& cell,
              attr_t attributes, bool focused) {
  const std::vector<std::string> entries = controls.Entries(id);
  const int selected = controls.Selection(id);
  const int first = selected >= cell.height ? selected - cell.height + 1 : 0;
  for (int row = 0; row < cell.height; ++row) {
    const int index = first + row;
    const bool exists = index < static_cast<int>(entries.size());
    attr_t rowAttributes = attributes | A_UNDERLINE;
    if (index == selected) rowAttributes |= focused ? A_REVERSE : A_BOLD;
    const std::string text = exists ? (index == selected ? "> " : "  ") + entries[index] : "";
    DrawPadded(cell.row + row, cell.column, text, cell.width, rowAttributes);
  }
}

// The visible part of a one-line edit box keeps the caret in view; answers
// the caret's column.
int DrawEdit(const HeadlessControls& controls, uint32_t id, const CellRect& cell,
             attr_t attributes) {
  const std::string text = controls.Text(id);
  const editor::TextRange selection = controls.EditSelection(id);
  const int inner = cell.width - 2;
  const size_t caret = selection.end;
  const size_t first = caret >= static_cast<size_t>(inner) ? caret - inner + 1 : 0;
  mvaddch(cell.row, cell.column, '[' | attributes);
  for (int i = 0; i < inner; ++i) {
    const size_t at = first + static_cast<size_t>(i);
    const char c = at < text.size() ? text[at] : ' ';
    const bool selected = at >= selection.start && at < selection.end;
    const unsigned char shown = (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    addch(shown | attributes | A_UNDERLINE | (selected ? A_REVERSE : A_NORMAL));
  }
  addch(']' | attributes);
  return cell.column + 1 + static_cast<int>(caret - first);
}

void DrawChooser(const HeadlessControls& controls, uint32_t id, const CellRect& cell,
                 attr_t attributes) {
  std::string text = "[" + controls.Text(id);
  text.resize(static_cast<size_t>(cell.width - 4), ' ');
  DrawPadded(cell.row, cell.column, text + " v ]", cell.width, attributes);
}

const char* const kKeyHints = "Tab next  Space act  Enter OK  Alt+letter  F1 help  Esc cancel";

}  // namespace

void TerminalDialogRunner::Draw() {
  const HeadlessControls& controls = *controls_;
  const editor::DialogTemplate& dialog = controls.dialog();
  erase();
  mvaddstr(0, 0, (std::string(" ") + dialog.caption + " ").c_str());
  mvchgat(0, 0, -1, A_REVERSE, 0, nullptr);
  int caretRow = -1, caretColumn = -1;
  for (size_t i = 0; i < dialog.controlCount; ++i) {
    const editor::ControlTemplate& row = dialog.controls[i];
    const CellRect* cell = CellOf(row.id);
    if (cell == nullptr || !controls.IsVisible(row.id)) continue;
    const bool focused = controls.FocusedControl() == row.id;
    attr_t attributes = controls.IsEnabled(row.id) ? A_NORMAL : A_DIM;
    switch (row.kind) {
      case ControlKind::kGroupBox: DrawGroupBox(*cell, controls.Text(row.id), attributes); break;
      case ControlKind::kLabel: DrawWrapped(*cell, controls.Text(row.id), attributes); break;
      case ControlKind::kListBox: DrawList(controls, row.id, *cell, attributes, focused); break;
      case ControlKind::kEditBox:
        caretColumn = DrawEdit(controls, row.id, *cell, attributes);
        if (focused) caretRow = cell->row;
        break;
      case ControlKind::kDropDownList:
        DrawChooser(controls, row.id, *cell, attributes | (focused ? A_REVERSE : A_NORMAL));
        break;
      default: DrawButton(controls, row.id, *cell, attributes | (focused ? A_REVERSE : A_NORMAL));
    }
  }
  const std::string tip = controls.Tooltip(controls.FocusedControl());
  mvaddstr(kStatusRow, 0, tip.empty() ? kKeyHints : tip.c_str());
  if (caretRow >= 0) {
    curs_set(1);
    move(caretRow, caretColumn);
  } else {
    curs_set(0);
  }
  refresh();
}

}  // namespace bte::cli
