// Checks for the test programs that run without GoogleTest (the Windows
// rounds under Wine): a claim that does not hold is printed and counted, and
// the program's exit code says whether any failed.
#ifndef BTE_TESTS_SUPPORT_CHECK_H
#define BTE_TESTS_SUPPORT_CHECK_H

#include <atomic>
#include <cstdio>
#include <string>

// Atomic: a user thread of the dialog round checks beside the host's.
inline std::atomic<int> failures{0};

inline void Check(bool held, const std::string& claim) {
  if (!held) {
    std::printf("FAIL: %s\n", claim.c_str());
    ++failures;
  }
}

// The line that closes a round, and its exit code.
inline int RoundResult(const char* round) {
  if (failures == 0) std::printf("%s: every check held\n", round);
  else std::printf("%s: %d failed\n", round, failures.load());
  return failures == 0 ? 0 : 1;
}

#endif  // BTE_TESTS_SUPPORT_CHECK_H
