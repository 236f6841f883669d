#include "projectbuild/source_tree.h"

#include <algorithm>
#include <type_traits>
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

// The order of fs::path (name by name) without splitting the paths: the
// separator ranks below every byte of a name. The entries listed below one
// root have no doubled or trailing separators, so this is the same order.
bool ComesBefore(const fs::path& a, const fs::path& b) {
  using Unit = fs::path::value_type;
  const fs::path::string_type& left = a.native();
  const fs::path::string_type& right = b.native();
  const auto [l, r] = std::mismatch(left.begin(), left.end(), right.begin(), right.end());
  if (r == right.end()) return false;
  if (l == left.end()) return true;
  auto rank = [](Unit c) {
    return c == fs::path::preferred_separator ? -1L : long(std::make_unsigned_t<Unit>(c));
  };
  return rank(*l) < rank(*r);
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
  // Every entry's path is the root's, a separator (unless the root ends in
  // one) and the relative path.
  const fs::path::string_type& rootText = canonicalRoot.native();
  const size_t rootLength =
      rootText.size() + (rootText.back() == fs::path::preferred_separator ? 0 : 1);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const fs::path relative = it->path().native().substr(rootLength);
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
    tree.files.push_back({relative, ClassifySource(relative)});
  }
  std::sort(tree.files.begin(), tree.files.end(),
            [](const SourceFile& a, const SourceFile& b) { return ComesBefore(a.relative, b.relative); });
  return tree;
}

size_t FindFile(const SourceTree& tree, const fs::path& relative) {
  const auto at = std::lower_bound(
      tree.files.begin(), tree.files.end(), relative,
      [](const SourceFile& file, const fs::path& path) { return ComesBefore(file.relative, path); });
  if (at == tree.files.end() || at->relative.native() != relative.native()) return tree.files.size();
  return static_cast<size_t>(at - tree.files.begin());
}

}  // namespace bte::projectbuild
