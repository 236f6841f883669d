// Cutting a separated list into its pieces.
#ifndef BTE_STORE_SPLIT_LIST_H
#define BTE_STORE_SPLIT_LIST_H

#include <string>
#include <string_view>
#include <vector>

namespace bte {

// Appends the pieces between separators, untrimmed: "a||b" gives a, "", b;
// "a|b|" gives a, b (no empty last piece); "" gives nothing.
void SplitList(std::string_view text, char separator, std::vector<std::string>& out);

}  // namespace bte

#endif  // BTE_STORE_SPLIT_LIST_H
