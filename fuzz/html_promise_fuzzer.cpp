// Generated topics through filter-html's path (filter, take out our markup,
// save), checked against a small model of what a reader may see: the input
// bytes build a well-formed tree of blocks, lists, tables and inline
// elements, some carrying build tags, each holding a numbered word (and now
// and then another after its children). An element is kept when its own
// tags and all its ancestors' are; the output must hold exactly the kept
// elements' words, in document order, and no trace of the build-tag markup.
// End tags that HTML lets an author leave out are left out now and then
// (where the meaning stays the same), so that the filter's own model of
// what an element holds is checked too; and now and then an element holds
// a stray end tag that HTML ignores (of nothing open, of an element outside
// the table cell it stands in, </span> inside a block inside the span, or
// of the body or the document with more content after it).
// Outside tables, an element may hold the start tag of a table's part
// (a stray cell or row), which HTML ignores.
// A b that ends a block may have its end tag written after the block's:
// the block's end closes it, and HTML takes the b's end tag as closing
// that b, nothing around it.
// A row may hold a word outside its cells, and a heading may be closed by
// the end tag of another level. Topics without a doctype (read in quirks
// mode, where a paragraph holds a table) and with a current one are made.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expr/text.h"
#include "fuzz_support.h"
#include "projectbuild/topic_filter.h"

namespace {

enum Tag : unsigned { kWeb = 1, kPrint = 2, kBeta = 4 };

struct Expression {
  const char* text;
  bool (*keeps)(unsigned tags);
};

const Expression kExpressions[] = {
    {"Web", [](unsigned t) { return (t & kWeb) != 0; }},
    {"NOT Web", [](unsigned t) { return (t & kWeb) == 0; }},
    {"NOT Web AND NOT Beta", [](unsigned t) { return (t & (kWeb | kBeta)) == 0; }},
    {"Print OR Beta", [](unsigned t) { return (t & (kPrint | kBeta)) != 0; }},
    {"not web or not beta", [](unsigned t) { return (t & (kWeb | kBeta)) != (kWeb | kBeta); }},
    {"Web AND NOT Print", [](unsigned t) { return (t & kWeb) != 0 && (t & kPrint) == 0; }},
    {"NOT Print OR Beta", [](unsigned t) { return (t & kPrint) == 0 || (t & kBeta) != 0; }},
    {"Web AND Beta OR Print", [](unsigned t) { return (t & (kWeb | kBeta)) == (kWeb | kBeta) || (t & kPrint); }},
};

// The input, a byte at a time; zeros once it runs out, which end every list.
class Bytes {
 public:
  explicit Bytes(std::string_view data) : data_(data) {}
  uint8_t Next() { return at_ < data_.size() ? static_cast<uint8_t>(data_[at_++]) : 0; }

 private:
  std::string_view data_;
  size_t at_ = 0;
};

enum class Kind { kBody, kDiv, kP, kSpan, kB, kUl, kOl, kLi, kTable, kTbody, kTr, kTd, kDl, kDt, kDd, kH2, kBlockquote };

const char* NameOf(Kind kind) {
  static const char* const kNames[] = {"body", "div", "p",  "span", "b",  "ul", "ol",
                                       "li",   "table", "tbody", "tr", "td", "dl", "dt",
                                       "dd",   "h2",    "blockquote"};
  return kNames[static_cast<int>(kind)];
}

// Lists, tables and their rows hold no text of their own.
bool HoldsWord(Kind kind) {
  return kind != Kind::kUl && kind != Kind::kOl && kind != Kind::kTable && kind != Kind::kTbody &&
         kind != Kind::kTr && kind != Kind::kDl;
}

// What HTML treats as special: a </span> does not reach past it.
bool IsSpecial(Kind kind) { return kind != Kind::kSpan && kind != Kind::kB && kind != Kind::kBody; }

// Elements whose end tag, inside a table cell, does not reach them outside
// the table (</p> would make an empty paragraph; table parts close it).
bool ClosesOutsideCell(Kind kind) {
  return kind != Kind::kP && kind != Kind::kTable && kind != Kind::kTbody && kind != Kind::kTr &&
         kind != Kind::kTd;
}

bool IsBlock(Kind kind) {
  return kind == Kind::kP || kind == Kind::kDiv || kind == Kind::kUl || kind == Kind::kOl ||
         kind == Kind::kTable || kind == Kind::kDl || kind == Kind::kH2 || kind == Kind::kBlockquote;
}

struct Element {
  Kind kind;
  unsigned tags = 0;  // none: untagged
  std::string tagText;
  int word = 0;
  int tailWord = 0;  // after the children: text that follows nested elements
  bool endLeftOut = false;
  const char* endName = nullptr;  // the end tag's name when not the element's own
  const char* strayEnd = nullptr;  // an end tag after the word that closes nothing
  const char* strayStart = nullptr;  // a table part's start tag outside any table
  // A formatting element's end tag written inside its last child, a block,
  // after the block's word: HTML closes the element there and keeps the
  // block open, so what follows in the block is no longer inside it.
  bool endInsideLast = false;
  std::vector<std::unique_ptr<Element>> children;
};

class TopicMaker {
 public:
  // quirks: the topic has no doctype, so browsers read it in quirks mode,
  // where an open paragraph holds a table.
  TopicMaker(Bytes& bytes, bool quirks) : bytes_(bytes), quirks_(quirks) {}

