// `filter-html`: one topic through the HTML filter, as the host does it with
// a document it has analysed. The output is written only after the filter
// succeeded, through a temporary file beside it, so a failed run leaves an
// existing output untouched.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "buildtagexpr.h"
#include "cli/commands.h"
#include "pagesift/pagesift.h"
#include "platform/file_io.h"

namespace bte::cli {
namespace {

namespace fs = std::filesystem;

struct FilterHtmlOptions {
  std::string expression;
  bool links = false;
  std::string input;
  std::string output = "-";
};

bool ReadInput(const std::string& path, std::string& bytes) {
  if (path == "-") {
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  platform::FileContents file = platform::ReadWholeFile(path);
  bytes = std::move(file.bytes);
  return file.ok();
}

bool WriteOutput(const std::string& path, const CByteString& bytes) {
  if (path == "-") {
    std::cout.write(bytes.GetContent(), bytes.GetLength());
    return static_cast<bool>(std::cout.flush());
  }
  const std::string_view text(bytes.GetContent(), static_cast<size_t>(bytes.GetLength()));
  return platform::ReplaceFileAtomically(path, text, platform::kRegenerableFile).ok();
}

// Where the topic lives, for resolving its links: the input file, or for
// standard input a name in the current folder.
std::string TopicPath(const std::string& input) {
  const fs::path path = input == "-" ? fs::current_path() / "-" : fs::absolute(input);
  return path.lexically_normal().string();
}

int RunFilterHtml(const FilterHtmlOptions& options) {
  std::string source;
  if (!ReadInput(options.input, source)) {
    std::cerr << "buildtags: cannot read " << options.input << '\n';
    return kExitFailed;
  }
  IBuildTagExprFilter* filter = nullptr;
  if (CreateBuildTagExprFilterInstance(&filter) != S_OK) {
    std::cerr << "buildtags: cannot create the HTML filter\n";
    return kExitFailed;
  }
  std::unique_ptr<IBuildTagExprFilter, void (*)(IBuildTagExprFilter*)> owner(
      filter, [](IBuildTagExprFilter* f) { f->Release(); });
  filter->SetExpression(options.expression.c_str());

  const std::string topicPath = TopicPath(options.input);
  CHtmlFileEx document(CByteString(source), topicPath.c_str());
  if (!document.Analyse()) {
    std::cerr << "buildtags: cannot parse " << options.input << '\n';
    return kExitFailed;
  }
  const HRESULT filtered = options.links ? filter->FilterDocumentWithLinks(document)
                                         : filter->FilterDocument(document);
  if (filtered != S_OK) {
    std::cerr << "buildtags: filtering " << options.input << " failed\n";
    return kExitFailed;
  }
  CByteString output;
  document.Save(output, pagesift::kSaveHtml);
  if (!WriteOutput(options.output, output)) {
    std::cerr << "buildtags: cannot write " << options.output << '\n';
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void AddFilterHtmlCommand(CLI::App& app, Outcome& outcome) {
  auto* command = app.add_subcommand(
      "filter-html", "Remove the content of an HTML topic that an expression excludes");
  auto options = std::make_shared<FilterHtmlOptions>();
  command->add_option("-e,--expression", options->expression, "build tag expression")
      ->required();
  command->add_flag("--links", options->links,
                    "also remove links and related-topic items that lead to excluded topics "
                    "(linked topics are found relative to IN's folder)");
  command->add_option("IN", options->input, "HTML topic, or - for standard input")->required();
  command->add_option("OUT", options->output, "where to write the result (default: -, "
                                               "standard output)");
  command->callback([options, &outcome] { outcome.exitCode = RunFilterHtml(*options); });
}

}  // namespace bte::cli
