#include "pagesift/document_mode.h"

#include <algorithm>
#include <optional>

#include "pagesift/tag_scanner.h"

namespace pagesift {
namespace {

constexpr std::string_view kQuirksPublicIds[] = {
    "-//W3O//DTD W3 HTML Strict 3.0//EN//", "-/W3C/DTD HTML 4.0 Transitional/EN", "HTML"};

constexpr std::string_view kQuirksPublicIdPrefixes[] = {
    "-//IETF//DTD HTML 2.0 Level 1//",        "-//IETF//DTD HTML 2.0 Level 2//",
    "-//IETF//DTD HTML 2.0 Strict Level 1//", "-//IETF//DTD HTML 2.0 Strict Level 2//",
    "-//IETF//DTD HTML 2.0 Strict//",         "-//IETF//DTD HTML 2.0//",
    "-//IETF//DTD HTML 2.1E//",               "-//IETF//DTD HTML 3.0//",
    "-//IETF//DTD HTML 3.2 Final//",          "-//IETF//DTD HTML 3.2//",
    "-//IETF//DTD HTML 3//",                  "-//IETF//DTD HTML Level 0//",
    "-//IETF//DTD HTML Level 1//",            "-//IETF//DTD HTML Level 2//",
    "-//IETF//DTD HTML Level 3//",            "-//IETF//DTD HTML Strict Level 0//",
    "-//IETF//DTD HTML Strict Level 1//",     "-//IETF//DTD HTML Strict Level 2//",
    "-//IETF//DTD HTML Strict Level 3//",     "-//IETF//DTD HTML Strict//",
    "-//IETF//DTD HTML//",                    "-//W3C//DTD HTML 3 1995-03-24//",
    "-//W3C//DTD HTML 3.2 Draft//",           "-//W3C//DTD HTML 3.2 Final//",
    "-//W3C//DTD HTML 3.2//",                 "-//W3C//DTD HTML 3.2S Draft//",
    "-//W3C//DTD HTML 4.0 Frameset//",        "-//W3C//DTD HTML 4.0 Transitional//",
    "-//W3C//DTD HTML Experimental 19960712//", "-//W3C//DTD HTML Experimental 970421//",
    "-//W3C//DTD W3 HTML//",                  "-//W3O//DTD W3 HTML 3.0//"};

// Quirks only when no system identifier follows them.
constexpr std::string_view kQuirksWithoutSystemIdPrefixes[] = {
    "-//W3C//DTD HTML 4.01 Frameset//", "-//W3C//DTD HTML 4.01 Transitional//"};

// What the doctype says, as an HTML tokenizer reads it. malformed: the
// tokenizer would force quirks mode (no name, an identifier not quoted or
// cut off by ">", no ">" at all).
struct Doctype {
  std::string_view name;
  std::optional<std::string_view> publicId;
  std::optional<std::string_view> systemId;
  bool malformed = false;
};

class DoctypeReader {
 public:
  explicit DoctypeReader(std::string_view text) : text_(text) {}

  Doctype Read() {
    Doctype doctype;
    if (text_.empty() || text_.back() != '>') return Malformed();
    text_.remove_suffix(1);
    at_ = SkipSpaces(text_, std::min(text_.size(), std::string_view("<!doctype").size()));
    const size_t nameBegin = at_;
    while (at_ < text_.size() && !IsHtmlSpace(text_[at_])) ++at_;
    doctype.name = text_.substr(nameBegin, at_ - nameBegin);
    if (doctype.name.empty()) return Malformed();
    at_ = SkipSpaces(text_, at_);
    if (at_ == text_.size()) return doctype;
    const std::string_view keyword = text_.substr(at_, 6);
    at_ += keyword.size();
    const bool isPublic = EqualsIgnoringCase(keyword, "public");
    if (!isPublic && !EqualsIgnoringCase(keyword, "system")) return Malformed();
    doctype.malformed = !ReadQuoted(isPublic ? doctype.publicId : doctype.systemId);
    if (doctype.malformed || !isPublic) return doctype;
    if (at_ < text_.size()) doctype.malformed = !ReadQuoted(doctype.systemId);
    return doctype;
  }

 private:
  static Doctype Malformed() {
    Doctype doctype;
    doctype.malformed = true;
    return doctype;
  }

  // A quoted identifier after optional whitespace; false when there is none
  // or its closing quote is missing.
  bool ReadQuoted(std::optional<std::string_view>& id) {
    at_ = SkipSpaces(text_, at_);
    if (at_ == text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return false;
    const size_t close = text_.find(text_[at_], at_ + 1);
    if (close == std::string_view::npos) return false;
    id = text_.substr(at_ + 1, close - at_ - 1);
    at_ = SkipSpaces(text_, close + 1);
    return true;
  }

  std::string_view text_;
  size_t at_ = 0;
};

template <size_t N>
bool StartsWithOneOf(std::string_view id, const std::string_view (&prefixes)[N]) {
  for (std::string_view prefix : prefixes)
    if (StartsWithIgnoringCase(id, prefix)) return true;
  return false;
}

}  // namespace

bool DoctypeMeansQuirks(std::string_view text) {
  const Doctype doctype = DoctypeReader(text).Read();
  if (doctype.malformed || !EqualsIgnoringCase(doctype.name, "html")) return true;
  if (!doctype.publicId) return false;
  const std::string_view publicId = *doctype.publicId;
  for (std::string_view quirks : kQuirksPublicIds)
    if (EqualsIgnoringCase(publicId, quirks)) return true;
  if (StartsWithOneOf(publicId, kQuirksPublicIdPrefixes)) return true;
  return !doctype.systemId && StartsWithOneOf(publicId, kQuirksWithoutSystemIdPrefixes);
}

}  // namespace pagesift
