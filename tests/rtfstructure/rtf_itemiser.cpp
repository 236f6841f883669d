#include "rtf_itemiser.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "rtffilter/structure/rtf_document_tree.h"

namespace bte::rtf::testing {

namespace {

struct WordKind {
  const char* word;
  int32_t kind;
};

constexpr WordKind kWords[] = {
    {"par", ItemParagraph},  {"row", ItemRow},         {"cell", ItemCell},
    {"nestrow", ItemNestedRow}, {"nestcell", ItemNestedCell}, {"sect", ItemSection},
    {"trowd", ItemRowDefaults}, {"intbl", ItemInTable},  {"tab", ItemContent},
    {"line", ItemContent},   {"bullet", ItemContent},  {"emdash", ItemContent},
    {"endash", ItemContent}, {"lquote", ItemContent},  {"rquote", ItemContent},
    {"ldblquote", ItemContent}, {"rdblquote", ItemContent}, {"page", ItemContent},
};

// Groups handed over whole, as one item.
constexpr WordKind kUnitGroups[] = {
    {"listtextkvt", ItemListTextBullet}, {"pntextkvt", ItemParaNumBullet},
    {"nesttableprops", ItemNestedRow},   {"field", ItemContent},
    {"pict", ItemContent},               {"shppict", ItemContent},
    {"footnote", ItemContent},
};

// Groups that carry no visible content of the body.
constexpr const char* kSkippedGroups[] = {
    "fonttbl", "colortbl", "stylesheet", "info", "listtable", "listoverridetable",
    "listtext", "pntext", "pn", "header", "footer", "headerl", "headerr",
    "footerl", "footerr", "nonshppict", "nonesttables", "xmlnstbl", "rsidtbl", "latentstyles",
};

class Itemiser {
 public:
  explicit Itemiser(std::string_view text) : text_(text) {}

  std::vector<ItemWithState> Run() {
    while (at_ < text_.size()) Step();
    return std::move(items_);
  }

 private:
  void Emit(size_t start, size_t end, int32_t kind, int32_t excluded) {
    items_.push_back({std::make_unique<RtfItem>(text_.data() + start,
                                                static_cast<uint32_t>(end - start),
                                                excluded, kind),
                      state_});
  }

  size_t GroupEnd(size_t open) const {
    int depth = 0;
    for (size_t i = open; i < text_.size(); ++i) {
      if (text_[i] == '\\') {
        ++i;
      } else if (text_[i] == '{') {
        ++depth;
      } else if (text_[i] == '}' && --depth == 0) {
        return i + 1;
      }
    }
    return text_.size();
  }

  // The destination word of a group opening at open, "" if none.
  std::string_view GroupWord(size_t open, bool& starred) const {
    size_t i = open + 1;
    starred = text_.compare(i, 3, "\\*\\") == 0;
    if (starred) i += 2;
    if (i >= text_.size() || text_[i] != '\\') return {};
    size_t end = i + 1;
    while (end < text_.size() && std::isalpha(static_cast<unsigned char>(text_[end]))) ++end;
    return text_.substr(i + 1, end - i - 1);
  }

  void OpenGroup() {
    bool starred = false;
    const std::string_view word = GroupWord(at_, starred);
    const size_t end = GroupEnd(at_);
    if (word == "atrfstart" || word == "atrfend") {
      Emit(at_, end, ItemContent, 1);
      openRanges_ += word == "atrfstart" ? 1 : (openRanges_ > 0 ? -1 : 0);
      excluded_ = openRanges_ > 0;
      at_ = end;
      return;
    }
    for (const WordKind& unit : kUnitGroups) {
      if (word == unit.word) {
        Emit(at_, end, unit.kind, excluded_);
        at_ = end;
        return;
      }
    }
    for (const char* skipped : kSkippedGroups) {
      if (word == skipped || starred) {
        at_ = end;
        return;
      }
    }
    saved_.push_back(state_);
    ++at_;
  }