  std::unique_ptr<Element> Make() {
    auto body = NewElement(Kind::kBody, false);
    path_.push_back(Kind::kBody);
    AddFlow(*body, 0);
    return body;
  }

 private:
  static constexpr int kMostElements = 80;
  static constexpr int kDeepest = 7;

  std::unique_ptr<Element> NewElement(Kind kind, bool mayBeTagged) {
    auto element = std::make_unique<Element>();
    element->kind = kind;
    if (HoldsWord(kind)) element->word = ++words_;
    const uint8_t choice = mayBeTagged ? bytes_.Next() : 0;
    if (choice & 1) TagWith(*element, choice >> 1);
    // A row's word stands outside its cells, where browsers show it before
    // the table: it must outlive the table when every cell is emptied.
    if (kind == Kind::kTr && (choice & 0x80)) element->word = ++words_;
    else if (element->word && (choice & 0x80)) element->tailWord = ++words_;
    if (element->word) AddStrayTag(*element);
    // Any level's end tag closes a heading. Taken from the word's number, so
    // that the inputs found so far still make the same documents.
    static const char* const kHeadingEnds[] = {"h1", "h2", "h3", "h4", "h5", "h6"};
    if (kind == Kind::kH2) element->endName = kHeadingEnds[element->word % 6];
    ++elements_;
    return element;
  }

  // Now and then a b's end tag goes inside its last child, a division or
  // quotation with nothing of the b after it. Taken from the word's number,
  // so that the inputs found so far still make the same documents.
  static void MisnestEnd(Element& element) {
    if (element.kind != Kind::kB || element.tailWord || element.word % 3 != 0 || element.children.empty())
      return;
    const Kind last = element.children.back()->kind;
    element.endInsideLast = last == Kind::kDiv || last == Kind::kBlockquote;
  }

  // Now and then a tag after the element's word that HTML ignores: outside
  // tables, a table part's start tag; or an end tag of an element never
  // opened; inside a cell, of an element around the table and not inside
  // the cell; </span> with a block between it and the innermost span;
  // </body> or </html>, which end nothing while content follows.
  void AddStrayTag(Element& element) {
    const uint8_t choice = bytes_.Next();
    std::vector<Kind> open = path_;
    open.push_back(element.kind);
    const bool inTable = std::any_of(open.begin(), open.end(), [](Kind kind) {
      return kind == Kind::kTable || kind == Kind::kTbody || kind == Kind::kTr || kind == Kind::kTd;
    });
    if (choice % 8 == 2 && !inTable) {
      static const char* const kTableParts[] = {"td", "tr", "th", "tbody", "caption", "col"};
      element.strayStart = kTableParts[(choice >> 3) % 6];
    }
    if (choice % 8 != 1) return;
    std::vector<const char*> stray = {"i", "font", "section", "label", "body", "html"};
    const auto inCell = std::find(open.rbegin(), open.rend(), Kind::kTd).base();  // past the td
    if (inCell != open.begin()) {
      for (auto outside = open.begin() + 1; outside < inCell - 1; ++outside)
        if (ClosesOutsideCell(*outside) && std::find(inCell - 1, open.end(), *outside) == open.end())
          stray.push_back(NameOf(*outside));
    }
    const auto inSpan = std::find(open.rbegin(), open.rend(), Kind::kSpan).base();
    if (inSpan != open.begin() && std::any_of(inSpan, open.end(), IsSpecial)) stray.push_back("span");
    element.strayEnd = stray[(choice >> 3) % stray.size()];
  }

  // One to three tags, in any letter case, with blanks and either separator.
  static void TagWith(Element& element, uint8_t bits) {
    static const char* const kSpellings[3][2] = {{"Web", "WEB"}, {"Print", "print"}, {"Beta", "bEtA"}};
    element.tags = (bits & 7) ? (bits & 7) : kWeb;
    for (unsigned tag = 0; tag < 3; ++tag) {
      if (!(element.tags & (1u << tag))) continue;
      if (!element.tagText.empty()) element.tagText += (bits & 8) ? ";" : ",";
      if (bits & 16) element.tagText += ' ';
      element.tagText += kSpellings[tag][(bits >> 5) & 1];
    }
  }

