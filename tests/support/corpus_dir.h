// Where the real-document corpus is: the environment variable
// BTE_CORPUS_DIR, else the folder the build was configured with
// (BTE_CORPUS_DIR, defined by the build). Shared by tests and benchmarks.
#ifndef BTE_TESTS_SUPPORT_CORPUS_DIR_H
#define BTE_TESTS_SUPPORT_CORPUS_DIR_H

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace bte::test {

inline std::filesystem::path CorpusDir() {
  const char* fromEnvironment = std::getenv("BTE_CORPUS_DIR");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
  return BTE_CORPUS_DIR;
}

inline bool HaveCorpus() {
  std::error_code error;
  return std::filesystem::is_directory(CorpusDir(), error);
}

// The one message of everything that skips for lack of the corpus.
inline std::string NoCorpusMessage() {
  return "real-document corpus not found at " + CorpusDir().string() + " (set BTE_CORPUS_DIR)";
}

}  // namespace bte::test

#endif  // BTE_TESTS_SUPPORT_CORPUS_DIR_H
