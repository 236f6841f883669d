// `scan`: the inventory of build tags a help project uses, and with a
// project file, how they meet the stored expressions.
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "projectbuild/tag_scan.h"

namespace bte::cli {
namespace {

nlohmann::json AsJson(const projectbuild::TagScan& scan, bool compared) {
  nlohmann::json document = {{"tags", nlohmann::json::array()}};
  for (const auto& [key, use] : scan.tags)
    document["tags"].push_back({{"tag", use.spelling}, {"count", use.count}, {"files", use.files}});
  if (!compared) return document;
  document["expressionsWithUnusedTags"] = nlohmann::json::array();
  for (const auto& entry : scan.expressionsWithUnusedTags)
    document["expressionsWithUnusedTags"].push_back(
        {{"expression", entry.expression}, {"tags", entry.tags}});
  document["tagsInNoExpression"] = scan.tagsInNoExpression;
  return document;
}

void PrintPlain(const projectbuild::TagScan& scan) {
  for (const auto& [key, use] : scan.tags) {
    std::cout << use.spelling << '\t' << use.count << '\t';
    for (const std::string& file : use.files) std::cout << file << ' ';
    std::cout << '\n';
  }
  for (const std::string& tag : scan.tagsInNoExpression)
    std::cout << "tag in no expression: " << tag << '\n';
  for (const auto& entry : scan.expressionsWithUnusedTags) {
    std::cout << "expression \"" << entry.expression << "\" names tags no file uses:";
    for (const std::string& tag : entry.tags) std::cout << ' ' << tag;
    std::cout << '\n';
  }
}

int RunScan(const std::string& source, const std::string& project, bool json) {
  const projectbuild::TagScan scan = projectbuild::ScanTags(source, project);
  if (json)
    std::cout << AsJson(scan, !project.empty())
                     .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
              << '\n';
  else
    PrintPlain(scan);
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
