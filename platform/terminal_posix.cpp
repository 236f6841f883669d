#include "platform/terminal.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace bte::platform {
namespace {

std::atomic<bool> interrupted{false};

void RaiseFlag(int) { interrupted.store(true); }

}  // namespace

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

int TerminalWidth(std::FILE* stream, int fallback) {
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return fallback;
}

const std::atomic<bool>& InstallInterruptFlag() {
  struct sigaction action {};
  action.sa_handler = RaiseFlag;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return interrupted;
}

}  // namespace bte::platform
