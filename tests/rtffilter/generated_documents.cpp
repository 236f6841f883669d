#include "generated_documents.h"

#include <cctype>
#include <cstdio>
#include <deque>
#include <random>
#include <set>

#include "host_markup.h"

namespace bte::test {
namespace {

// One piece of the document body; ranges start and end between pieces.
struct Piece {
  std::string text;
  int atom = -1;  // the visible text it carries, or -1
};

struct RowRecord {
  int level;
  int cells;
  std::vector<int> atoms;     // nested tables' included
  RowRecord* outer = nullptr;  // the row around a nested one
  bool keepsNested = false;   // a nested row in it stays
};

struct ItemRecord {
  int list;
  int parent;  // item index, or -1 at level 0
  bool letters;
  std::vector<int> atoms;
};

struct Range {
  size_t start;
  size_t end;
  std::set<std::string> tags;
};

struct Span {
  size_t start;
  size_t end;
};

const char* const kExpressions[] = {"NOT A", "NOT A AND NOT B", "B OR C", "NOT C"};

// The model of an expression: which tag sets it keeps.
bool Keeps(const std::string& expression, const std::set<std::string>& tags) {
  if (tags.empty()) return true;
  auto has = [&](const char* tag) { return tags.count(tag) != 0; };
  if (expression == "NOT A") return !has("A");
  if (expression == "NOT A AND NOT B") return !has("A") && !has("B");
  if (expression == "B OR C") return has("B") || has("C");
  return !has("C");
}

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  GeneratedDocument Run() {
    std::string prologue = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}\n";
    if (Chance(30)) prologue += "{\\header\\pard\\plain " + HeaderAtom() + "\\par}\n";
    const int blocks = Pick(1, 6);
    for (int b = 0; b < blocks; ++b) Block(b + 1 == blocks);
    ChooseRanges();
    return Assemble(prologue);
  }

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  bool Chance(int percent) { return Pick(0, 99) < percent; }
  void Add(std::string text) { pieces_.push_back({std::move(text), -1}); }
  void Note(const std::string& what) { description_ += what + " "; }

  std::string NextId(const char* prefix) {
    char id[16];
    std::snprintf(id, sizeof id, "%s%05d", prefix, static_cast<int>(atoms_.size()));
    return id;
  }

  // A header's text: outside every range, so it always stays.
  std::string HeaderAtom() {
    const std::string id = NextId("qz");
    atoms_.push_back(id);
    return id;
  }

  // One visible text in one of the forms writers give it, after separator:
  // a range never holds a blank alone, which would keep its paragraph.
  void Atom(const std::string& separator) {
    std::string id = NextId("qz");
    std::string text;
    switch (Pick(0, 9)) {
      case 3: text = id + "\\u8364?"; break;
      case 4: text = "\\'e9" + id; break;
      case 5: text = "{\\b " + id + "}"; break;
      case 6:
        text = "{\\field{\\*\\fldinst HYPERLINK \"http://example.com\"}{\\fldrslt " + id + "}}";
        break;
      case 7:
        id = NextId("abcd");
        text = "{\\pict\\pngblip " + id + "}";
        break;
      case 8: text = "{\\*\\shppict{\\pict\\pngblip\\bin7 " + id + "}}"; break;
      case 9: text = "{\\footnote\\pard " + id + "}"; break;
      default: text = id; break;
    }
    const int index = static_cast<int>(atoms_.size());
    atoms_.push_back(id);
    for (std::vector<int>* collector : collectors_) collector->push_back(index);
    words_.push_back({pieces_.size(), pieces_.size() + 1});
    pieces_.push_back({separator + text, index});
  }

  void Atoms(int count) {
    for (int i = 0; i < count; ++i) Atom(i > 0 ? " " : "");
  }

  void Block(bool last) {
    switch (Pick(0, 5)) {
      case 0: Table(); break;
      case 1: WordList(); break;
      case 2: WordPadList(); break;
      default: Paragraph(!last || Chance(60)); break;
    }
    if (last && !pieces_.empty() && pieces_.back().text.find("\\par") == std::string::npos &&
        Chance(50))
      Paragraph(Chance(50));
  }

  void Paragraph(bool mark) {
    Note(mark ? "paragraph" : "paragraph-without-mark");
    Add(Chance(50) ? "\\pard\\plain\\itap0 " : "\\pard\\plain ");
    if (Chance(10)) {
      Add("\\par ");
      return;
    }
    Atoms(Pick(1, 3));
    if (mark) Add("\\par ");
  }

