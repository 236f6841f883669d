// Runs a real RTF reader (the office suite's headless converter) over
// documents, each test in its own temporary home and profile, so that the
// rebuilder's output is checked the way another program reads it.
#ifndef BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H
#define BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H

#include <filesystem>
#include <map>
#include <string>
#include <vector>

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

#define REQUIRE_SOFFICE()                                                   \
  if (FindSoffice().empty()) GTEST_SKIP() << "soffice not installed; the " \
                                             "interop checks need it (package libreoffice-writer-nogui)"

// A filtered document and what the reader must make of it.
struct ReadBack {
  std::string name;
  std::string filtered;
  std::vector<std::string> gone;   // texts the reader must not show
  std::vector<std::string> shown;  // texts it must show, in order
  int rows;                        // table rows it must find (-1: not checked)
};

// Reads every case back in one run, in format ("html" or "txt:Text"), and
// checks it; no build-tag comment may show either.
void CheckReadBack(const std::vector<ReadBack>& cases, const char* format);

}  // namespace bte::rtf::testing

#endif  // BTE_TESTS_RTFSTRUCTURE_SOFFICE_RUNNER_H
