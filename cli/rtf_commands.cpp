// `filter-rtf` and `rtf-tags`: the RTF filter on files and pipes.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "buildtagexpr_host.h"
#include "cli/commands.h"
#include "cli/document_streams.h"
#include "cli/expression_warning.h"
#include "cli/output_paths.h"
#include "projectbuild/beyond_interface.h"

namespace bte::cli {
namespace {

int RunFilterRtf(const std::string& expression, const std::string& input,
                 const std::string& output) {
  DocumentView document;
  if (!ReadDocument(input, document)) return kExitFailed;
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), expression.c_str());
  std::string error;
  const auto refused = [&] {
    std::cerr << "buildtags: " << input << ": " << error << '\n';
    return kExitFailed;
  };
  if (output == "-") {  // a refused document puts nothing into the pipe
    projectbuild::FilteredRtf filtered;
    if (!projectbuild::FilterRtfDocument(document.bytes, parser.get(), filtered, error))
      return refused();
    return WriteDocument(output, filtered.bytes) ? kExitOk : kExitFailed;
  }
  // A file is written as the filter goes; a refusal leaves it as it was.
  bool filtered = true;
  const bool written = WriteDocumentInPieces(output, [&](const projectbuild::PieceWriter& put) {
    return filtered =
               projectbuild::FilterRtfDocumentInPieces(document.bytes, parser.get(), put, error);
  });
  if (!filtered) return refused();
  return written ? kExitOk : kExitFailed;
}

int RunRtfTags(const std::string& input) {
  DocumentView document;
  std::string error;
  if (!ReadDocument(input, document)) return kExitFailed;
  std::vector<projectbuild::RtfTaggedRange> ranges;
  if (!projectbuild::ListRtfTaggedRanges(document.bytes, ranges, error)) {
    std::cerr << "buildtags: " << input << ": " << error << '\n';
    return kExitFailed;
  }
  for (const projectbuild::RtfTaggedRange& range : ranges)
    std::cout << range.number << '\t' << range.tagText << '\n';
  return kExitOk;
}

}  // namespace

void AddFilterRtfCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "filter-rtf", "Remove excluded content and build-tag annotations from an RTF document");
  auto expression = std::make_shared<std::string>();
  auto input = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>("-");
  auto strict = std::make_shared<bool>(false);
  auto inPlace = std::make_shared<bool>(false);
  command->add_option("-e,--expr,--expression", *expression, "build tag expression")->required();
  command->add_option("IN", *input, "RTF document, - for stdin")->required();
  command->add_option("OUT", *output, "filtered document, - (the default) for stdout");
  command->add_flag("--strict", *strict, "refuse an expression with a syntax fault (exit 2)");
  command->add_flag("--in-place", *inPlace, "allow OUT to be IN: overwrite the document");
  command->callback([expression, input, output, strict, inPlace, &outcome] {
    if (!AcceptExpression(*expression, *strict)) {
      outcome.exitCode = kExitUsage;
    } else if (!*inPlace && IsSameFile(*input, *output)) {
      std::cerr << "buildtags: " << *output << " is the input file; give --in-place to overwrite it\n";
      outcome.exitCode = kExitUsage;
    } else {
      outcome.exitCode = RunFilterRtf(*expression, *input, *output);
    }
  });
}

void AddRtfTagsCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "rtf-tags", "List the build-tag annotations of an RTF document: range number and tags");
  auto input = std::make_shared<std::string>();
  command->add_option("IN", *input, "RTF document, - for stdin")->required();
  command->callback([input, &outcome] { outcome.exitCode = RunRtfTags(*input); });
}

}  // namespace bte::cli
