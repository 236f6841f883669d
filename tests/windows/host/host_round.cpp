// What the help-authoring host does with the module, as a Windows program:
// load it by path, find the six entry points by name, make a round through
// every kind of object, free every string with the system's functions,
// release every object, unload it. It also catches FilterFile's exception
// by its type, thrown in the module and caught here, across the boundary.
// (What every factory and the identity function answer is the module
// suite's, which runs under Wine too.)
//
// Usage: host_round MODULE_DLL WORK_FOLDER    (exit 0 = every check held)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "buildtagexpr.h"
#include "layoutsettings/single_source_settings.h"
#include "pagesift/html_pack.h"
#include "tests/support/check.h"
#include "tests/support/temp_folder.h"

namespace {

struct Entries {
  decltype(&CreateBuildTagExprParserInstance) parser;
  decltype(&CreateBuildTagExprManagerInstance) manager;
  decltype(&CreateBuildTagExprFilterInstance) htmlFilter;
  decltype(&CreateRTFBuildTagExprFilterInstance) rtfFilter;
  decltype(&CreateBuildTagExprEditorInstance) editor;
  decltype(&GetRTFBuildTagIdentidy) identity;
};

template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  Check(function != nullptr, name);
}

bool FindAll(HMODULE module, Entries& entries) {
  Find(module, "CreateBuildTagExprParserInstance", entries.parser);
  Find(module, "CreateBuildTagExprManagerInstance", entries.manager);
  Find(module, "CreateBuildTagExprFilterInstance", entries.htmlFilter);
  Find(module, "CreateRTFBuildTagExprFilterInstance", entries.rtfFilter);
  Find(module, "CreateBuildTagExprEditorInstance", entries.editor);
  Find(module, "GetRTFBuildTagIdentidy", entries.identity);
  return failures == 0;
}

void ParserRound(const Entries& entries) {
  IBuildTagExprParser* parser = nullptr;
  Check(entries.parser(&parser, "NOT Print AND NOT Beta") == S_OK && parser, "parser made");
  if (parser == nullptr) return;
  Check(parser->IsIncluded("print;web") == 1, "print;web excluded");
  Check(parser->IsIncluded("Web") == 0, "Web kept");
  // Another thread may take and give back references.
  std::thread other([parser] {
    for (int i = 0; i < 1000; ++i) parser->AddRef();
    for (int i = 0; i < 1000; ++i) parser->Release();
  });
  other.join();
  Check(parser->Release() == 0, "the last Release frees the parser");
}

void RtfRound(const Entries& entries, const std::string& work) {
  IRTFBuildTagExprFilter* filter = nullptr;
  Check(entries.rtfFilter(&filter) == S_OK && filter, "RTF filter made");
  if (filter == nullptr) return;
  Check(filter->SetExpression("NOT Print") == S_OK, "RTF expression set");
  const std::string rtf = "{\\rtf1\\ansi Hello}";
  IFilterOutputBuffer* output = nullptr;
  Check(filter->FilterBuffer(rtf.data(), static_cast<uint32_t>(rtf.size()), &output) == S_OK &&
            output,
        "FilterBuffer done");
  if (output != nullptr) {
    char* data = nullptr;
    uint32_t length = 0;
    output->GetData(&data, &length);
    Check(data != nullptr && std::string(data, length) == rtf, "untagged RTF kept byte for byte");
    output->Release();
  }
  const std::string input = work + "\\in.rtf", result = work + "\\out.rtf";
  WriteBytes(input, rtf);
  Check(filter->FilterFile(input.c_str(), result.c_str()) == S_OK, "FilterFile done");
  Check(ReadBytes(result) == rtf, "FilterFile wrote the document");
  bool caught = false;
  try {
    filter->FilterFile((work + "\\missing.rtf").c_str(), result.c_str());
  } catch (const BuildTagExprFileError& error) {
    caught = error.systemError() == ERROR_FILE_NOT_FOUND;
  }
  Check(caught, "a missing input throws BuildTagExprFileError with ERROR_FILE_NOT_FOUND");
  filter->Release();
}

