// Global expressions: the section "Global Build Tag Expressions" of the
// project file, one line "Expr_<time stamp>=<expression>" per expression,
// at most ten kept, the oldest going first.
#ifndef BTE_STORE_GLOBAL_EXPRESSIONS_H
#define BTE_STORE_GLOBAL_EXPRESSIONS_H

#include <cstddef>
#include <string>

#include "platform/profile_file.h"
#include "store/expression_list.h"

namespace bte {

inline constexpr char kGlobalSection[] = "Global Build Tag Expressions";
inline constexpr char kGlobalKeyWord[] = "Expr";
inline constexpr size_t kGlobalLimit = 10;

// Appends the section's global entries in file order. 0 for a null list.
int LoadGlobalExpressions(const platform::ProfileFile& file, BuildTagExprList* list);

// Replaces the whole section with the list's global entries (after
// PruneGlobals). 0 for a null list.
int SaveGlobalExpressions(platform::ProfileFile& file, BuildTagExprList* list);

// Global entries with no text go first; then the oldest until at most limit
// remain. Target entries stay.
void PruneGlobals(BuildTagExprList& list, size_t limit);

// One section line as written: "Expr_<stamp>=<expression>".
std::string GlobalLine(const ExpressionEntry& entry);

// A section line as read. False when it is not a global expression line.
bool ParseGlobalLine(std::string_view line, std::string& expression, TimeStamp& time);

}  // namespace bte

#endif  // BTE_STORE_GLOBAL_EXPRESSIONS_H
