// Arbitrary bytes through the editor's word checks and the dialog's list
// conversions. The input is cut at the first NUL: before it, tags separated
// by commas; after it, the expression. Message boxes are captured headlessly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/build_tag_expr_dialog.h"
#include "editor/headless_controls.h"
#include "editor/word_check.h"
#include "fuzz_support.h"

namespace {

using namespace bte::editor;

constexpr size_t kMaxDialogTags = 32;

std::vector<std::string> SplitTags(std::string_view list) {
  std::vector<std::string> tags;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    tags.emplace_back(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
  return tags;
}

// Tags for which lists and text convert into each other unchanged.
bool AllPlainWords(const std::vector<std::string>& tags) {
  for (const std::string& tag : tags) {
    if (tag.empty() || WordVocabulary::IsOperatorKeyword(tag)) return false;
    for (char c : tag)
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
        return false;
  }
  return true;
}

void CheckWords(std::string_view expression, const WordVocabulary& vocabulary) {
  int messages = 0;
  const MessageSink count = [&](uint32_t, const std::vector<std::string>&) { ++messages; };
  std::vector<std::string> words;
  const bool split = SplitExpressionWords(expression, vocabulary, words, count);
  Require(messages == (split ? 0 : 1));
  for (const std::string& word : words) {
    Require(vocabulary.IsKnownTag(word) || WordVocabulary::IsOperatorKeyword(word));
    Require(word.find(' ') == std::string::npos);
  }
  if (!split) return;
  const bool ordered = CheckBasicWordOrder(words, vocabulary, count);
  Require(messages == (ordered ? 0 : 1));
  // The Basic form lets "NOT a b" through, which the order check refuses.
  if (HasBasicForm(expression, vocabulary) && !expression.empty())
    Require(WordVocabulary::IsKeyword(words.front(), "NOT"));
}

// Start the dialog on the input; a Basic start goes to Advanced and OK.
void RunDialog(std::string_view expression, const std::vector<std::string>& tags) {
  BuildTagExprDialog dialog(nullptr);
  dialog.SetInput(expression, tags);
  HeadlessControls controls(dialog.Template());
  controls.SetEvents(&dialog);
  dialog.Start(controls);
  const int excluded = controls.EntryCount(control::kExcludedList);
  Require(controls.EntryCount(control::kAvailableList) + excluded >= 0);
  if (!dialog.advanced() && excluded > 0 && AllPlainWords(tags)) {
    Require(controls.Click(control::kModeToggle));
    const std::string text = controls.Text(control::kExpressionEdit);
    Require(dialog.IsBasicForm(text));
    Require(controls.Click(control::kOk));
    Require(controls.Ended() && controls.MessageBoxes().empty());
    std::string result;
    dialog.GetResult(result);
    Require(result == text + " ");
  } else {
    controls.Click(control::kOk);
  }
  dialog.Detach();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\0');
  if (cut == std::string_view::npos) return 0;
  const std::vector<std::string> tags = SplitTags(input.substr(0, cut));
  const std::string expression(input.substr(cut + 1));
  CheckWords(expression, WordVocabulary(tags));
  // Dialogs hold a handful of tags; long lists only slow the search down.
  if (tags.size() <= kMaxDialogTags) RunDialog(expression, tags);
  return 0;
}