  bool Room(int depth) const { return elements_ < kMostElements && depth < kDeepest; }

  // Text and inline elements.
  void AddPhrasing(Element& parent, int depth) {
    static const Kind kInline[] = {Kind::kSpan, Kind::kB};
    for (int count = 0; count < 3 && Room(depth);) {
      const uint8_t choice = bytes_.Next();
      if (choice % 4 == 0) return;
      auto child = NewElement(kInline[choice & 1], true);
      path_.push_back(child->kind);
      AddPhrasing(*child, depth + 1);
      path_.pop_back();
      parent.children.push_back(std::move(child));
      ++count;
    }
  }

  void AddFlow(Element& parent, int depth) {
    static const Kind kFlow[] = {Kind::kSpan, Kind::kB,  Kind::kP,  Kind::kDiv, Kind::kUl,
                                 Kind::kOl,   Kind::kTable, Kind::kDl, Kind::kH2, Kind::kBlockquote};
    constexpr int kKinds = sizeof kFlow / sizeof *kFlow;
    for (int count = 0; count < 4 && Room(depth);) {
      const uint8_t choice = bytes_.Next();
      if (choice % (kKinds + 1) == 0) return;
      auto child = NewElement(kFlow[choice % (kKinds + 1) - 1], true);
      path_.push_back(child->kind);
      // An inline element in flow may wrap blocks, as authors' spans and
      // fonts do; HTML keeps it open around them.
      if (choice & 0x80 && (child->kind == Kind::kSpan || child->kind == Kind::kB)) {
        AddFlow(*child, depth + 1);
        MisnestEnd(*child);
      } else {
        FillElement(*child, depth + 1);
      }
      path_.pop_back();
      parent.children.push_back(std::move(child));
      ++count;
    }
    LeaveOutEndTags(parent);
  }

  void AddItems(Element& parent, Kind kind, int depth) {
    do {
      // A definition list takes terms and definitions in any order; a list
      // now and then a paragraph, misplaced but kept inside it by HTML.
      const uint8_t choice = bytes_.Next();
      Kind made = kind == Kind::kDt && (choice & 1) ? Kind::kDd : kind;
      if (kind == Kind::kLi && choice % 8 == 7) made = Kind::kP;
      auto child = NewElement(made, true);
      path_.push_back(child->kind);
      FillElement(*child, depth + 1);
      path_.pop_back();
      parent.children.push_back(std::move(child));
    } while (parent.children.size() < 3 && Room(depth) && bytes_.Next() % 3 != 0);
    LeaveOutEndTags(parent);
  }

  void FillElement(Element& element, int depth) {
    switch (element.kind) {
      case Kind::kSpan:
      case Kind::kB:
      case Kind::kP:
      case Kind::kDt:
      case Kind::kH2: return AddPhrasing(element, depth);
      case Kind::kDiv:
      case Kind::kLi:
      case Kind::kTd:
      case Kind::kDd:
      case Kind::kBlockquote:
      case Kind::kBody: return AddFlow(element, depth);
      case Kind::kUl:
      case Kind::kOl: return AddItems(element, Kind::kLi, depth);
      case Kind::kDl: return AddItems(element, Kind::kDt, depth);
      case Kind::kTable:
        return AddItems(element, bytes_.Next() & 1 ? Kind::kTbody : Kind::kTr, depth);
      case Kind::kTbody:
      case Kind::kTr: return AddItems(element, element.kind == Kind::kTr ? Kind::kTd : Kind::kTr, depth);
    }
  }

  // Only where what follows closes the element anyway: the next sibling of
  // its kind (or a block after a paragraph), or the parent's end.
  void LeaveOutEndTags(Element& parent) {
    auto& children = parent.children;
    for (size_t i = 0; i < children.size(); ++i) {
      const Kind kind = children[i]->kind;
      const Kind* next = i + 1 < children.size() ? &children[i + 1]->kind : nullptr;
      bool closed = false;
      if (kind == Kind::kLi || kind == Kind::kTd || kind == Kind::kTr || kind == Kind::kTbody)
        closed = next == nullptr || *next == kind;
      if (kind == Kind::kDt || kind == Kind::kDd)
        closed = next == nullptr || *next == Kind::kDt || *next == Kind::kDd;
      // Text after the last paragraph would run on inside it.
      if (kind == Kind::kP)
        closed = next == nullptr ? parent.kind != Kind::kSpan && parent.kind != Kind::kB && !parent.tailWord
                                 : IsBlock(*next) && !(quirks_ && *next == Kind::kTable);
      children[i]->endLeftOut = closed && (bytes_.Next() & 1);
    }
  }

