// The files of a help project's source folder, as the build sees them.
#ifndef BTE_PROJECTBUILD_SOURCE_TREE_H
#define BTE_PROJECTBUILD_SOURCE_TREE_H

#include <filesystem>
#include <string>
#include <vector>

namespace bte::projectbuild {

// Contents, index and help project files name topics; they are built after
// the topics, once it is known which were left out.
enum class SourceKind { kTopic, kRtf, kContents, kIndex, kHelpProject, kOther };

inline bool NamesTopics(SourceKind kind) {
  return kind == SourceKind::kContents || kind == SourceKind::kIndex ||
         kind == SourceKind::kHelpProject;
}

struct SourceFile {
  std::filesystem::path relative;  // below the source folder
  SourceKind kind;
};

// A file that cannot take part in the build, with the reason.
struct SkippedFile {
  std::filesystem::path relative;
  std::string reason;
};

struct SourceTree {
  std::vector<SourceFile> files;  // sorted by path
  std::vector<SkippedFile> skipped;
};

// .htm and .html (any case) are topics, .rtf documents, .hhc contents,
// .hhk indexes, .hhp help projects; the rest is copied.
SourceKind ClassifySource(const std::filesystem::path& path);

// Walks root. Symbolic links are followed only while they stay inside root;
// a link that leads outside is skipped with its reason.
SourceTree ListSourceTree(const std::filesystem::path& root);

// Where relative (as the listing writes it) is among tree's files;
// tree.files.size() when it is none of them.
size_t FindFile(const SourceTree& tree, const std::filesystem::path& relative);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_SOURCE_TREE_H
