// Stand-ins for the host's two UI libraries that the editor dialog uses:
// the image-button class, which draws a stock picture on an owner-drawn
// button, and the stock Help button. Windows only. The host's libraries
// draw their own pictures; these draw plain arrows, which is all the
// dialog needs from them.
#ifndef BTE_UICONTROLS_UI_CONTROLS_H
#define BTE_UICONTROLS_UI_CONTROLS_H

#include <windows.h>

#include <cstdint>

namespace bte::uicontrols {

// Stock pictures: one arrow or two, pointing to the list they move to.
enum StockImage : int {
  kRemoveOne = 16,  // <
  kAddOne = 17,     // >
  kRemoveAll = 18,  // <<
  kAddAll = 19,     // >>
};

// Makes the owner-drawn button draw stock picture image from now on. The
// drawing flags are the host library's; any value is accepted. False for
// an unknown picture or a null window.
bool SetStockImage(HWND button, int image, uint32_t flags);

// Turns button id of dialog into the stock Help button (a push button
// reading "&Help"). False when the dialog has no such control.
bool MakeStockButton(HWND dialog, int id, int, int);

}  // namespace bte::uicontrols

#endif  // BTE_UICONTROLS_UI_CONTROLS_H
