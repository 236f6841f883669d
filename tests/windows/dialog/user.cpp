#include "user.h"

#include <commctrl.h>

#include <cstdio>
#include <set>

namespace dialog_round {

HWND WaitForDialog(const char* caption) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    HWND window = FindWindowA("#32770", caption);
    if (window != nullptr && IsWindowVisible(window)) {
      Sleep(200);  // let it finish painting
      return window;
    }
    Sleep(50);
  }
  return nullptr;
}

namespace {

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM texts) {
  if (_stricmp(ClassOf(child).c_str(), "Static") == 0)
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(child));
  return TRUE;
}

struct TooltipSearch {
  HWND owner;
  std::vector<std::string> texts;
};

BOOL CALLBACK CollectTooltips(HWND window, LPARAM search) {
  auto& found = *reinterpret_cast<TooltipSearch*>(search);
  if (ClassOf(window) != TOOLTIPS_CLASSA || GetWindow(window, GW_OWNER) != found.owner) return TRUE;
  const int count = int(SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.lpszText = text;
    if (SendMessageA(window, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)))
      found.texts.push_back(text);
  }
  return TRUE;
}

}  // namespace

std::vector<std::string> StaticTexts(HWND window) {
  std::vector<std::string> texts;
  EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::vector<std::string> TooltipTexts(HWND owner) {
  TooltipSearch search{owner, {}};
  EnumWindows(CollectTooltips, reinterpret_cast<LPARAM>(&search));
  return search.texts;
}

bool User::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

std::string User::Text(int id) const { return WindowText(Item(id)); }

int User::EntryCount(int id) const { return int(SendMessageA(Item(id), LB_GETCOUNT, 0, 0)); }

bool User::Click(int id) {
  if (!Enabled(id)) return false;
  SendMessageA(Item(id), BM_CLICK, 0, 0);
  return true;
}

bool User::ClickWithoutWaiting(int id) {
  if (!Enabled(id)) return false;
  PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  return true;
}

bool User::ChooseInList(int id, const char* entry, bool doubleClick) {
  HWND list = Item(id);
  const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(entry));
  if (index < 0 || !Enabled(id)) return false;
  SendMessageA(list, LB_SETCURSEL, index, 0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, doubleClick ? LBN_DBLCLK : LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  return true;
}

bool User::ChooseTag(const char* tag) {
  constexpr int kTagChooser = 15302;
  HWND combo = Item(kTagChooser);
  const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(tag));
  if (index < 0 || !Enabled(kTagChooser)) return false;
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kTagChooser, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  return true;
}

void User::Type(const char* text) {
  HWND edit = Item(15303);
  const int end = GetWindowTextLengthA(edit);
  SendMessageA(edit, EM_SETSEL, end, end);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void User::PressF1() {
  HELPINFO help{sizeof(help), HELPINFO_WINDOW, 0, dialog_, 0, {0, 0}};
  SendMessageA(dialog_, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}

void User::PressEscape() {
  // The dialog manager turns Esc on a control into Cancel.
  PostMessageA(GetDlgItem(dialog_, 15324), WM_KEYDOWN, VK_ESCAPE, 0);
}

void User::CloseBox() { PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool User::SaveScreenshot(const std::string& path) const {
  RECT rect;
  GetWindowRect(dialog_, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  const int stride = (width * 3 + 3) & ~3;
  const DWORD imageSize = DWORD(stride) * DWORD(height);
  std::set<DWORD> colours;
  const auto* pixels = static_cast<const unsigned char*>(bits);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = pixels + y * stride + x * 3;
      colours.insert(RGB(p[2], p[1], p[0]));
    }
  BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                        0, 0, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  info.bmiHeader.biSizeImage = imageSize;
  bool written = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
              std::fwrite(bits, imageSize, 1, out) == 1;
    written = std::fclose(out) == 0 && written;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  // A dialog has at least its face, text, and white list or edit boxes.
  return written && colours.size() >= 3;
}

}  // namespace dialog_round
