#include "store/project_file.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_attributes.h"

namespace bte {

int LoadTargetExpressions(const platform::ProfileFile& file, BuildTagExprList* list) {
  if (list == nullptr) return 0;
  std::vector<char> names(kSectionListBuffer, '\0');
  const uint32_t used = file.GetSectionNames(names.data(), kSectionListBuffer - 1);
  if (used <= 1) return 1;
  constexpr size_t kPrefixLength = sizeof kTargetPrefix - 1;
  char value[kValueBuffer];
  for (size_t start = 0; start < used;) {
    const std::string_view name(&names[start]);
    start += name.size() + 1;
    if (name.compare(0, kPrefixLength, kTargetPrefix) != 0) continue;
    const std::string section(name);
    file.GetString(section.c_str(), kExpressionKey, kNoExpression, value, kValueBuffer);
    if (value[0] == '\0' || std::strcmp(value, kNoExpression) == 0) continue;
    list->AddEntry(section.c_str() + kPrefixLength, value);
  }
  return 1;
}

int WriteTargetExpression(platform::ProfileFile& file, const char* target,
                          const char* expression) {
  if (target == nullptr || target[0] == '\0') return 0;
  const std::string section = std::string(kTargetPrefix) + target;
  file.WriteString(section.c_str(), kExpressionKey, expression != nullptr ? expression : "");
  return 1;
}

void ClearFileAttributes(const char* path) {
  if (path == nullptr || path[0] == '\0') return;
  if (platform::ReadFileAttributes(path) == platform::kInvalidFileAttributes) return;
  platform::ChangeFileAttributes(path, platform::kFileAttributeNormal);
}

}  // namespace bte
