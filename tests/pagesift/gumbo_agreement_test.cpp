// The library's element extents (the containment model that decides how far
// a removed element reaches) against a real HTML parser's tree: for every
// element that carries build tags, the tokens the library takes as the
// element must cover exactly the element's source range in gumbo's tree.
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gumbo.h>

#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::Analysed;
using bte::testing::OffsetOf;
using bte::testing::Saved;

struct Range {
  size_t begin;
  size_t end;
  std::string name;
};

// gumbo records, for an element closed by another element's end tag, that
// end tag as its own; and a void element's end where it starts.
Range GumboRange(const GumboElement& element) {
  std::string name = gumbo_normalized_tagname(element.tag);
  if (element.tag == GUMBO_TAG_UNKNOWN) {
    std::string_view tag(element.original_tag.data + 1, element.original_tag.length - 1);
    name = tag.substr(0, tag.find_first_of(" \t\r\n\f/>"));
  }
  std::string_view endTag(element.original_end_tag.data, element.original_end_tag.length);
  bool ownEndTag = endTag.size() > name.size() + 2 &&
                   bte::testing::EqualsIgnoringCase(endTag.substr(2, name.size()), name);
  size_t end = element.end_pos.offset + (ownEndTag ? endTag.size() : 0);
  end = std::max(end, element.start_pos.offset + element.original_tag.length);
  return Range{element.start_pos.offset, end, name};
}

// Element ranges by start offset, for elements written with a start tag.
std::map<size_t, Range> GumboElements(const std::string& html) {
  std::map<size_t, Range> elements;
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  std::vector<const GumboNode*> pending = {output->root};
  while (!pending.empty()) {
    const GumboNode* node = pending.back();
    pending.pop_back();
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
    const GumboElement& element = node->v.element;
    if (element.original_tag.length > 0) {
      elements[element.start_pos.offset] = GumboRange(element);
    }
    for (unsigned i = 0; i < element.children.length; ++i) {
      pending.push_back(static_cast<const GumboNode*>(element.children.data[i]));
    }
  }
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  return elements;
}

// Where the library's element ends: after its end tag, or where the first
// token it does not hold begins.
size_t LibraryEnd(const CHtmlPack& document, HtmlPosition start, size_t size) {
  HtmlPosition end = document.FindEndTagPosition(start);
  if (end) {
    std::string_view text = document.GetTagItem(end)->GetTagText();
    return OffsetOf(document, text.data()) + text.size();
  }
  HtmlPosition next = CHtmlTokenList::GetNext(document.FindElementEnd(start));
  if (!next) return size;
  const CHtmlTagItem* tag = document.GetTagItem(next);
  return OffsetOf(document, tag ? tag->GetTagText().data() : next->GetSourceText().data());
}

// Tags every element's start tag (not the document structure) with
// data-buildtags.
std::string Tagged(const std::string& html) {
  auto document = Analysed(html);
  for (HtmlPosition at = document->GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    CHtmlTagItem* tag = document->GetTagItem(at);
    if (!tag || tag->IsEndTag() || tag->IsMarkupTag()) continue;
    uint32_t id = tag->GetTagId();
    if (id == pagesift::kTagHtml || id == pagesift::kTagHead || id == pagesift::kTagBody) continue;
    tag->SetAttribute("data-buildtags", "T");
  }
  return Saved(*document);
}

struct Mismatch {
  std::string name;
  std::string source;  // the element's source as the library sees it
  std::string gumbo;   // as gumbo sees it
  std::string reason;  // the known difference it falls under, or empty
};

// The token that ended the library's element (null when the element ran to
// its own end tag or to the end of the document).
const CHtmlTagItem* Stopper(const CHtmlPack& document, HtmlPosition start) {
  if (document.FindEndTagPosition(start)) return nullptr;
  return document.GetTagItem(CHtmlTokenList::GetNext(document.FindElementEnd(start)));
}

