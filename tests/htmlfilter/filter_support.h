// Helpers shared by the HTML filter tests: parsers with owners, one-call
// filtering of HTML text, and files of project folders (documents from
// strings come from the HTML library's test helpers, temporary folders from
// tests/support).
#ifndef BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H
#define BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H

#include <filesystem>
#include <string>

#include "buildtagexpr_host.h"
#include "htmlfilter/filter_pass.h"
#include "pagesift/pagesift.h"
#include "tests/pagesift/html_test_support.h"
#include "tests/support/temp_folder.h"

namespace bte::test {

using host::ComPtr;

ComPtr<IBuildTagExprParser> MakeParser(const std::string& expression);
// A filter with its own parser over expression, if one is given.
ComPtr<IBuildTagExprFilter> MakeFilter(const char* expression = nullptr);

using testing::Analysed;
using testing::Saved;

// FilterText through the interface: the result text, or "<untouched>".
std::string FilterTextOf(IBuildTagExprFilter& filter, const std::string& html,
                         bool withLinks, HRESULT* status = nullptr);

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) { WriteBytes(path.string(), bytes); }
// Replaces the first occurrence of from in the file; fails the test when
// there is none.
void Edit(const std::filesystem::path& file, const std::string& from, const std::string& to);

// Gives a topic topic-level build tags (a meta element in its head).
void AddTopicBuildTags(const std::filesystem::path& topic, const std::string& tags);

}  // namespace bte::test

#endif  // BTE_TESTS_HTMLFILTER_FILTER_SUPPORT_H
