// The editor dialog as a host and its user meet it on Windows: the host
// loads the module by path, hands the editor its window, tags and
// expression and calls Edit; a user on a second thread finds the dialog
// and works it through window messages. Each scenario checks what Edit
// hands back; some save a screenshot of the dialog into SHOT_FOLDER.
//
// Usage: dialog_round MODULE_DLL SHOT_FOLDER    (exit 0 = every check held)
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "buildtagexpr.h"
#include "tests/support/check.h"
#include "user.h"

namespace dialog_round {
namespace {

constexpr char kDialogCaption[] = "Define Conditional Build Tag Expression";
constexpr char kMessageCaption[] = "Conditional Build Tag Expression";
enum Id {
  kAvailable = 15324, kExcluded = 15327, kExclude = 15328, kToggle = 15310,
  kAddTag = 15307, kAnd = 15304, kOr = 15305, kNot = 15306, kHelp = 15308,
  kEdit = 15303,
};

class Host : public IBuildTagExprEditorHost {
 public:
  HRESULT WINAPI QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG WINAPI AddRef() override { return 1; }
  ULONG WINAPI Release() override { return 1; }
  HRESULT WINAPI GetParentWindow(HWND* window) override {
    *window = parent;
    return S_OK;
  }
  HRESULT WINAPI ShowHelp(uint32_t context) override {
    lastHelpContext = context;
    ++helpRequests;
    return S_OK;
  }
  HWND parent = nullptr;
  std::atomic<int> helpRequests{0};
  std::atomic<uint32_t> lastHelpContext{0};
};

struct Scenario {
  const char* name;
  std::vector<std::string> tags;
  std::string expression;
  std::function<void(User&)> user;
  HRESULT edit;
  std::string result;  // GetExpression afterwards
};

std::string ExpressionOf(IBuildTagExprEditor* editor) {
  BSTR wide = nullptr;
  editor->GetExpression(&wide);
  const int length = SysStringLen(wide);
  std::string text(WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, &text[0], int(text.size()), nullptr, nullptr);
  SysFreeString(wide);
  return text;
}

// One Edit call with the user working on the other thread. A user who
// leaves the dialog open is a failure; the dialog is then cancelled.
void Run(IBuildTagExprEditor* editor, const Scenario& scenario) {
  std::printf("scenario %s\n", scenario.name);
  for (const std::string& tag : scenario.tags) editor->AddTag(tag.c_str());
  editor->SetExpression(scenario.expression.c_str());
  std::thread userThread([&scenario] {
    HWND dialog = WaitForDialog(kDialogCaption);
    Check(dialog != nullptr, std::string(scenario.name) + ": the dialog appears");
    if (dialog == nullptr) return;
    User user(dialog);
    scenario.user(user);
    for (int wait = 0; wait < 100 && user.Open(); ++wait) Sleep(50);
    Check(!user.Open(), std::string(scenario.name) + ": the user closed the dialog");
    if (user.Open()) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  const HRESULT edit = editor->Edit(0);
  userThread.join();
  Check(edit == scenario.edit, std::string(scenario.name) + ": Edit answers " + std::to_string(edit));
  const std::string result = ExpressionOf(editor);
  Check(result == scenario.result, std::string(scenario.name) + ": expression \"" + result + "\"");
}

std::string shots;

void Screenshot(const User& user, const char* name) {
  Check(user.SaveScreenshot(shots + "/" + name + ".bmp"), std::string("screenshot ") + name);
}

const std::vector<std::string> kTags = {"Print", "Web", "Beta"};

void BasicMode(User& user) {
  Check(user.Text(kToggle) == "Advanc&ed >>", "starts in Basic mode");
  Check(!user.Enabled(kExclude), "the move buttons wait for a selection");
  Check(user.Text(kHelp) == "&Help", "the Help button is the stock one");
  Check(!user.Visible(kEdit) && !user.Visible(kAnd) && user.Visible(kToggle),
        "the Advanced group is cut off and out of reach");
  std::vector<std::string> tips = TooltipTexts(user.dialog());
  Check(tips.size() == 4 && tips[0] == "Add to the list", "four tooltips, from the string table");
  RECT client, template_ = {0, 0, 287, 0};
  GetClientRect(user.dialog(), &client);
  MapDialogRect(user.dialog(), &template_);
  Check(client.right == template_.right, "the dialog is the template's width");
  Check(user.ChooseInList(kAvailable, "Print") && user.Click(kExclude), "Print moves");
  Check(user.ChooseInList(kAvailable, "Beta", true), "Beta moves by double click");
  Check(user.EntryCount(kExcluded) == 2 && user.EntryCount(kAvailable) == 1, "lists follow");
  Screenshot(user, "basic");
  user.Click(IDOK);
}

void AdvancedMode(User& user) {
  Check(user.Click(kToggle) && user.Text(kToggle) == "<< Bas&ic", "switches to Advanced mode");
  Check(!user.Enabled(kAvailable), "the Basic lists are disabled");
  Check(user.Visible(kEdit) && user.Visible(kAvailable), "both groups are shown");
  Check(!user.Enabled(kOr) && user.Enabled(kNot), "OR waits for a tag");
  Check(user.ChooseTag("Print") && user.Click(kAddTag), "Add Tag inserts Print");
  Check(user.Click(kOr), "OR follows a tag");
  Check(!user.Enabled(kAddTag), "Print again is refused");
  Check(user.ChooseTag("Web") && user.Enabled(kAddTag), "choosing Web enables Add Tag");
  Check(user.Click(kAddTag), "Add Tag inserts Web");
  Check(user.Text(kEdit) == "Print OR Web", "the box reads \"" + user.Text(kEdit) + "\"");
  Check(!user.Enabled(kNot) && user.Enabled(kAnd), "NOT cannot follow a tag");
  Screenshot(user, "advanced");
  user.Click(IDOK);
}

void UnknownWord(User& user) {
  user.Click(kToggle);
  user.Type(" OR Nope");
  user.ClickWithoutWaiting(IDOK);
  HWND box = WaitForDialog(kMessageCaption);
  Check(box != nullptr, "OK with an unknown word raises a message box");
  if (box == nullptr) return;
  const std::vector<std::string> texts = StaticTexts(box);
  std::string all;
  for (const std::string& text : texts) all += "[" + text + "]";
  Check(all.find("[The string \"Nope\" is invalid.]") != std::string::npos,
        "the message box has the string table's text: " + all);
  Screenshot(User(box), "message");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  for (int wait = 0; wait < 100 && IsWindow(box); ++wait) Sleep(50);
  Check(user.Open() && user.Text(kEdit) == "NOT Print OR Nope", "the dialog stays open, text kept");
  user.Click(IDCANCEL);
}

Host* helpHost = nullptr;

void HelpThenEscape(User& user) {
  Check(user.Click(kHelp), "Help is enabled");
  user.PressF1();
  Check(helpHost->helpRequests == 2 && helpHost->lastHelpContext == 15321,
        "Help and F1 reach the host with context 15321");
  user.PressEscape();
}

void BigInput(User& user) {
  Check(user.EntryCount(kAvailable) == 2002, "every tag is listed, duplicates too");
  user.CloseBox();
}

std::vector<std::string> ManyTags() {
  std::vector<std::string> tags;
  for (int i = 0; i < 2000; ++i) tags.push_back("Tag" + std::to_string(i));
  tags.push_back("Tag7");
  tags.push_back("Two words");
  return tags;
}

std::string LongExpression() {
  std::string text = "Caf\xe9";
  while (text.size() < 10000) text += " OR Tag" + std::to_string(text.size() % 2000);
  return text;
}

}  // namespace
}  // namespace dialog_round

int main(int argc, char** argv) {
  using namespace dialog_round;
  if (argc != 3) {
    std::printf("usage: dialog_round MODULE_DLL SHOT_FOLDER\n");
    return 2;
  }
  shots = argv[2];
  HMODULE module = LoadLibraryA(argv[1]);
  Check(module != nullptr, "the module loads");
  if (module == nullptr) return 1;
  char caption[64] = {};
  LoadStringA(module, 15324, caption, sizeof caption);
  Check(std::string(caption) == kMessageCaption, "LoadString finds the module's caption");
  Check(FindResourceA(module, MAKEINTRESOURCEA(15321), MAKEINTRESOURCEA(5)) != nullptr,
        "FindResource finds dialog 15321");
  auto create = reinterpret_cast<decltype(&CreateBuildTagExprEditorInstance)>(
      reinterpret_cast<void*>(GetProcAddress(module, "CreateBuildTagExprEditorInstance")));
  Check(create != nullptr, "the editor factory is exported");
  if (create == nullptr) return 1;

  Host host;
  helpHost = &host;
  host.parent = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
  IBuildTagExprEditor* editor = nullptr;
  create(&editor);
  editor->SetHost(&host);
  // One editor, Edit after Edit: the tags accumulate.
  const std::vector<Scenario> scenarios = {
      {"basic", kTags, "", BasicMode, S_OK, "NOT Beta AND NOT Print"},
      {"advanced", {}, "", AdvancedMode, S_OK, "Print OR Web "},
      {"unknown word", {}, "NOT Print", UnknownWord, S_FALSE, "NOT Print"},
      {"help, then Esc", {}, "NOT Web", HelpThenEscape, S_FALSE, "NOT Web"},
  };
  for (const Scenario& scenario : scenarios) Run(editor, scenario);
  editor->Release();

  // Without a parent window, many tags, a long expression with 8-bit bytes.
  host.parent = nullptr;
  create(&editor);
  editor->SetHost(&host);
  const std::string longText = LongExpression();
  Run(editor, {"big input, close box", ManyTags(), longText, BigInput, S_FALSE, longText});
  editor->Release();

  DestroyWindow(host.parent);
  FreeLibrary(module);
  return RoundResult("dialog round");
}
