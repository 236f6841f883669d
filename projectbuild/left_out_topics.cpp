#include "projectbuild/left_out_topics.h"

#include <optional>

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "\" read as "/", %XX decoded, ASCII letters folded; fragment and query
// dropped. Nothing for a reference with a scheme, a drive or an absolute path.
std::optional<std::string> PlainReference(std::string_view reference) {
  while (!reference.empty() && (reference.front() == ' ' || reference.front() == '\t'))
    reference.remove_prefix(1);
  while (!reference.empty() && (reference.back() == ' ' || reference.back() == '\t'))
    reference.remove_suffix(1);
  reference = reference.substr(0, reference.find_first_of("#?"));
  if (reference.empty() || reference.find(':') != std::string_view::npos) return std::nullopt;
  std::string plain;
  for (size_t i = 0; i < reference.size(); ++i) {
    char c = reference[i];
    if (c == '%' && i + 2 < reference.size() && HexValue(reference[i + 1]) >= 0 &&
        HexValue(reference[i + 2]) >= 0) {
      c = static_cast<char>(HexValue(reference[i + 1]) * 16 + HexValue(reference[i + 2]));
      i += 2;
    }
    if (c == '\\') c = '/';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    plain += c;
  }
  if (plain.front() == '/') return std::nullopt;
  return plain;
}

std::string Folded(const fs::path& relative) {
  std::string folded = relative.lexically_normal().generic_string();
  for (char& c : folded) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return folded;
}

}  // namespace

void LeftOutTopics::Add(const fs::path& relative) { topics_.emplace(Folded(relative), relative); }

const fs::path* LeftOutTopics::Find(std::string_view reference, const fs::path& folder) const {
  if (topics_.empty()) return nullptr;
  const std::optional<std::string> plain = PlainReference(reference);
  if (!plain) return nullptr;
  const fs::path joined = (folder / fs::path(*plain)).lexically_normal();
  if (joined.empty() || *joined.begin() == "..") return nullptr;
  const auto found = topics_.find(Folded(joined));
  return found == topics_.end() ? nullptr : &found->second;
}

}  // namespace bte::projectbuild