  Bytes& bytes_;
  bool quirks_;
  std::vector<Kind> path_;  // the open elements, body first
  int elements_ = 0;
  int words_ = 0;
};

std::string WordText(int word) {
  char text[16];
  std::snprintf(text, sizeof text, "ZQ%04dQ", word);
  return text;
}

// Whether the element's last child is a b whose end tag goes after the
// element's own (taken from the b's word number, so that the inputs found
// so far still make the same documents).
bool EndsLastBAfter(const Element& element) {
  static const Kind kBlocks[] = {Kind::kP, Kind::kDiv, Kind::kLi, Kind::kDd, Kind::kDt, Kind::kBlockquote, Kind::kH2};
  if (element.children.empty() || element.endLeftOut || element.endInsideLast || element.tailWord ||
      std::find(std::begin(kBlocks), std::end(kBlocks), element.kind) == std::end(kBlocks))
    return false;
  const Element& last = *element.children.back();
  return last.kind == Kind::kB && !last.tailWord && !last.endInsideLast && last.word % 5 == 1;
}

// endOfParent: the end tag of the parent, written after the word when the
// parent's end stands inside this element; endWritten: the parent writes
// this element's end tag.
void Write(const Element& element, std::string& html, const char* endOfParent = nullptr,
           bool endWritten = false) {
  html += '<';
  html += NameOf(element.kind);
  if (element.tags) html += " data-buildtags=\"" + element.tagText + '"';
  html += '>';
  if (element.word) html += WordText(element.word) + ' ';
  if (element.strayEnd) html += std::string("</") + element.strayEnd + '>';
  if (element.strayStart) html += std::string("<") + element.strayStart + '>';
  if (endOfParent) html += std::string("</") + endOfParent + '>';
  const bool lastBEndsAfter = EndsLastBAfter(element);
  for (const auto& child : element.children) {
    const bool last = child == element.children.back();
    Write(*child, html, element.endInsideLast && last ? NameOf(element.kind) : nullptr, lastBEndsAfter && last);
  }
  if (element.endInsideLast) return;
  if (element.tailWord) html += WordText(element.tailWord) + ' ';
  if (!element.endLeftOut && !endWritten)
    html += std::string("</") + (element.endName ? element.endName : NameOf(element.kind)) + '>';
  if (lastBEndsAfter) html += "</b>";
}

// The words a reader may see, in document order. wordKept: whether the
// parent keeps the element's word, which the parent's end tag, written
// after it (endInsideLast), leaves inside the parent; what follows that
// end tag is the element's alone.
void KeptWords(const Element& element, const Expression& expression, std::vector<std::string>& words,
               bool wordKept = true) {
  const bool kept = !element.tags || expression.keeps(element.tags);
  if (!kept && !element.endInsideLast) return;
  if (kept && wordKept && element.word) words.push_back(WordText(element.word));
  for (const auto& child : element.children) {
    if (element.endInsideLast && child == element.children.back())
      KeptWords(*child, expression, words, kept);
    else if (kept)
      KeptWords(*child, expression, words);
  }
  if (kept && element.tailWord) words.push_back(WordText(element.tailWord));
}

std::vector<std::string> WordsIn(std::string_view html) {
  std::vector<std::string> words;
  for (size_t at = html.find("ZQ"); at != std::string_view::npos; at = html.find("ZQ", at + 1))
    if (at + 7 <= html.size() && html[at + 6] == 'Q') words.emplace_back(html.substr(at, 7));
  return words;
}

bool MentionsMarkup(std::string html) {
  for (char& c : html) c = bte::AsciiLower(c);
  return html.find("buildtags") != std::string::npos || html.find("discard") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes bytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const uint8_t head = bytes.Next();
  const Expression& expression = kExpressions[head % (sizeof kExpressions / sizeof *kExpressions)];
  const bool quirks = (head & 16) == 0;
  const std::unique_ptr<Element> body = TopicMaker(bytes, quirks).Make();

  // A topic-level list that the expression keeps is markup to take out too.
  std::string html = quirks ? "<html><head>" : "<!DOCTYPE html><html><head>";
  if ((head & 8) && expression.keeps(kPrint)) html += "<meta name=\"buildtags\" content=\"Print\">";
  html += "<title>Generated</title></head>";
  Write(*body, html);
  html += "</html>";

  const bte::projectbuild::FilteredTopicDocument topic = bte::projectbuild::FilterTopicDocument(
      html, "generated.htm", expression.text, bte::projectbuild::TopicFilterOptions{});
  Require(topic.status == bte::projectbuild::TopicFilterStatus::kFiltered);
  std::string out;
  topic.document->SaveInPieces(
      [&out](std::string_view piece) {
        out += piece;
        return true;
      },
      pagesift::kSaveHtml);

  std::vector<std::string> expected;
  KeptWords(*body, expression, expected);
  Require(WordsIn(out) == expected);
  Require(!MentionsMarkup(out));
  return 0;
}
