#include "store/global_expressions.h"

#include <cstring>
#include <vector>

#include "expr/text.h"

namespace bte {
namespace {

constexpr uint32_t kSectionBuffer = 10240;
constexpr size_t kMaxLines = 10;
constexpr size_t kBlockFull = 9984;

}  // namespace

std::string GlobalLine(const ExpressionEntry& entry) {
  return std::string(kGlobalKeyWord) + '_' + FormatTimeStamp(entry.timeStamp) + '=' +
         entry.expression;
}

bool ParseGlobalLine(std::string_view line, std::string& expression, TimeStamp& time) {
  line = Trim(line);
  if (line.empty() || line.compare(0, sizeof kGlobalKeyWord - 1, kGlobalKeyWord) != 0)
    return false;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  // "Expr" and one separator, whatever character it is, precede the stamp.
  const std::string_view key = line.substr(0, equals);
  const std::string stamp(key.size() > 5 ? key.substr(5) : std::string_view());
  time = ParseTimeStamp(stamp.c_str());
  expression = std::string(TrimLeft(line.substr(equals + 1)));
  return true;
}

int LoadGlobalExpressions(const platform::ProfileFile& file, BuildTagExprList* list) {
  if (list == nullptr) return 0;
  std::vector<char> lines(kSectionBuffer, '\0');
  const uint32_t used = file.GetSection(kGlobalSection, lines.data(), kSectionBuffer - 1);
  if (used <= 1) return 1;
  std::string expression;
  TimeStamp time = 0;
  for (size_t start = 0; start < used;) {
    const std::string_view line(&lines[start]);
    start += line.size() + 1;
    if (ParseGlobalLine(line, expression, time)) list->AddEntry("", expression.c_str(), time);
  }
  return 1;
}

int SaveGlobalExpressions(platform::ProfileFile& file, BuildTagExprList* list) {
  if (list == nullptr) return 0;
  PruneGlobals(*list, kGlobalLimit);
  std::vector<char> block(kSectionBuffer, '\0');
  size_t used = 0;
  size_t count = 0;
  for (auto position = list->Head(); const ExpressionEntry* entry = list->Next(position);) {
    if (!entry->target.empty()) continue;
    const std::string line = GlobalLine(*entry);
    // The line, its NUL and the block's closing NUL must fit.
    if (used + line.size() + 2 <= kSectionBuffer) {
      std::memcpy(&block[used], line.c_str(), line.size() + 1);
      used += line.size() + 1;
      ++count;
    }
    if (count > kMaxLines || used > kBlockFull) break;
  }
  file.WriteSection(kGlobalSection, block.data());
  return 1;
}

// A global entry without text cannot be reused, so it goes before the
// count; then the oldest (earliest stamp, first in list order among equals)
// until the limit holds.
void PruneGlobals(BuildTagExprList& list, size_t limit) {
  std::vector<BuildTagExprList::Position> globals;
  for (auto position = list.Head();;) {
    const auto current = position;
    const ExpressionEntry* entry = list.Next(position);
    if (entry == nullptr) break;
    if (!entry->target.empty()) continue;
    if (entry->expression.empty())
      list.RemoveEntry(current);
    else
      globals.push_back(current);
  }
  while (globals.size() > limit) {
    auto oldest = globals.begin();
    for (auto it = globals.begin(); it != globals.end(); ++it)
      if ((*it)->timeStamp < (*oldest)->timeStamp) oldest = it;
    list.RemoveEntry(*oldest);
    globals.erase(oldest);
  }
}

}  // namespace bte
