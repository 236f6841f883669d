#include "store/split_list.h"

namespace bte {

void SplitList(std::string_view text, char separator, std::vector<std::string>& out) {
  while (!text.empty()) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) {
      out.emplace_back(text);
      return;
    }
    out.emplace_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
}

}  // namespace bte
