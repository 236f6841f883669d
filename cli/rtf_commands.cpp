// `filter-rtf` and `rtf-tags`: the RTF filter on files and pipes.
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "buildtagexpr.h"
#include "cli/commands.h"
#include "platform/file_io.h"
#include "rtffilter/filter_document.h"

namespace bte::cli {
namespace {

// The whole input ("-" is stdin) followed by a zero byte, which the filter
// expects after the text.
bool ReadInput(const std::string& path, std::string& text) {
  if (path == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "buildtags: cannot read " << path << '\n';
      return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  if (text.size() >= std::numeric_limits<uint32_t>::max()) {
    std::cerr << "buildtags: " << path << " is too large\n";
    return false;
  }
  return true;
}

bool WriteOutput(const std::string& path, const char* data, uint32_t length) {
  if (path == "-") {
    std::cout.write(data, length);
    std::cout.flush();
    return static_cast<bool>(std::cout);
  }
  if (!platform::WriteFileAtomically(path, data, length)) {
    std::cerr << "buildtags: cannot write " << path << '\n';
    return false;
  }
  return true;
}

int RunFilterRtf(const std::string& expression, const std::string& input,
                 const std::string& output) {
  std::string text;
  if (!ReadInput(input, text)) return kExitFailed;
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, expression.c_str());
  const uint32_t length = static_cast<uint32_t>(text.size());
  IFilterOutputBuffer* result = nullptr;
  int exitCode = kExitOk;
  const rtf::FilterResult filtered = rtf::FilterDocument(text.c_str(), length, parser, &result);
  if (!filtered.ok()) {
    std::cerr << "buildtags: " << input << ": " << rtf::DescribeResult(filtered) << '\n';
    exitCode = kExitFailed;
  } else {
    char* data = nullptr;
    uint32_t resultLength = 0;
    result->GetData(&data, &resultLength);
    if (!WriteOutput(output, data, resultLength)) exitCode = kExitFailed;
    result->Release();
  }
  if (parser != nullptr) parser->Release();
  return exitCode;
}

int RunRtfTags(const std::string& input) {
  std::string text;
  if (!ReadInput(input, text)) return kExitFailed;
  std::vector<rtf::AnnotatedRange> ranges;
  const rtf::FilterResult listed =
      rtf::ListBuildTagRanges(text.c_str(), static_cast<uint32_t>(text.size()), ranges);
  if (!listed.ok()) {
    std::cerr << "buildtags: " << input << ": " << rtf::DescribeResult(listed) << '\n';
    return kExitFailed;
  }
  for (const rtf::AnnotatedRange& range : ranges)
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
  command->add_option("-e,--expression", *expression, "build tag expression")->required();
  command->add_option("IN", *input, "RTF document, - for stdin")->required();
  command->add_option("OUT", *output, "filtered document, - (the default) for stdout");
  command->callback([expression, input, output, &outcome] {
    outcome.exitCode = RunFilterRtf(*expression, *input, *output);
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
