#include "projectbuild/source_tree.h"

#include <algorithm>
#include <system_error>

namespace bte::projectbuild {
namespace fs = std::filesystem;
namespace {

std::string LowerExtension(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return extension;
}

bool IsInside(const fs::path& root, const fs::path& path) {
  const auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
  return rootEnd == root.end();
}

}  // namespace

SourceKind ClassifySource(const fs::path& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".htm" || extension == ".html") return SourceKind::kTopic;
  if (extension == ".rtf") return SourceKind::kRtf;
  if (extension == ".hhc") return SourceKind::kContents;
  if (extension == ".hhk") return SourceKind::kIndex;
  if (extension == ".hhp") return SourceKind::kHelpProject;
  return SourceKind::kOther;
}

// Links to folders are not followed: inside the folder they would only
// repeat files (or loop), outside it they would leak foreign files.
SourceTree ListSourceTree(const fs::path& root) {
  SourceTree tree;
  std::error_code error;
  const fs::path canonicalRoot = fs::canonical(root, error);
  if (error) return tree;
  auto it = fs::recursive_directory_iterator(
      canonicalRoot, fs::directory_options::skip_permission_denied, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::path relative = it->path().lexically_relative(canonicalRoot);
    if (it->is_symlink(error)) {
      const fs::path target = fs::canonical(it->path(), error);
      if (error || !IsInside(canonicalRoot, target)) {
        tree.skipped.push_back({relative, "symbolic link leads outside the source folder (or nowhere)"});
      } else if (fs::is_directory(target, error)) {
        tree.skipped.push_back({relative, "symbolic link to a folder is not followed"});
      }
      error.clear();
      if (!fs::is_regular_file(it->path(), error) || !IsInside(canonicalRoot, target)) continue;
    } else if (!it->is_regular_file(error)) {
      error.clear();
      continue;
    }
    tree.files.push_back({relative, ClassifySource(relative), fs::file_size(it->path(), error)});
    error.clear();
  }
  std::sort(tree.files.begin(), tree.files.end(),
            [](const SourceFile& a, const SourceFile& b) { return a.relative < b.relative; });
  return tree;
}

}  // namespace bte::projectbuild