bool IsStructureEnd(const CHtmlTagItem& tag) {
  uint32_t id = tag.GetTagId();
  return id == (pagesift::kTagBody | pagesift::kEndTagBit) || id == (pagesift::kTagHtml | pagesift::kEndTagBit);
}

// Where the library differs from an HTML5 parser by design. The library
// decides from the tokens that follow an element alone, without the
// parser's insertion modes, so:
std::string KnownDifference(const CHtmlTagItem& element, const CHtmlTagItem* stopper, size_t begin, size_t ourEnd,
                            size_t gumboEnd, bool modeMisread) {
  if (ourEnd > gumboEnd && modeMisread && element.GetTagId() == pagesift::kTagParagraph) {
    return "a table in an open paragraph under an old public identifier that HTML lists by prefix (the parser "
           "reads the document as standard, browsers in quirks mode)";
  }
  if (gumboEnd == begin + element.GetTagText().size() && !element.IsVoidTag() && ourEnd > gumboEnd) {
    return "the parser records no end for an element it closes out of order (formatting elements, form)";
  }
  if (!stopper && ourEnd > gumboEnd && element.IsInlineLevelTag()) {
    return "an inline element runs to its own end tag around the blocks it holds (the parser, when that end "
           "tag comes inside a block, ends it at the first block and gives each block a copy of it, tags "
           "included)";
  }
  if (!stopper) return "";
  if (ourEnd < gumboEnd && IsStructureEnd(*stopper)) {
    return "an element left open ends at </body> or </html> (the parser keeps it open to the end of the file)";
  }
  if (ourEnd < gumboEnd && stopper->IsEndTag()) {
    return "an end tag of an element not open inside ends the element (the parser ignores an end tag that "
           "matches no open element)";
  }
  if (ourEnd < gumboEnd) {
    return "an element ends at the first start tag its content does not allow (the parser nests it unless "
           "the tag closes the element in HTML)";
  }
  return "";
}

// The parser matches HTML's list of old public identifiers that mean quirks
// mode only where a whole identifier is listed, not where one begins with
// a listed prefix (as most do: "-//W3C//DTD HTML 3.2 Final//EN"), and it
// takes 4.01 transitional without a system identifier for standard too. So
// it reads such a document as standard; browsers read it in quirks mode.
bool MisreadsMode(const GumboDocument& document) {
  return document.has_doctype && document.public_identifier[0] != '\0' &&
         document.doc_type_quirks_mode == GUMBO_DOCTYPE_NO_QUIRKS;
}

std::vector<Mismatch> Compare(const std::string& html, size_t* compared) {
  std::map<size_t, Range> gumbo = GumboElements(html);
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  const bool modeMisread = MisreadsMode(output->document->v.document);
  gumbo_destroy_output(&kGumboDefaultOptions, output);
  auto document = Analysed(html);
  std::vector<Mismatch> mismatches;
  for (size_t i = 0; i < document->GetCandidateCount(); ++i) {
    HtmlPosition start = document->GetCandidatePosition(i);
    const CHtmlTagItem& element = *document->GetTagItem(start);
    size_t begin = OffsetOf(*document, element.GetTagText().data());
    auto found = gumbo.find(begin);
    if (found == gumbo.end()) continue;  // the parser dropped or moved the tag
    ++*compared;
    size_t end = LibraryEnd(*document, start, html.size());
    if (end == found->second.end) continue;
    mismatches.push_back({found->second.name, html.substr(begin, std::min<size_t>(end - begin, 200)),
                          html.substr(begin, std::min<size_t>(found->second.end - begin, 200)),
                          KnownDifference(element, Stopper(*document, start), begin, end, found->second.end, modeMisread)});
  }
  return mismatches;
}

