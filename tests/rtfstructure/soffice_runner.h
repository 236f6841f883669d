// Runs a real RTF reader (the office suite's headless converter) over
// documents, each test in its own temporary home and profile, so that the
// rebuilder's output is checked the way another program reads it.
#ifndef BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H
#define BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H

#include <filesystem>
#include <map>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/text_search.h"

namespace bte::rtf::testing {

// The converter's path, or "" when it is not installed.
std::string FindSoffice();

class SofficeRunner {
 public:
  // Converts every named document (name -> content, name with extension)
  // in one run to format ("html", "rtf", "txt:Text"); returns the results
  // by name without extension. A missing result is absent from the map.
  std::map<std::string, std::string> Convert(const std::map<std::string, std::string>& documents,
                                             const std::string& format,
                                             const std::string& inputFilter = "");

 private:
  TempFolder folder_;  // the runs' home and profile, removed with the runner
  const std::filesystem::path dir_ = folder_.path();
};

// The visible text of an HTML page: tags dropped, entities left as they are.
std::string HtmlText(const std::string& html);

}  // namespace bte::rtf::testing

#endif  // BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H
