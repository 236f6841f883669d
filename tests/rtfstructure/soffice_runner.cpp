#include "soffice_runner.h"

#include <cstdlib>
#include <fstream>
#include <random>
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

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

SofficeRunner::SofficeRunner() {
  std::random_device random;
  dir_ = fs::temp_directory_path() / ("bte-rtfstructure-" + std::to_string(random()));
  fs::create_directories(dir_ / "out");
}

SofficeRunner::~SofficeRunner() {
  std::error_code error;
  fs::remove_all(dir_, error);
}

std::map<std::string, std::string> SofficeRunner::Convert(
    const std::map<std::string, std::string>& documents, const std::string& format,
    const std::string& inputFilter) {
  std::string command = "HOME='" + dir_.string() + "' '" + FindSoffice() +
                        "' --headless --norestore -env:UserInstallation=file://" +
                        (dir_ / "profile").string();
  if (!inputFilter.empty()) command += " --infilter='" + inputFilter + "'";
  command += " --convert-to '" + format + "' --outdir '" + (dir_ / "out").string() + "'";
  for (const auto& [name, content] : documents) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
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

size_t CountOccurrences(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

}  // namespace bte::rtf::testing