void ExpectAgreement(const std::string& html, const std::string& where, size_t* compared,
                     std::map<std::string, int>* differences) {
  for (const Mismatch& mismatch : Compare(html, compared)) {
    EXPECT_FALSE(mismatch.reason.empty()) << where << ": <" << mismatch.name << ">\n  library: "
                                          << mismatch.source << "\n  gumbo:   " << mismatch.gumbo;
    ++(*differences)[mismatch.reason];
  }
}

void Report(size_t compared, const std::map<std::string, int>& differences) {
  int total = 0;
  for (const auto& [reason, count] : differences) {
    std::cout << "  " << count << " x " << reason << "\n";
    total += count;
  }
  std::cout << "  " << compared << " elements compared, " << total << " known differences\n";
}

TEST(GumboAgreement, EveryElementOfTheRealTopics) {
  BTE_REQUIRE_CORPUS();
  size_t compared = 0;
  std::map<std::string, int> differences;
  for (const auto& path : bte::testing::CorpusFiles(true)) {
    ExpectAgreement(Tagged(ReadFile(path)), path.filename().string(), &compared, &differences);
  }
  Report(compared, differences);
  EXPECT_GT(compared, 9000u);
}

// Valid documents in which every end tag that HTML lets an author omit is
// omitted at random: the library must find the same elements as the parser.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // Standard mode, and two ways to quirks mode, where an open paragraph
  // holds a table.
  std::string Document() {
    static const char* const kDoctypes[] = {"<!DOCTYPE html>", "",
                                            "<!DOCTYPE HTML PUBLIC \"-//W3O//DTD W3 HTML Strict 3.0//EN//\">"};
    std::string html = kDoctypes[random_() % 3] + std::string("<html><body>\n");
    Flow(html, 0);
    return html + "</body></html>\n";
  }

 private:
  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

  // The end tag of an element whose end tag is optional, when the next
  // thing in the parent allows leaving it out.
  void OptionalEnd(std::string& html, const char* name, bool nextAllowsOmission) {
    if (!nextAllowsOmission || Chance(50)) html += std::string("</") + name + ">";
    html += Chance(50) ? "\n  " : "";
  }

  // Links hold no links.
  void Phrasing(std::string& html, int depth, bool inLink = false) {
    static const char* const kInline[] = {"span", "b", "em", "code", "a"};
    int count = 1 + static_cast<int>(random_() % 3);
    for (int i = 0; i < count; ++i) {
      if (depth < 3 && Chance(40)) {
        const char* name = kInline[random_() % (inLink ? 4 : 5)];
        bool link = name[0] == 'a';
        html += std::string("<") + name + (link ? " href=\"t.htm\">" : ">");
        Phrasing(html, depth + 1, inLink || link);
        html += std::string("</") + name + ">";
      } else if (Chance(15)) {
        html += "<img src=\"x.gif\"><br>";
      } else {
        html += "text &amp; more ";
      }
    }
  }

  // Blocks in a flow container; a p's end tag is left out only before a
  // block or at the end of the container.
  void Flow(std::string& html, int depth) {
    int count = 1 + static_cast<int>(random_() % 3);
    for (int i = 0; i < count; ++i) {
      bool last = i + 1 == count;
      int kind = depth >= 3 ? 0 : static_cast<int>(random_() % 6);
      switch (kind) {
        case 0:
          html += "<p>";
          Phrasing(html, depth);
          if (Chance(20)) Table(html, depth);
          OptionalEnd(html, "p", true);
          break;
        case 1: html += "<div>"; Flow(html, depth + 1); html += "</div>\n"; break;
        case 2: List(html, depth); break;
        case 3: Table(html, depth); break;
        case 4: Definitions(html, depth); break;
        default: html += "<select>"; Options(html); html += "</select>"; break;
      }
      if (last && Chance(30)) html += "\n";
    }
  }

  void List(std::string& html, int depth) {
    bool ordered = Chance(50);
    html += ordered ? "<ol>\n" : "<ul>\n";
    int items = 1 + static_cast<int>(random_() % 4);
    for (int i = 0; i < items; ++i) {
      html += "<li>";
      if (Chance(50)) Phrasing(html, depth); else Flow(html, depth + 1);
      OptionalEnd(html, "li", true);
    }
    html += ordered ? "</ol>\n" : "</ul>\n";
  }

  void Definitions(std::string& html, int depth) {
    html += "<dl>";
    int items = 1 + static_cast<int>(random_() % 4);
    for (int i = 0; i < items; ++i) {
      html += "<dt>";
      Phrasing(html, depth);
      OptionalEnd(html, "dt", true);
      html += "<dd>";
      if (Chance(50)) Phrasing(html, depth); else Flow(html, depth + 1);
      OptionalEnd(html, "dd", true);
    }
    html += "</dl>\n";
  }

  void Table(std::string& html, int depth) {
    html += "<table>\n<tbody>\n";
    int rows = 1 + static_cast<int>(random_() % 3);
    for (int r = 0; r < rows; ++r) {
      html += "<tr>";
      int cells = 1 + static_cast<int>(random_() % 3);
      for (int c = 0; c < cells; ++c) {
        const char* cell = Chance(20) ? "th" : "td";
        html += std::string("<") + cell + ">";
        if (Chance(50)) Phrasing(html, depth); else Flow(html, depth + 1);
        OptionalEnd(html, cell, true);
      }
      OptionalEnd(html, "tr", true);
    }
    html += "</tbody></table>\n";
  }

  void Options(std::string& html) {
    int count = 1 + static_cast<int>(random_() % 4);
    for (int i = 0; i < count; ++i) {
      html += "<option>choice";
      OptionalEnd(html, "option", true);
    }
  }

  std::mt19937 random_;
};

