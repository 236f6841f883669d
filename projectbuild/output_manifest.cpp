#include "projectbuild/output_manifest.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "projectbuild/output_file.h"

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kHeader =
    "# buildtags: the files the last build wrote in this folder (hash, size, path);\n"
    "# buildtags build --clean deletes those a later build does not write.\n";

// "HHHHHHHHHHHHHHHH SIZE PATH": the path is the rest of the line.
bool ParseLine(std::string_view line, fs::path& relative, WrittenFile& written) {
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos || first != 16) return false;
  const std::string hash(line.substr(0, first)), size(line.substr(first + 1, second - first - 1));
  char* end = nullptr;
  written.hash = std::strtoull(hash.c_str(), &end, 16);
  if (*end != '\0') return false;
  written.size = std::strtoull(size.c_str(), &end, 10);
  if (size.empty() || *end != '\0') return false;
  relative = fs::path(std::string(line.substr(second + 1))).lexically_normal();
  return !relative.empty() && relative.is_relative() && *relative.begin() != ".." &&
         relative.filename() != "." && relative != kManifestName;
}

}  // namespace

uint64_t ContentHash(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

OutputManifest ReadManifest(const fs::path& folder, std::vector<std::string>& warnings) {
  OutputManifest manifest;
  std::string text, error;
  std::error_code code;
  if (!fs::exists(folder / kManifestName, code)) return manifest;
  if (!ReadWholeFile(folder / kManifestName, text, error)) {
    warnings.push_back(std::string(kManifestName) + ": " + error + "; no file is deleted");
    return manifest;
  }
  size_t number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + start, end - start);
    start = end + 1;
    ++number;
    if (line.empty() || line.front() == '#') continue;
    fs::path relative;
    WrittenFile written;
    if (ParseLine(line, relative, written)) {
      manifest[relative] = written;
    } else {
      warnings.push_back(std::string(kManifestName) + " line " + std::to_string(number) +
                         " ignored: not a file this tool wrote inside the output folder");
    }
  }
  return manifest;
}

bool WriteManifest(const fs::path& folder, const OutputManifest& manifest, std::string& error) {
  std::string text(kHeader);
  for (const auto& [relative, written] : manifest) {
    const std::string path = relative.generic_string();
    if (path.find('\n') != std::string::npos) continue;  // cannot be recorded: never deleted
    char fields[48];
    std::snprintf(fields, sizeof fields, "%016" PRIx64 " %" PRIu64 " ", written.hash, written.size);
    text += fields + path + '\n';
  }
  return WriteFileAtomically(folder / kManifestName, text, error);
}

bool Unchanged(const fs::path& path, const WrittenFile& written) {
  std::error_code code;
  if (fs::is_symlink(path, code) || fs::file_size(path, code) != written.size || code) return false;
  std::string bytes, error;
  return ReadWholeFile(path, bytes, error) && ContentHash(bytes) == written.hash;
}

}  // namespace bte::projectbuild