  std::string RowDefinition(int columns, int width) {
    std::string definition = "\\trowd\\trgaph108";
    for (int c = 1; c <= columns; ++c)
      definition += "\\clbrdrt\\brdrs\\brdrw10\\cellx" + std::to_string(c * width);
    return definition;
  }

  void Table() {
    const int columns = Pick(1, 3);
    const int rowCount = Pick(1, 3);
    const bool word = Chance(50);
    Note(std::string(word ? "word-table " : "table ") + std::to_string(rowCount) + "x" +
         std::to_string(columns));
    for (int r = 0; r < rowCount; ++r) Row(columns, word);
    if (Chance(50)) Add("\\pard\\plain\\itap0 \\par ");
  }

  // Word writes the cells of a row in one group and the row end with a
  // second copy of its definition in another; others write the definition
  // once, before the cells.
  void Row(int columns, bool word) {
    RowRecord& row = rows_.emplace_back(RowRecord{1, columns, {}});
    openRow_ = &row;
    collectors_.push_back(&row.atoms);
    Add(RowDefinition(columns, 2000));
    if (word) Add("\\pard\\plain\\intbl{");
    const size_t first = pieces_.size();
    for (int c = 0; c < columns; ++c) Cell(word);
    spans_.push_back({first, pieces_.size()});
    if (word)
      Add("}\\pard\\plain\\intbl{" + RowDefinition(columns, 2000) + "\\row }");
    else
      Add("\\row ");
    collectors_.pop_back();
    rowEnds_.push_back(&row);
  }

  void Cell(bool word) {
    const size_t first = pieces_.size();
    if (!word && Chance(15)) NestedTable();
    if (!word) Add("\\pard\\plain\\intbl ");
    if (!Chance(10)) {
      const int paragraphs = Pick(1, 2);
      for (int p = 0; p < paragraphs; ++p) {
        if (p > 0) Add("\\par ");
        Atoms(Pick(1, 2));
      }
    }
    Add("\\cell ");
    spans_.push_back({first, pieces_.size()});
  }

  void NestedTable() {
    Note("nested");
    const int rowCount = Pick(1, 2);
    for (int r = 0; r < rowCount; ++r) {
      RowRecord& row = rows_.emplace_back(RowRecord{2, 2, {}, openRow_});
      collectors_.push_back(&row.atoms);
      const size_t first = pieces_.size();
      for (int c = 0; c < 2; ++c) {
        Add("\\pard\\plain\\intbl\\itap2 ");
        Atoms(Pick(0, 1));
        Add("\\nestcell ");
      }
      spans_.push_back({first, pieces_.size()});
      Add("{\\*\\nesttableprops\\trowd\\cellx900\\cellx1800\\nestrow}{\\nonesttables\\par}\n");
      collectors_.pop_back();
      rowEnds_.push_back(&row);
    }
  }

  // Numbered items with the number text for readers, some with lettered
  // sub-items.
  void WordList() {
    const int list = ++lists_;
    Note("word-list");
    const size_t first = pieces_.size();
    const int count = Pick(2, 4);
    for (int n = 1; n <= count; ++n) {
      const int parent = Item(list, -1, std::to_string(n) + ".", false);
      const int subs = Chance(30) ? Pick(1, 2) : 0;
      for (int s = 0; s < subs; ++s)
        Item(list, parent, std::string(1, static_cast<char>('a' + s)) + ".", false);
    }
    spans_.push_back({first, pieces_.size()});
  }

  void WordPadList() {
    const int list = ++lists_;
    Note("wordpad-list");
    const size_t first = pieces_.size();
    const int count = Pick(2, 4);
    for (int n = 1; n <= count; ++n) Item(list, -1, std::to_string(n) + ".", true);
    Add("\\pard ");
    spans_.push_back({first, pieces_.size()});
  }

  int Item(int list, int parent, const std::string& number, bool wordPad) {
    const int index = static_cast<int>(items_.size());
    ItemRecord& item = items_.emplace_back(ItemRecord{list, parent, parent >= 0, {}});
    if (wordPad) {
      if (number == "1.") {
        Add("\\pard\\plain {\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1"
            "\\pndec{\\pntxta.}}\\fi-360\\li720 ");
      } else {
        Add("{\\pntext\\f0 " + number + "\\tab}");
      }
    } else {
      Add("\\pard\\plain\\ls" + std::to_string(list) + "\\ilvl" + (parent >= 0 ? "1" : "0") + " ");
      Add("{\\listtext\\pard\\plain\\f1 " + number + "\\tab}");
    }
    collectors_.push_back(&item.atoms);
    Atoms(Pick(1, 2));
    collectors_.pop_back();
    Add(wordPad ? "\\par" : "\\par ");
    return index;
  }