// Doctypes put together from what decides a document's mode: the library
// must read each document's mode as the parser does, which shows where an
// open paragraph before a table ends.
TEST(GumboAgreement, DocumentModeOfGeneratedDoctypes) {
  const char* const names[] = {"html", "HTML", "svg", ""};
  const char* const publicIds[] = {nullptr,
                                   "-//W3C//DTD HTML 3.2 Final//EN",
                                   "-//ietf//dtd html//en",
                                   "HTML",
                                   "-//W3O//DTD W3 HTML Strict 3.0//EN//",
                                   "-//W3C//DTD HTML 4.0 Transitional//EN",
                                   "-//W3C//DTD HTML 4.01//EN",
                                   "-//W3C//DTD HTML 4.01 Transitional//EN",
                                   "-//W3C//DTD XHTML 1.0 Transitional//EN"};
  const char* const systemIds[] = {nullptr, "http://www.w3.org/TR/html4/loose.dtd", "about:legacy-compat"};
  size_t compared = 0;
  std::map<std::string, int> differences;
  int documents = 0;
  for (const char* name : names)
    for (const char* publicId : publicIds)
      for (const char* systemId : systemIds)
        for (char quote : {'"', '\''}) {
          std::string doctype = std::string("<!DOCTYPE ") + name;
          if (publicId) doctype += std::string(" PUBLIC ") + quote + publicId + quote;
          if (systemId) doctype += std::string(publicId ? " " : " SYSTEM ") + quote + systemId + quote;
          const std::string html = doctype + "><body><p>a<table><tr><td>b</table>c<p>d</body>";
          ExpectAgreement(Tagged(html), doctype, &compared, &differences);
          ++documents;
        }
  Report(compared, differences);
  EXPECT_EQ(documents, 4 * 9 * 3 * 2);
}

TEST(GumboAgreement, GeneratedDocumentsWithOmittedEndTags) {
  size_t compared = 0;
  std::map<std::string, int> differences;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    ExpectAgreement(Tagged(Generator(seed).Document()), "seed " + std::to_string(seed), &compared, &differences);
  }
  Report(compared, differences);
  EXPECT_GT(compared, 5000u);
}

}  // namespace
