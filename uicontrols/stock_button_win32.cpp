// The stock Help button: the host's library gives it its standard look; the
// stand-in gives it the standard text, with Alt+H as its mnemonic.
#include "uicontrols/ui_controls.h"

namespace bte::uicontrols {

bool MakeStockButton(HWND dialog, int id, int, int) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return false;
  return SetWindowTextA(button, "&Help") != FALSE;
}

}  // namespace bte::uicontrols