  void ChooseRanges() {
    const int count = Pick(0, 5);
    for (int r = 0; r < count; ++r) {
      Range range;
      // Random pieces; or a whole row, cell or list; or a single word.
      const int shape = Pick(0, 3);
      const std::vector<Span>& from = shape == 3 ? words_ : spans_;
      if (shape == 0 || from.empty()) {
        range.start = static_cast<size_t>(Pick(0, static_cast<int>(pieces_.size())));
        range.end = static_cast<size_t>(Pick(static_cast<int>(range.start),
                                             static_cast<int>(pieces_.size())));
      } else {
        const Span& span = from[static_cast<size_t>(Pick(0, static_cast<int>(from.size()) - 1))];
        range.start = span.start;
        range.end = span.end;
      }
      const char* tags[] = {"A", "B", "C"};
      range.tags.insert(tags[Pick(0, 2)]);
      if (Chance(30)) range.tags.insert(tags[Pick(0, 2)]);
      ranges_.push_back(range);
    }
  }

  // Build-tag ranges only: what an ordinary comment's kept anchors make of
  // the paragraphs around them is not this model's business.
  std::string Annotation(int number, const Range& range) const {
    std::string tagText;
    for (const std::string& tag : range.tags) tagText += (tagText.empty() ? "" : ";") + tag;
    return test::Annotation(number, tagText);
  }

  std::string End(size_t r) const {
    return RangeEnd(static_cast<int>(r + 1)) + Annotation(static_cast<int>(r + 1), ranges_[r]);
  }

  GeneratedDocument Assemble(const std::string& prologue) {
    GeneratedDocument document;
    document.expression = kExpressions[Pick(0, 3)];
    document.rtf = prologue;
    // At each boundary: the ends of ranges that hold pieces, the starts, then
    // the ends of empty ranges.
    for (size_t p = 0; p <= pieces_.size(); ++p) {
      for (size_t r = 0; r < ranges_.size(); ++r)
        if (ranges_[r].end == p && ranges_[r].start < p) document.rtf += End(r);
      for (size_t r = 0; r < ranges_.size(); ++r)
        if (ranges_[r].start == p) document.rtf += RangeStart(static_cast<int>(r + 1));
      for (size_t r = 0; r < ranges_.size(); ++r)
        if (ranges_[r].end == p && ranges_[r].start == p) document.rtf += End(r);
      if (p < pieces_.size()) document.rtf += pieces_[p].text;
    }
    document.rtf += "}";
    Judge(document);
    return document;
  }

  // The model: a text goes when the tags of the build-tag ranges around it
  // make the expression false.
  void Judge(GeneratedDocument& document) {
    std::vector<bool> kept(atoms_.size(), true);
    for (size_t p = 0; p < pieces_.size(); ++p) {
      if (pieces_[p].atom < 0) continue;
      std::set<std::string> tags;
      for (const Range& range : ranges_)
        if (range.start <= p && p < range.end)
          tags.insert(range.tags.begin(), range.tags.end());
      kept[static_cast<size_t>(pieces_[p].atom)] = Keeps(document.expression, tags);
    }
    for (size_t a = 0; a < atoms_.size(); ++a)
      (kept[a] ? document.keptTexts : document.excludedTexts).push_back(atoms_[a]);
    for (size_t r = 0; r < ranges_.size(); ++r) {
      const std::string number = std::to_string(r + 1);
      document.markup.push_back("{\\*\\atrfstart " + number + "}");
      document.markup.push_back("{\\*\\atrfend " + number + "}");
      document.markup.push_back("{\\*\\atnref " + number + "}");
    }
    if (!document.markup.empty()) document.markup.push_back("Conditional Build Tags");
    auto survives = [&](const std::vector<int>& atoms) {
      if (atoms.empty()) return true;
      for (int atom : atoms)
        if (kept[static_cast<size_t>(atom)]) return true;
      return false;
    };
    // A row stays when text of it stays, when it held none, or when a
    // nested row in it stays (nested rows end first).
    for (RowRecord* row : rowEnds_) {
      if (!survives(row->atoms) && !row->keepsNested) continue;
      document.rows.push_back({row->level, row->cells});
      if (row->outer != nullptr) row->outer->keepsNested = true;
    }
    Number(document, kept);
    document.description = description_ + "ranges:";
    for (const Range& range : ranges_)
      document.description += " [" + std::to_string(range.start) + "," +
                              std::to_string(range.end) + ")";
  }

