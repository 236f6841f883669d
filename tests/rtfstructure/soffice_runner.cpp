#include "soffice_runner.h"

#include <cstdlib>
#include <sstream>

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

}  // namespace bte::rtf::testing
