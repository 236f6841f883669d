#include "pagesift/popup_anchor.h"

#include <string_view>

#include "pagesift/tag_scanner.h"

namespace {

constexpr std::string_view kScheme = "javascript:";

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  for (size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (pagesift::EqualsIgnoringCase(text.substr(at, part.size()), part)) return true;
  }
  return false;
}

// "javascript:" name "(" quote target quote ...: the target, or empty.
std::string PopupTarget(const char* href) {
  if (!href) return {};
  std::string_view text = href;
  size_t at = 0;
  while (at < text.size() && pagesift::IsHtmlSpace(text[at])) ++at;
  if (!pagesift::EqualsIgnoringCase(text.substr(at, kScheme.size()), kScheme)) return {};
  at += kScheme.size();
  size_t open = text.find('(', at);
  if (open == std::string_view::npos || !ContainsIgnoringCase(text.substr(at, open - at), "popup")) return {};
  at = open + 1;
  while (at < text.size() && pagesift::IsHtmlSpace(text[at])) ++at;
  if (at >= text.size() || (text[at] != '\'' && text[at] != '"')) return {};
  size_t close = text.find(text[at], at + 1);
  if (close == std::string_view::npos) return {};
  return std::string(text.substr(at + 1, close - at - 1));
}

}  // namespace

int CHtmlPopupAnchorVORK::IsValid(const char* href) { return PopupTarget(href).empty() ? 0 : 1; }

CHtmlPopupAnchorVORK::CHtmlPopupAnchorVORK(const char* href) : target_(PopupTarget(href)) {}
