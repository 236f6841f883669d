// Helpers shared by the HTML filter tests: parsers and documents with
// owners, one-call filtering of HTML text, and project folders in a
// temporary directory.
#ifndef BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H
#define BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "buildtagexpr_host.h"
#include "htmlfilter/filter_pass.h"
#include "pagesift/pagesift.h"

namespace bte::test {

using host::ComPtr;

ComPtr<IBuildTagExprParser> MakeParser(const std::string& expression);
ComPtr<IBuildTagExprFilter> MakeFilter();

// An analysed document over html; path (may be empty) is where it lives.
std::unique_ptr<CHtmlFileEx> Analysed(const std::string& html, const std::string& path = "");
std::string Saved(const CHtmlFileEx& document);

// Runs the pass in mode over html and returns the saved document.
std::string RunPass(const std::string& html, const std::string& expression, uint32_t mode,
                    const std::string& path = "");

// FilterText through the interface: the result text, or "<untouched>".
std::string FilterTextOf(IBuildTagExprFilter& filter, const std::string& html,
                         bool withLinks, HRESULT* status = nullptr);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with the
// object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Gives a topic topic-level build tags (a meta element in its head).
void AddTopicBuildTags(const std::filesystem::path& topic, const std::string& tags);

}  // namespace bte::test

#endif  // BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H
