// Shared helpers of the HTML library tests: corpus access and documents made
// from strings.
#ifndef BTE_TESTS_PAGESIFT_HTML_TEST_SUPPORT_H
#define BTE_TESTS_PAGESIFT_HTML_TEST_SUPPORT_H

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pagesift/pagesift.h"
#include "tests/support/case_name.h"
#include "tests/support/corpus.h"
#include "tests/support/temp_folder.h"

namespace bte::testing {

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (::tolower(static_cast<unsigned char>(a[i])) != ::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Every file of the HTML corpus, or only its topics, in a stable order. Tests
// that call it start with BTE_REQUIRE_CORPUS().
inline std::vector<std::filesystem::path> CorpusFiles(bool topicsOnly) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(bte::test::CorpusDir() / "html")) {
    if (!entry.is_regular_file()) continue;
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (!topicsOnly || extension == ".htm" || extension == ".html") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A document over html; path (may be empty) is where it lives.
inline std::unique_ptr<CHtmlFileEx> Analysed(const std::string& html, const std::string& path = "") {
  auto document = std::make_unique<CHtmlFileEx>(CByteString(html), path.empty() ? nullptr : path.c_str());
  document->Analyse();
  return document;
}

inline std::string Saved(const CHtmlPack& document) {
  CByteString out;
  document.Save(out, pagesift::kSaveHtml);
  return std::string(out.View());
}

// Byte offset of a view into the document's source (the first token's view
// starts at the source's first byte).
inline size_t OffsetOf(const CHtmlPack& document, const char* at) {
  return static_cast<size_t>(at - document.GetTokenList()->GetHeadPosition()->GetSourceText().data());
}

}  // namespace bte::testing

#endif  // BTE_TESTS_PAGESIFT_HTML_TEST_SUPPORT_H