  // An item stays when its own text or a sub-item stays; the items that
  // stay are numbered on from 1 (a, b, ... below an item).
  void Number(GeneratedDocument& document, const std::vector<bool>& kept) {
    std::vector<bool> stays(items_.size(), false);
    for (size_t i = items_.size(); i-- > 0;) {
      for (int atom : items_[i].atoms) stays[i] = stays[i] || kept[static_cast<size_t>(atom)];
      if (stays[i] && items_[i].parent >= 0) stays[static_cast<size_t>(items_[i].parent)] = true;
    }
    std::vector<std::pair<std::pair<int, int>, int>> counts;  // (list, parent) -> items so far
    for (size_t i = 0; i < items_.size(); ++i) {
      if (!stays[i]) continue;
      int rank = 0;
      bool found = false;
      for (auto& count : counts) {
        if (count.first == std::make_pair(items_[i].list, items_[i].parent)) {
          rank = ++count.second;
          found = true;
        }
      }
      if (!found) counts.push_back({{items_[i].list, items_[i].parent}, rank = 1});
      document.numbers.push_back(items_[i].letters
                                     ? std::string(1, static_cast<char>('a' + rank - 1)) + "."
                                     : std::to_string(rank) + ".");
    }
  }

  std::mt19937 random_;
  std::vector<Piece> pieces_;
  std::vector<std::string> atoms_;
  std::deque<RowRecord> rows_;
  std::vector<RowRecord*> rowEnds_;  // in the order their ends are written
  RowRecord* openRow_ = nullptr;      // the outer row being written
  std::deque<ItemRecord> items_;
  std::vector<std::vector<int>*> collectors_;  // the rows and items being written
  std::vector<Span> spans_;                    // whole rows, cells and lists
  std::vector<Span> words_;
  std::vector<Range> ranges_;
  int lists_ = 0;
  std::string description_;
};

// Steps over a control word with its parameter and delimiter space, or a
// control symbol ("\'hh" whole); at is at the backslash.
size_t AfterControl(const std::string& rtf, size_t at) {
  size_t p = at + 1;
  if (p >= rtf.size()) return p;
  if (!std::isalpha(static_cast<unsigned char>(rtf[p]))) return rtf[p] == '\'' ? p + 3 : p + 1;
  while (p < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[p]))) ++p;
  if (p < rtf.size() && (rtf[p] == '-' || std::isdigit(static_cast<unsigned char>(rtf[p])))) ++p;
  while (p < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[p]))) ++p;
  if (p < rtf.size() && rtf[p] == ' ') ++p;
  return p;
}

std::string WordAt(const std::string& rtf, size_t at) {
  size_t p = at + 1;
  while (p < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[p]))) ++p;
  return rtf.substr(at + 1, p - at - 1);
}

}  // namespace

GeneratedDocument GenerateDocument(uint32_t seed) { return Generator(seed).Run(); }

std::vector<TableRowShape> RowsOf(const std::string& rtf) {
  std::vector<TableRowShape> rows;
  int cells[3] = {0, 0, 0};
  for (size_t p = 0; p < rtf.size();) {
    if (rtf[p] != '\\') {
      ++p;
      continue;
    }
    const std::string word = WordAt(rtf, p);
    if (word == "cell") ++cells[1];
    if (word == "nestcell") ++cells[2];
    if (word == "row" || word == "nestrow") {
      const int level = word == "row" ? 1 : 2;
      rows.push_back({level, cells[level]});
      cells[level] = 0;
    }
    p = AfterControl(rtf, p);
  }
  return rows;
}

std::vector<std::string> NumberTextsOf(const std::string& rtf) {
  std::vector<std::string> numbers;
  for (size_t at = rtf.find('{'); at != std::string::npos; at = rtf.find('{', at + 1)) {
    if (at > 0 && rtf[at - 1] == '\\') continue;
    if (rtf.compare(at, 10, "{\\listtext") != 0 && rtf.compare(at, 8, "{\\pntext") != 0) continue;
    std::string text;
    int depth = 0;
    for (size_t p = at; p < rtf.size();) {
      const char c = rtf[p];
      if (c == '\\') {
        p = AfterControl(rtf, p);
        continue;
      }
      if (c == '{') ++depth;
      if (c == '}' && --depth == 0) break;
      if (c != '{' && c != '}' && c != '\r' && c != '\n') text += c;
      ++p;
    }
    numbers.push_back(text);
  }
  return numbers;
}

bool BracesBalance(const std::string& rtf) {
  long depth = 0;
  for (size_t p = 0; p < rtf.size(); ++p) {
    if (rtf[p] == '\\') {
      ++p;
      continue;
    }
    if (rtf[p] == '{') ++depth;
    if (rtf[p] == '}' && --depth < 0) return false;
  }
  return depth == 0;
}

}  // namespace bte::test
