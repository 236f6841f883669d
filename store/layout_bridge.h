// The bridge to the host's output-layout settings library. When the host
// has loaded it and it says its settings are in use, target and global
// expressions are read and written through it instead of the project file.
#ifndef BTE_STORE_LAYOUT_BRIDGE_H
#define BTE_STORE_LAYOUT_BRIDGE_H

#include <string>
#include <vector>

#include "store/expression_list.h"

namespace bte::layout {

// Looks for the already loaded library (once found, remembered for the life
// of the process) and its settings factory.
void ResolveLayoutLibrary();
// 1 when the library's manager says its settings are in use, else 0.
int QueryLayoutInUse();
// Whether the settings factory was found.
bool SettingsFactoryFound();

// The named targets' expressions (names trimmed, empty ones skipped).
void LoadTargetExpressions(const std::string& filePath, const std::vector<std::string>& targetNames,
                           BuildTagExprList& list);
// Writes the value only when it differs from the stored one. Always 1.
int WriteTargetExpression(const std::string& filePath, const char* target, const char* expression);
void LoadGlobalExpressions(const std::string& filePath, BuildTagExprList& list);
// Replaces the global section with the list's (already pruned) globals.
void SaveGlobalExpressions(const std::string& filePath, BuildTagExprList& list);

// The display names of the named targets whose expression a rename would
// change, or that use the tag. Nothing is written.
std::vector<std::string> TargetsForRename(const std::string& filePath,
                                          const std::vector<std::string>& targetNames,
                                          const char* oldTag, const char* newTag);
std::vector<std::string> TargetsUsingTag(const std::string& filePath,
                                         const std::vector<std::string>& targetNames,
                                         const char* tag);

}  // namespace bte::layout

#endif  // BTE_STORE_LAYOUT_BRIDGE_H
