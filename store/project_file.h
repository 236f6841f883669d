// Target expressions in the project expression file: one section
// "Target:<name>" per target with the key "BuildExpression".
#ifndef BTE_STORE_PROJECT_FILE_H
#define BTE_STORE_PROJECT_FILE_H

#include <cstdint>

#include "platform/profile_file.h"
#include "store/expression_list.h"

namespace bte {

inline constexpr char kTargetPrefix[] = "Target:";
inline constexpr char kExpressionKey[] = "BuildExpression";
// What a read gives for a target without the key.
inline constexpr char kNoExpression[] = "*****";
// Fixed read buffers: all section names, and one value.
inline constexpr uint32_t kSectionListBuffer = 10240;
inline constexpr uint32_t kValueBuffer = 260;

// Appends one entry per target section holding an expression, in file
// order. 0 for a null list, else 1.
int LoadTargetExpressions(const platform::ProfileFile& file, BuildTagExprList* list);

// Writes the target's value (empty for null, which clears it), also when
// unchanged. 0 for a null or empty target name, else 1.
int WriteTargetExpression(platform::ProfileFile& file, const char* target,
                          const char* expression);

// Makes an existing project file writable again; a missing one stays
// missing.
void ClearFileAttributes(const char* path);

}  // namespace bte

#endif  // BTE_STORE_PROJECT_FILE_H
