// The process-wide dialog runner. Dialogs run on the one user-interface
// thread, so the pointer is not locked.
#include "editor/dialog_controls.h"

namespace bte::editor {
namespace {
DialogRunner* currentRunner = nullptr;
}  // namespace

DialogRunner* CurrentDialogRunner() { return currentRunner; }

DialogRunner* InstallDialogRunner(DialogRunner* runner) {
  DialogRunner* previous = currentRunner;
  currentRunner = runner;
  return previous;
}

}  // namespace bte::editor
