// The image button: a subclass of an owner-drawn button that paints a push
// button face with one or two arrows. Owner-drawn buttons ask their parent
// to draw them; this one draws itself, so the dialog needs no drawing code.
#include "uicontrols/ui_controls.h"

#include <commctrl.h>

#include <iterator>

namespace bte::uicontrols {
namespace {

constexpr UINT_PTR kSubclassId = 0x4254;  // one subclass of ours per button

struct Picture {
  int image;
  int direction;  // +1 right, -1 left
  int arrows;
};
constexpr Picture kPictures[] = {
    {kRemoveOne, -1, 1},
    {kAddOne, +1, 1},
    {kRemoveAll, -1, 2},
    {kAddAll, +1, 2},
};

const Picture* FindPicture(int image) {
  for (const Picture& picture : kPictures)
    if (picture.image == image) return &picture;
  return nullptr;
}

// Filled triangles side by side, centred in area.
void DrawArrows(HDC dc, const RECT& area, const Picture& picture, COLORREF color) {
  const int size = (area.bottom - area.top) / 3 > 2 ? (area.bottom - area.top) / 3 : 2;
  const int totalWidth = size * picture.arrows;
  const int middleY = (area.top + area.bottom) / 2;
  int left = (area.left + area.right - totalWidth) / 2;
  HBRUSH brush = CreateSolidBrush(color);
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (int i = 0; i < picture.arrows; ++i, left += size) {
    const int tip = picture.direction > 0 ? left + size - 1 : left;
    const int base = picture.direction > 0 ? left : left + size - 1;
    const POINT corners[] = {{base, middleY - size}, {tip, middleY}, {base, middleY + size}};
    Polygon(dc, corners, static_cast<int>(std::size(corners)));
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

void Paint(HWND button, const Picture& picture) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(button, &paint);
  RECT area;
  GetClientRect(button, &area);
  const bool pushed = (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
  if (pushed) OffsetRect(&area, 1, 1);
  const bool enabled = IsWindowEnabled(button) != FALSE;
  DrawArrows(dc, area, picture, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  if (GetFocus() == button) {
    InflateRect(&area, -3, -3);
    DrawFocusRect(dc, &area);
  }
  EndPaint(button, &paint);
}

LRESULT CALLBACK ImageButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR data) {
  const Picture& picture = *reinterpret_cast<const Picture*>(data);
  switch (message) {
    case WM_PAINT: Paint(button, picture); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(button, ImageButtonProc, kSubclassId); break;
    // The button draws these changes through its parent; repaint instead.
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
      InvalidateRect(button, nullptr, FALSE);
      return result;
    }
    default: break;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

bool SetStockImage(HWND button, int image, uint32_t) {
  const Picture* picture = FindPicture(image);
  if (button == nullptr || picture == nullptr) return false;
  const bool attached = SetWindowSubclass(button, ImageButtonProc, kSubclassId,
                                          reinterpret_cast<DWORD_PTR>(picture)) != FALSE;
  InvalidateRect(button, nullptr, FALSE);
  return attached;
}

}  // namespace bte::uicontrols
