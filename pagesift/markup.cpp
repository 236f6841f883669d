#include "pagesift/markup.h"

#include <cstring>

#include "pagesift/tag_codes.h"
#include "pagesift/tag_scanner.h"

namespace pagesift {
namespace {

constexpr std::string_view kBuildTagAttribute = "data-buildtags";

bool StartsWithAt(std::string_view text, size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}

bool StartsWithAtIgnoringCase(std::string_view text, size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() && EqualsIgnoringCase(text.substr(at, prefix.size()), prefix);
}

MarkupInfo Markup(size_t begin, size_t end, uint32_t id) {
  MarkupInfo info;
  info.kind = MarkupKind::kMarkup;
  info.begin = begin;
  info.end = end;
  info.entry = &MarkupTagEntry(id);
  return info;
}

// Up to and including the next ">", or to the end of the text.
size_t PastGreaterThan(std::string_view text, size_t at) {
  size_t close = text.find('>', at);
  return close == std::string_view::npos ? text.size() : close + 1;
}

// "<!--" ... "-->"; "<!-->" and "<!--->" are whole comments, "--!>" also
// ends one, and an unclosed comment runs to the end of the text.
MarkupInfo ReadComment(std::string_view text, size_t at) {
  size_t body = at + 4;
  if (StartsWithAt(text, body, ">")) return Markup(at, body + 1, kTagComment);
  if (StartsWithAt(text, body, "->")) return Markup(at, body + 2, kTagComment);
  for (size_t dash = text.find("--", body); dash != std::string_view::npos;
       dash = text.find("--", dash + 1)) {
    if (StartsWithAt(text, dash + 2, ">")) return Markup(at, dash + 3, kTagComment);
    if (StartsWithAt(text, dash + 2, "!>")) return Markup(at, dash + 4, kTagComment);
  }
  return Markup(at, text.size(), kTagComment);
}

MarkupInfo ReadDeclaration(std::string_view text, size_t at) {
  if (StartsWithAt(text, at, "<!--")) return ReadComment(text, at);
  if (StartsWithAt(text, at, "<![CDATA[")) {
    size_t close = text.find("]]>", at + 9);
    return Markup(at, close == std::string_view::npos ? text.size() : close + 3, kTagCdata);
  }
  uint32_t id = StartsWithAtIgnoringCase(text, at, "<!doctype") ? kTagDoctype : kTagComment;
  return Markup(at, PastGreaterThan(text, at + 2), id);
}

// "<name attributes>" or "</name ...>". An end tag's attributes are read
// only to find its end.
MarkupInfo ReadTag(std::string_view text, size_t at, bool isEnd) {
  MarkupInfo info;
  info.begin = at;
  info.nameBegin = at + (isEnd ? 2 : 1);
  info.nameEnd = ScanTagName(text, info.nameBegin);
  size_t cursor = info.nameEnd;
  AttributeSpan span;
  for (;;) {
    ScanResult result = ScanAttribute(text, cursor, span);
    if (result == ScanResult::kNoEnd) return MarkupInfo{};
    if (result == ScanResult::kTagEnd) break;
    // The length first: most names are shorter, and this runs for every
    // attribute of a document.
    if (!info.carriesBuildTags && !isEnd && span.nameEnd - span.nameBegin == kBuildTagAttribute.size() &&
        EqualsIgnoringCase(text.substr(span.nameBegin, span.nameEnd - span.nameBegin), kBuildTagAttribute)) {
      info.carriesBuildTags = true;
      info.buildTagsBegin = span.valueBegin;
      info.buildTagsEnd = span.valueEnd;
    }
    cursor = span.end;
  }
  info.kind = isEnd ? MarkupKind::kEndTag : MarkupKind::kStartTag;
  info.end = span.end + 1;
  info.selfClosing = !isEnd && text[span.end - 1] == '/' && span.end - 1 >= info.nameEnd;
  const TagEntry* entry = FindTagEntry(text.substr(info.nameBegin, info.nameEnd - info.nameBegin));
  info.entry = entry ? entry : &UnknownTagEntry();
  return info;
}

}  // namespace

MarkupInfo ReadMarkup(std::string_view text, size_t at) {
  if (at + 1 >= text.size()) return MarkupInfo{};
  char next = text[at + 1];
  if (IsAsciiAlpha(next)) return ReadTag(text, at, false);
  if (next == '!') return ReadDeclaration(text, at);
  if (next == '?') return Markup(at, PastGreaterThan(text, at + 2), kTagProcessingInstruction);
  if (next != '/') return MarkupInfo{};
  if (at + 2 >= text.size()) return MarkupInfo{};
  if (IsAsciiAlpha(text[at + 2])) return ReadTag(text, at, true);
  // "</>" and "</ ...>": nothing an element could be closed by.
  return Markup(at, PastGreaterThan(text, at + 2), kTagComment);
}

size_t FindRawTextEnd(std::string_view text, size_t at, std::string_view name) {
  for (size_t close = text.find("</", at); close != std::string_view::npos;
       close = text.find("</", close + 2)) {
    size_t after = close + 2 + name.size();
    if (StartsWithAtIgnoringCase(text, close + 2, name) &&
        (after == text.size() || IsHtmlSpace(text[after]) || text[after] == '/' || text[after] == '>')) {
      return close;
    }
  }
  return text.size();
}

}  // namespace pagesift
