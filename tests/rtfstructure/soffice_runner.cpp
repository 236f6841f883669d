#include "soffice_runner.h"

#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

namespace bte::rtf::testing {

namespace fs = std::filesystem;

std::string FindSoffice() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::error_code error;
    if (!dir.empty() && fs::exists(fs::path(dir) / "soffice", error))
      return (fs::path(dir) / "soffice").string();
  }
  return "";
}

std::map<std::string, std::string> SofficeRunner::Convert(
    const std::map<std::string, std::string>& documents, const std::string& format,
    const std::string& inputFilter) {
  fs::create_directories(dir_ / "out");
  std::string command = "HOME='" + dir_.string() + "' '" + FindSoffice() +
                        "' --headless --norestore -env:UserInstallation=file://" +
                        (dir_ / "profile").string();
  if (!inputFilter.empty()) command += " --infilter='" + inputFilter + "'";
  command += " --convert-to '" + format + "' --outdir '" + (dir_ / "out").string() + "'";
  for (const auto& [name, content] : documents) {
    WriteBytes((dir_ / name).string(), content);
    command += " '" + (dir_ / name).string() + "'";
  }
  command += " >'" + (dir_ / "log").string() + "' 2>&1";
  std::system(command.c_str());
  const std::string extension = format.substr(0, format.find(':'));
  std::map<std::string, std::string> results;
  for (const auto& entry : documents) {
    const std::string stem = fs::path(entry.first).stem().string();
    const fs::path result = dir_ / "out" / (stem + "." + extension);
    if (fs::exists(result)) results[stem] = ReadFile(result);
  }
  return results;
}

std::string HtmlText(const std::string& html) {
  std::string text;
  bool inTag = false;
  for (const char c : html) {
    if (c == '<') inTag = true;
    if (!inTag) text += c;
    if (c == '>') inTag = false;
  }
  return text;
}

void CheckReadBack(const std::vector<ReadBack>& cases, const char* format) {
  std::map<std::string, std::string> documents;
  for (const ReadBack& c : cases) {
    ASSERT_FALSE(c.filtered.empty()) << c.name << ": the filter failed or the shape was not found";
    ASSERT_NE(c.filtered, "<failed>") << c.name;
    documents[c.name + ".rtf"] = c.filtered;
  }
  SofficeRunner runner;
  const auto read = runner.Convert(documents, format);
  for (const ReadBack& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(read.count(c.name), 1u) << "the reader could not read the output\n" << c.filtered;
    const std::string& page = read.at(c.name);
    const std::string text = std::string(format) == "html" ? HtmlText(page) : page;
    for (const std::string& gone : c.gone) EXPECT_EQ(text.find(gone), std::string::npos) << gone;
    size_t at = 0;
    for (const std::string& shown : c.shown) {
      at = text.find(shown, at);
      ASSERT_NE(at, std::string::npos) << "missing in order: " << shown << "\n" << text;
      at += shown.size();
    }
    EXPECT_EQ(page.find("Conditional Build Tags"), std::string::npos);
    if (c.rows >= 0) {
      EXPECT_EQ(Count(page, "<tr"), static_cast<size_t>(c.rows));
    }
  }
}

}  // namespace bte::rtf::testing
