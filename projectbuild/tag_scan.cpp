#include "projectbuild/tag_scan.h"

#include "buildtagexpr_host.h"
#include "pagesift/pagesift.h"
#include "projectbuild/beyond_interface.h"
#include "projectbuild/output_file.h"
#include "projectbuild/source_tree.h"

namespace bte::projectbuild {
namespace {

namespace fs = std::filesystem;
using Inventory = std::map<std::string, TagUse>;

void AddTagList(std::string_view list, const std::string& file, Inventory& inventory) {
  for (const std::string_view name : TagListNames(list)) {
    TagUse& use = inventory[FoldedTag(name)];
    if (use.spelling.empty()) use.spelling = std::string(name);
    ++use.count;
    use.files.insert(file);
  }
}

void ScanTopic(const fs::path& path, const std::string& file, Inventory& inventory) {
  CHtmlFileEx document(path.string().c_str());
  if (!document.Analyse()) return;
  CByteString list;
  if (document.GetTopicBuildTags(list)) AddTagList(list.View(), file, inventory);
  for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
    const CHtmlTagItem* tag = document.GetTagItem(document.GetCandidatePosition(i));
    if (tag != nullptr && document.GetInlineBuildTags(tag, list))
      AddTagList(list.View(), file, inventory);
  }
}

void ScanRtf(const fs::path& path, const std::string& file, Inventory& inventory) {
  std::string bytes, error;
  std::vector<RtfTaggedRange> ranges;
  if (!ReadWholeFile(path, bytes, error) || !ListRtfTaggedRanges(bytes, ranges, error)) return;
  for (const RtfTaggedRange& range : ranges) AddTagList(range.tagText, file, inventory);
}

// Every stored expression (targets and globals) with the tags it names.
std::map<std::string, std::set<std::string>> StoredExpressions(const std::string& projectFile) {
  std::map<std::string, std::set<std::string>> expressions;
  host::ComPtr<IBuildTagExprManager> manager;
  host::ComPtr<IBuildTagExprList> list;
  if (CreateBuildTagExprManagerInstance(manager.out(), projectFile.c_str()) != S_OK ||
      manager->GetExpressionList(list.out()) != S_OK || !list)
    return expressions;
  std::vector<host::ExpressionRecord> records;
  host::ReadAllRecords(list.get(), records);
  for (const host::ExpressionRecord& record : records) {
    std::set<std::string>& tags = expressions[record.expression];
    for (std::string& tag : FoldedExpressionTags(record.expression)) tags.insert(std::move(tag));
  }
  return expressions;
}

void CompareWithProject(const std::string& projectFile, TagScan& scan) {
  std::set<std::string> mentioned;
  for (const auto& [text, tags] : StoredExpressions(projectFile)) {
    mentioned.insert(tags.begin(), tags.end());
    std::vector<std::string> unused;
    for (const std::string& tag : tags)
      if (!scan.tags.count(tag)) unused.push_back(tag);
    if (!unused.empty()) scan.expressionsWithUnusedTags.push_back({text, unused});
  }
  for (const auto& [key, use] : scan.tags)
    if (!mentioned.count(key)) scan.tagsInNoExpression.push_back(use.spelling);
}

}  // namespace

TagScan ScanTags(const fs::path& source, const std::string& projectFile) {
  TagScan scan;
  for (const SourceFile& file : ListSourceTree(source).files) {
    const std::string name = file.relative.generic_string();
    if (file.kind == SourceKind::kTopic) ScanTopic(source / file.relative, name, scan.tags);
    if (file.kind == SourceKind::kRtf) ScanRtf(source / file.relative, name, scan.tags);
  }
  if (!projectFile.empty()) CompareWithProject(projectFile, scan);
  return scan;
}

}  // namespace bte::projectbuild
