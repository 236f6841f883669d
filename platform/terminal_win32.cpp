#include "platform/terminal.h"

#include <io.h>
#include <windows.h>

namespace bte::platform {
namespace {

std::atomic<bool> interrupted{false};

// Ctrl-C, Ctrl-Break and closing the console only raise the flag; the work
// in progress ends cleanly.
BOOL WINAPI RaiseFlag(DWORD) {
  interrupted.store(true);
  return TRUE;
}

HANDLE ConsoleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

}  // namespace

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

int TerminalWidth(std::FILE* stream, int fallback) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(ConsoleOf(stream), &info)) return fallback;
  const int width = info.srWindow.Right - info.srWindow.Left + 1;
  return width > 0 ? width : fallback;
}

const std::atomic<bool>& InstallInterruptFlag() {
  SetConsoleCtrlHandler(RaiseFlag, TRUE);
  return interrupted;
}

}  // namespace bte::platform