// The filter works on a document of the HTML library DLL that the host
// made, and on text handed over as a wide string.
void HtmlRound(const Entries& entries) {
  IBuildTagExprFilter* filter = nullptr;
  Check(entries.htmlFilter(&filter) == S_OK && filter, "HTML filter made");
  if (filter == nullptr) return;
  filter->SetExpression("NOT Print");
  const std::string html =
      "<html><body><p>kept</p><p data-buildtags=\"Print\">gone</p></body></html>";
  CHtmlFileEx document(CByteString(html), nullptr);
  document.Analyse();
  Check(filter->FilterDocument(document) == S_OK, "FilterDocument done");
  CByteString saved;
  document.Save(saved, pagesift::kSaveHtml);
  const std::string text(saved.View());
  Check(text.find("kept") != std::string::npos && text.find("gone") == std::string::npos,
        "the excluded paragraph left the document");
  BSTR filtered = nullptr;
  Check(filter->FilterText(L"<p data-buildtags=\"Print\">gone</p><p>kept</p>", &filtered) == S_OK,
        "FilterText done");
  Check(filtered != nullptr && std::wcsstr(filtered, L"gone") == nullptr &&
            std::wcsstr(filtered, L"kept") != nullptr,
        "FilterText removed the excluded paragraph");
  SysFreeString(filtered);
  filter->Release();
}

int CountRecords(IBuildTagExprManager* manager, const char* expression) {
  IBuildTagExprList* list = nullptr;
  if (manager->GetExpressionList(&list) != S_OK || list == nullptr) return -1;
  int found = 0;
  IBuildTagExprRecord* record = nullptr;
  while (list->GetNextRecord(&record) == S_OK) {
    char text[256] = {};
    if (record->GetExpression(text, sizeof text) == S_OK && std::strcmp(text, expression) == 0)
      ++found;
    record->Release();
  }
  list->Release();
  return found;
}

void ManagerRound(const Entries& entries, const std::string& work) {
  const std::string project = work + "\\project.ini";
  WriteBytes(project,
             "[Target:Print]\r\nBuildExpression=NOT Web AND NOT Beta\r\n"
             "[Target:Web]\r\nBuildExpression=NOT Print\r\n");
  IBuildTagExprManager* manager = nullptr;
  Check(entries.manager(&manager, project.c_str()) == S_OK && manager, "manager made");
  if (manager == nullptr) return;
  manager->SetTargetNames("Print|Web");
  Check(manager->AddGlobalExpression("Draft OR Beta") == S_OK, "global expression added");
  Check(CountRecords(manager, "Draft OR Beta") == 1, "the list holds the global expression");
  Check(manager->RenameTag("Beta", "Preview") == S_OK, "tag renamed");
  Check(CountRecords(manager, "Draft OR Preview") == 1, "the rename reached the global");
  Check(ReadBytes(project).value_or("").find("NOT Web AND NOT Preview") != std::string::npos,
        "the rename reached the target's expression in the file");
  manager->Release();
}

