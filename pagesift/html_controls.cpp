// Links and HTML Help controls: what kind of target an href names, and which
// command an HTML Help control object runs.
#include <string_view>

#include "pagesift/href_type.h"
#include "pagesift/html_pack.h"
#include "pagesift/tag_scanner.h"

namespace {

// "scheme:" with a scheme of two or more characters ("C:" is a drive).
bool HasScheme(std::string_view link) {
  size_t colon = link.find(':');
  if (colon == std::string_view::npos || colon < 2 || !pagesift::IsAsciiAlpha(link[0])) return false;
  for (size_t i = 1; i < colon; ++i) {
    char c = link[i];
    if (!pagesift::IsAsciiAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

constexpr std::string_view kHhctrlClassIds[] = {
    "clsid:adb880a6-d8ff-11cf-9377-00aa003b7a11",
    "clsid:52a2aaae-085d-4187-97ea-8c30db990436",
};

bool IsHhctrlObject(const CHtmlTagItem& tag) {
  const char* classId = tag.GetAttributeValue("classid");
  if (!classId) return false;
  for (std::string_view known : kHhctrlClassIds) {
    if (pagesift::EqualsIgnoringCase(pagesift::Trim(classId), known)) return true;
  }
  return false;
}

struct CommandName {
  std::string_view name;
  int type;
};

constexpr CommandName kCommands[] = {
    {"related topics", pagesift::kHhctrlRelatedTopics},
    {"klink", pagesift::kHhctrlKeywordLinks},
    {"alink", pagesift::kHhctrlAssociativeLinks},
    {"contents", pagesift::kHhctrlContents},
    {"index", pagesift::kHhctrlIndex},
};

// The command is the value's first comma-separated part ("Related Topics,
// MENU").
int CommandType(std::string_view value) {
  std::string_view command = pagesift::Trim(value.substr(0, value.find(',')));
  for (const CommandName& known : kCommands) {
    if (pagesift::EqualsIgnoringCase(command, known.name)) return known.type;
  }
  return pagesift::kHhctrlOtherCommand;
}

}  // namespace

int pagesift::HrefTypeOf(std::string_view href) {
  std::string_view link = pagesift::Trim(href);
  if (link.empty()) return pagesift::kHrefEmpty;
  if (link[0] == '#') return pagesift::kHrefFragment;
  if (pagesift::StartsWithIgnoringCase(link, "javascript:")) return pagesift::kHrefPopup;
  return HasScheme(link) ? pagesift::kHrefExternal : pagesift::kHrefFile;
}

int CHtmlPack::GetAnchorHrefType(const char* href) {
  return href ? pagesift::HrefTypeOf(href) : pagesift::kHrefEmpty;
}

int CHtmlPack::GetHhctrlCommandType(HtmlPosition position) const {
  const CHtmlTagItem* object = GetTagItem(position);
  if (!object || object->IsEndTag() || object->GetTagId() != pagesift::kTagObject || !IsHhctrlObject(*object)) {
    return pagesift::kHhctrlNone;
  }
  for (HtmlPosition at = CHtmlTokenList::GetNext(position); at; at = CHtmlTokenList::GetNext(at)) {
    if (at->IsDiscardedToken()) continue;
    const CHtmlTagItem* param = GetTagItem(at);
    if (!param || param->GetTagId() != pagesift::kTagParam) break;
    const char* name = param->GetAttributeValue("name");
    const char* value = param->GetAttributeValue("value");
    if (name && value && pagesift::EqualsIgnoringCase(pagesift::Trim(name), "command")) return CommandType(value);
  }
  return pagesift::kHhctrlOtherCommand;
}

