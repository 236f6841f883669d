// `scan`: the inventory of build tags a help project uses, and with a
// project file, how they meet the stored expressions.
#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "buildtagexpr.h"
#include "cli/commands.h"
#include "cli/project_build/output_file.h"
#include "cli/project_build/source_tree.h"
#include "expr/expression_tree.h"
#include "expr/text.h"
#include "pagesift/pagesift.h"
#include "rtffilter/filter_document.h"

namespace bte::cli {
namespace {

struct TagUse {
  std::string spelling;  // as first seen
  size_t count = 0;
  std::set<std::string> files;
};

// Tags compare without regard to letter case, as tag sets do.
using Inventory = std::map<std::string, TagUse>;

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

void AddTagList(std::string_view list, const std::string& file, Inventory& inventory) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find_first_of(",;", start), list.size());
    const std::string_view name = Trim(list.substr(start, end - start));
    if (!name.empty()) {
      TagUse& use = inventory[Folded(name)];
      if (use.spelling.empty()) use.spelling = std::string(name);
      ++use.count;
      use.files.insert(file);
    }
    start = end + 1;
  }
}

void ScanTopic(const std::filesystem::path& path, const std::string& file, Inventory& inventory) {
  CHtmlFileEx document(path.c_str());
  if (!document.Analyse()) return;
  CByteString list;
  if (document.GetTopicBuildTags(list)) AddTagList(list.View(), file, inventory);
  for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
    const CHtmlTagItem* tag = document.GetTagItem(document.GetCandidatePosition(i));
    if (tag != nullptr && document.GetInlineBuildTags(tag, list))
      AddTagList(list.View(), file, inventory);
  }
}

void ScanRtf(const std::filesystem::path& path, const std::string& file, Inventory& inventory) {
  std::string bytes, error;
  std::vector<rtf::AnnotatedRange> ranges;
  if (!ReadWholeFile(path, bytes, error) ||
      !rtf::ListBuildTagRanges(bytes.data(), static_cast<uint32_t>(bytes.size()), ranges).ok())
    return;
  for (const rtf::AnnotatedRange& range : ranges) AddTagList(range.tagText, file, inventory);
}

// Every stored expression (targets and globals) with the tags it names.
std::map<std::string, std::set<std::string>> StoredExpressions(const std::string& project) {
  std::map<std::string, std::set<std::string>> expressions;
  IBuildTagExprManager* manager = nullptr;
  IBuildTagExprList* list = nullptr;
  if (CreateBuildTagExprManagerInstance(&manager, project.c_str()) != S_OK) return expressions;
  if (manager->GetExpressionList(&list) == S_OK) {
    IBuildTagExprRecord* record = nullptr;
    std::vector<char> buffer(1 << 16);
    while (list->GetNextRecord(&record) == S_OK && record != nullptr) {
      if (record->GetExpression(buffer.data(), static_cast<uint32_t>(buffer.size())) == S_OK) {
        std::set<std::string>& tags = expressions[buffer.data()];
        const BuildTagExprTree tree(buffer.data());
        for (const std::string& item : tree.postfix())
          if (item != "~" && item != "&" && item != "|") tags.insert(Folded(item));
      }
      record->Release();
    }
    list->Release();
  }
  manager->Release();
  return expressions;
}

int RunScan(const std::string& source, const std::string& project, bool json) {
  Inventory inventory;
  const SourceTree tree = ListSourceTree(source);
  for (const SourceFile& file : tree.files) {
    const std::string name = file.relative.generic_string();
    if (file.kind == SourceKind::kTopic) ScanTopic(std::filesystem::path(source) / file.relative, name, inventory);
    if (file.kind == SourceKind::kRtf) ScanRtf(std::filesystem::path(source) / file.relative, name, inventory);
  }
  nlohmann::json document = {{"tags", nlohmann::json::array()}};
  for (const auto& [key, use] : inventory)
    document["tags"].push_back({{"tag", use.spelling}, {"count", use.count}, {"files", use.files}});
  if (!project.empty()) {
    const auto expressions = StoredExpressions(project);
    std::set<std::string> mentioned;
    document["expressionsWithUnusedTags"] = nlohmann::json::array();
    for (const auto& [text, tags] : expressions) {
      mentioned.insert(tags.begin(), tags.end());
      std::vector<std::string> unused;
      for (const std::string& tag : tags)
        if (!inventory.count(tag)) unused.push_back(tag);
      if (!unused.empty())
        document["expressionsWithUnusedTags"].push_back({{"expression", text}, {"tags", unused}});
    }
    document["tagsInNoExpression"] = nlohmann::json::array();
    for (const auto& [key, use] : inventory)
      if (!mentioned.count(key)) document["tagsInNoExpression"].push_back(use.spelling);
  }
  if (json) {
    std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return kExitOk;
  }
  for (const auto& [key, use] : inventory) {
    std::cout << use.spelling << '\t' << use.count << '\t';
    for (const std::string& file : use.files) std::cout << file << ' ';
    std::cout << '\n';
  }
  if (!project.empty()) {
    for (const auto& tag : document["tagsInNoExpression"])
      std::cout << "tag in no expression: " << tag.get<std::string>() << '\n';
    for (const auto& entry : document["expressionsWithUnusedTags"]) {
      std::cout << "expression \"" << entry["expression"].get<std::string>()
                << "\" names tags no file uses:";
      for (const auto& tag : entry["tags"]) std::cout << ' ' << tag.get<std::string>();
      std::cout << '\n';
    }
  }
  return kExitOk;
}

}  // namespace

void AddScanCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "scan", "List the build tags a help project uses: per tag its count and files");
  struct Options {
    std::string source, project;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  command->add_option("SRC", options->source, "source folder")->required()->check(CLI::ExistingDirectory);
  command->add_option("--project", options->project, "project file: compare with its expressions");
  command->add_flag("--json", options->json, "print the inventory as JSON");
  command->callback([options, &outcome] {
    outcome.exitCode = RunScan(options->source, options->project, options->json);
  });
}

}  // namespace bte::cli