// A project file made read-only while the manager has it is never
// replaced: the edit is refused and the file keeps every byte. (Making a
// manager clears the attribute, as the host expects.)
void ReadOnlyProject(const Entries& entries, const std::string& work) {
  const std::string project = work + "\\readonly.ini";
  const std::string bytes = "[Target:Print]\r\nBuildExpression=NOT Web\r\n";
  WriteBytes(project, bytes);
  IBuildTagExprManager* manager = nullptr;
  entries.manager(&manager, project.c_str());
  if (manager == nullptr) return;
  SetFileAttributesA(project.c_str(), FILE_ATTRIBUTE_READONLY);
  manager->AddGlobalExpression("Draft");
  Check(ReadBytes(project) == bytes, "the read-only file kept its bytes");
  manager->Release();
  SetFileAttributesA(project.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A project deeper than MAX_PATH characters works as a shallow one.
void LongPathProject(const Entries& entries, const std::string& work) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(work.c_str(), MAX_PATH, full, nullptr);
  std::string folder = full;
  while (folder.size() < MAX_PATH + 20) {
    folder += "\\a-folder-name-of-forty-characters-long-x";
    const std::wstring wide = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
    CreateDirectoryW(wide.c_str(), nullptr);
  }
  const std::string project = folder + "\\project.ini";
  IBuildTagExprManager* manager = nullptr;
  entries.manager(&manager, project.c_str());
  if (manager == nullptr) return;
  Check(manager->AddGlobalExpression("Deep OR Long") == S_OK,
        "a project file past MAX_PATH is written");
  Check(CountRecords(manager, "Deep OR Long") == 1, "a project file past MAX_PATH is read back");
  manager->Release();
}

// A project file whose name has bytes past ASCII (in the process code
// page) is the file Windows's own ANSI functions find under that name.
void CodePageProject(const Entries& entries, const std::string& work) {
  const std::string project = work + "\\caf\xE9 \xC4nderung.ini";
  IBuildTagExprManager* manager = nullptr;
  entries.manager(&manager, project.c_str());
  if (manager == nullptr) return;
  Check(manager->AddGlobalExpression("Caf OR Beta") == S_OK, "a code-page project name is written");
  Check(ReadBytes(project).value_or("").find("Caf OR Beta") != std::string::npos,
        "the ANSI functions find the code-page project file");
  manager->Release();
}

// With the host's layout-settings library loaded (before the manager is
// made, as the host does), the manager finds it without loading it and
// reports targets in a string enumerator, whose strings the task allocator
// frees.
void LayoutRound(const Entries& entries, const std::string& moduleFolder,
                 const std::string& work) {
  const HMODULE layout = LoadLibraryA((moduleFolder + "PublishProfiles.dll").c_str());
  Check(layout != nullptr, "LoadLibraryA of PublishProfiles.dll");
  if (layout == nullptr) return;
  auto setInUse = reinterpret_cast<void (*)(int32_t)>(
      reinterpret_cast<void*>(GetProcAddress(layout, "SetSingleSourceLayoutInUse")));
  auto create = reinterpret_cast<CreateSingleSourceSettingsInstanceFunction>(
      reinterpret_cast<void*>(GetProcAddress(layout, kCreateSettingsEntry)));
  Check(setInUse && create, "the layout library's entry points");
  if (setInUse == nullptr || create == nullptr) return;
  setInUse(1);
  const std::string project = work + "\\layout.ini";
  ISingleSourceSettings* settings = nullptr;
  create(&settings, project.c_str(), "Target:Print");
  if (settings != nullptr) {
    settings->SetValue("BuildExpression", "NOT Beta");
    settings->Release();
  }
  IBuildTagExprManager* manager = nullptr;
  entries.manager(&manager, project.c_str());
  if (manager != nullptr) {
    manager->SetTargetNames("Print");
    IEnumString* targets = nullptr;
    Check(manager->GetTargetsForRename("Beta", "Preview", &targets) == S_OK && targets,
          "targets for a rename listed through the layout library");
    LPOLESTR name = nullptr;
    ULONG fetched = 0;
    Check(targets && targets->Next(1, &name, &fetched) == S_OK && fetched == 1 &&
              std::wcscmp(name, L"Print") == 0,
          "Print is the target a rename of Beta changes");
    CoTaskMemFree(name);
    if (targets != nullptr) targets->Release();
    manager->Release();
  }
  setInUse(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: host_round MODULE_DLL WORK_FOLDER\n");
    return 2;
  }
  const HMODULE module = LoadLibraryA(argv[1]);
  Check(module != nullptr, "LoadLibraryA of the module");
  if (module == nullptr) return 1;
  Entries entries{};
  if (FindAll(module, entries)) {
    ParserRound(entries);
    RtfRound(entries, argv[2]);
    HtmlRound(entries);
    ManagerRound(entries, argv[2]);
    ReadOnlyProject(entries, argv[2]);
    LongPathProject(entries, argv[2]);
    CodePageProject(entries, argv[2]);
    const std::string module = argv[1];
    LayoutRound(entries, module.substr(0, module.find_last_of("/\\") + 1), argv[2]);
  }
  Check(FreeLibrary(module) != 0, "FreeLibrary of the module");
  return RoundResult("host round");
}
