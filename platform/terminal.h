// The little the tool needs from the terminal and the process: whether a
// stream is a terminal, its width, and a flag that Ctrl-C raises.
#ifndef BTE_PLATFORM_TERMINAL_H
#define BTE_PLATFORM_TERMINAL_H

#include <atomic>
#include <cstdio>

namespace bte::platform {

bool IsTerminal(std::FILE* stream);

// Columns of the terminal behind stream, or fallback.
int TerminalWidth(std::FILE* stream, int fallback);

// Installs a handler for interrupt and termination requests that only sets
// the returned flag, so that work in progress can finish cleanly.
const std::atomic<bool>& InstallInterruptFlag();

}  // namespace bte::platform

#endif  // BTE_PLATFORM_TERMINAL_H
