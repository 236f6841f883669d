// `filter-html`: one topic through the HTML filter, as the host does it with
// a document it has analysed. The output is written only after the filter
// succeeded, through a temporary file beside it, so a failed run leaves an
// existing output untouched.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "cli/document_streams.h"
#include "cli/expression_warning.h"
#include "cli/output_paths.h"
#include "projectbuild/topic_filter.h"

namespace bte::cli {
namespace {

namespace fs = std::filesystem;
using projectbuild::TopicFilterStatus;

struct FilterHtmlOptions {
  std::string expression;
  projectbuild::TopicFilterOptions filter;
  bool strict = false, inPlace = false;
  std::string input;
  std::string output = "-";
};

// Where the topic lives, for resolving its links: the input file, or for
// standard input a name in the current folder.
std::string TopicPath(const std::string& input) {
  const fs::path path = input == "-" ? fs::current_path() / "-" : fs::absolute(input);
  return path.lexically_normal().string();
}

int RunFilterHtml(const FilterHtmlOptions& options) {
  if (!AcceptExpression(options.expression, options.strict)) return kExitUsage;
  if (!options.inPlace && IsSameFile(options.input, options.output)) {
    std::cerr << "buildtags: " << options.output
              << " is the input file; give --in-place to overwrite it\n";
    return kExitUsage;
  }
  projectbuild::TakeLinkedFilesAsFirstRead();
  std::string source;
  if (!ReadDocument(options.input, source)) return kExitFailed;
  const projectbuild::FilteredTopicDocument topic = projectbuild::FilterTopicDocument(
      std::move(source), TopicPath(options.input), options.expression, options.filter);
  switch (topic.status) {
    case TopicFilterStatus::kFiltered: break;
    case TopicFilterStatus::kNoFilter:
      std::cerr << "buildtags: cannot create the HTML filter\n";
      return kExitFailed;
    case TopicFilterStatus::kUnparsable:
      std::cerr << "buildtags: cannot parse " << options.input << '\n';
      return kExitFailed;
    case TopicFilterStatus::kFilterFailed:
      std::cerr << "buildtags: filtering " << options.input << " failed\n";
      return kExitFailed;
  }
  const auto save = [&topic](const projectbuild::PieceWriter& put) {
    topic.document->SaveInPieces(put, pagesift::kSaveHtml);
    return true;
  };
  return WriteDocumentInPieces(options.output, save) ? kExitOk : kExitFailed;
}

}  // namespace

void AddFilterHtmlCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "filter-html", "Remove the content of an HTML topic that an expression excludes");
  auto options = std::make_shared<FilterHtmlOptions>();
  command->add_option("-e,--expr,--expression", options->expression, "build tag expression")
      ->required();
  command->add_flag("--links", options->filter.links,
                    "also remove links and related-topic items that lead to excluded topics "
                    "(linked topics are found relative to IN's folder)");
  command->add_flag("--keep-tags", options->filter.keepTags,
                    "keep the build tags (data-buildtags, the buildtags meta) in the output");
  command->add_flag("--strict", options->strict,
                    "refuse an expression with a syntax fault (exit 2)");
  command->add_flag("--in-place", options->inPlace, "allow OUT to be IN: overwrite the topic");
  command->add_option("IN", options->input, "HTML topic, or - for standard input")->required();
  command->add_option("OUT", options->output, "where to write the result (default: -, "
                                               "standard output)");
  command->callback([options, &outcome] { outcome.exitCode = RunFilterHtml(*options); });
}

}  // namespace bte::cli
