// A user at a dialog of another thread, acting through window messages as
// mouse and keyboard would: clicks only reach enabled buttons, choosing an
// entry notifies the dialog as the list itself would.
#ifndef BTE_TESTS_WINDOWS_DIALOG_USER_H
#define BTE_TESTS_WINDOWS_DIALOG_USER_H

#include <windows.h>

#include <string>
#include <vector>

namespace dialog_round {

// A visible top-level dialog with that caption, waited for up to 10 s.
HWND WaitForDialog(const char* caption);
// The texts of a window's static children (a message box's text among them).
std::vector<std::string> StaticTexts(HWND window);
// The texts of the tooltips that window owns.
std::vector<std::string> TooltipTexts(HWND owner);

class User {
 public:
  explicit User(HWND dialog) : dialog_(dialog) {}
  HWND dialog() const { return dialog_; }
  bool Open() const { return IsWindow(dialog_) != FALSE; }

  bool Enabled(int id) const;
  bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
  std::string Text(int id) const;
  int EntryCount(int id) const;  // list boxes

  // False, and nothing happens, when the button is disabled.
  bool Click(int id);
  // For a click that opens a message box: does not wait for it.
  bool ClickWithoutWaiting(int id);
  bool ChooseInList(int id, const char* entry, bool doubleClick = false);
  bool ChooseTag(const char* tag);
  // Types at the end of the expression box.
  void Type(const char* text);
  void PressF1();
  void PressEscape();
  void CloseBox();  // the title bar's close box

  // Saves the dialog's pixels as a 24-bit BMP; false when that fails or
  // the picture is blank or not the dialog's size.
  bool SaveScreenshot(const std::string& path) const;

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  HWND dialog_;
};

}  // namespace dialog_round

#endif  // BTE_TESTS_WINDOWS_DIALOG_USER_H