  void CloseGroup() {
    if (!saved_.empty()) {
      state_ = saved_.back();
      saved_.pop_back();
    }
    ++at_;
  }

  void ControlWord() {
    const size_t start = at_;
    size_t i = at_ + 1;
    while (i < text_.size() && std::isalpha(static_cast<unsigned char>(text_[i]))) ++i;
    const std::string word(text_.substr(start + 1, i - start - 1));
    const size_t paramStart = i;
    if (i < text_.size() && (text_[i] == '-' || std::isdigit(static_cast<unsigned char>(text_[i])))) ++i;
    while (i < text_.size() && std::isdigit(static_cast<unsigned char>(text_[i]))) ++i;
    const int32_t param = i > paramStart ? std::atoi(std::string(text_.substr(paramStart, i - paramStart)).c_str()) : 0;
    if (i < text_.size() && text_[i] == ' ') ++i;
    at_ = i;
    if (word == "pard") state_ = ParagraphListState();
    if (word == "itap") state_.tableDepth = param;
    if (word == "intbl" && state_.tableDepth < 1) state_.tableDepth = 1;
    if (word == "ilvl") state_.listLevel = param;
    if (word == "ls") state_.listOverride = param;
    for (const WordKind& known : kWords)
      if (word == known.word) Emit(start, i, known.kind, excluded_);
  }

  void ControlSymbol() {
    const char next = text_[at_ + 1];
    if (next == '\r' || next == '\n') {
      Emit(at_, at_ + 2, ItemParagraph, excluded_);
    } else if (next == '\'') {
      Emit(at_, std::min(at_ + 4, text_.size()), ItemContent, excluded_);
      at_ += 2;
    } else {
      Emit(at_, at_ + 2, ItemContent, excluded_);
    }
    at_ = std::min(at_ + 2, text_.size());
  }

  void Text() {
    size_t end = at_;
    while (end < text_.size() && std::string_view("{}\\\r\n").find(text_[end]) == std::string_view::npos)
      ++end;
    if (end > at_) Emit(at_, end, ItemContent, excluded_);
    while (end < text_.size() && (text_[end] == '\r' || text_[end] == '\n')) ++end;
    at_ = end;
  }

  void Step() {
    const char c = text_[at_];
    if (c == '{') return OpenGroup();
    if (c == '}') return CloseGroup();
    if (c == '\\' && at_ + 1 < text_.size()) {
      if (std::isalpha(static_cast<unsigned char>(text_[at_ + 1]))) return ControlWord();
      return ControlSymbol();
    }
    if (c == '\\') {
      ++at_;
      return;
    }
    Text();
  }

  std::string_view text_;
  size_t at_ = 0;
  int32_t excluded_ = 0;
  int openRanges_ = 0;
  ParagraphListState state_;
  std::vector<ParagraphListState> saved_;
  std::vector<ItemWithState> items_;
};

}  // namespace

std::vector<ItemWithState> Itemise(std::string_view text) { return Itemiser(text).Run(); }

std::string ExpandMarks(std::string_view marked) {
  std::string out;
  int next = 1;
  std::vector<int> open;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked.compare(i, 2, "<<") == 0) {
      open.push_back(next++);
      out += "{\\*\\atrfstart" + std::to_string(open.back()) + "}";
      ++i;
    } else if (marked.compare(i, 2, ">>") == 0 && !open.empty()) {
      out += "{\\*\\atrfend" + std::to_string(open.back()) + "}";
      open.pop_back();
      ++i;
    } else {
      out += marked[i];
    }
  }
  return out;
}

std::string Rebuild(std::string_view text) {
  RtfDocumentTree tree(text.data(), static_cast<uint32_t>(text.size()));
  for (ItemWithState& entry : Itemise(text)) tree.AddItem(entry.item.release(), entry.state);
  std::string out(text.size(), '\0');
  char* cursor = out.data();
  if (tree.Write(cursor) == 0) return "<failed>";
  out.resize(cursor - out.data());
  return out;
}

}  // namespace bte::rtf::testing
