#include "projectbuild/rtf_review.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "buildtagexpr_host.h"
#include "projectbuild/output_file.h"
#include "projectbuild/output_manifest.h"
#include "platform/utf8.h"
#include "projectbuild/text_excerpt.h"
#include "rtffilter/reader/rtf_token.h"

namespace bte::projectbuild {
namespace {

constexpr const char* kHighlightColour = "\\red255\\green221\\blue87;";

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Groups whose text is not document text: highlighting there could change
// what they mean (a field's instruction, a table of the header).
constexpr std::string_view kNotText[] = {
    "*",         "fldinst",   "fonttbl",        "colortbl",  "stylesheet",  "info",
    "pict",      "listtable", "listoverridetable", "xmlnstbl", "rsidtbl", "generator",
    "themedata", "colorschememapping", "datastore", "latentstyles", "object", "bin"};

bool IsNotText(std::string_view word) {
  return std::find(std::begin(kNotText), std::end(kNotText), word) != std::end(kNotText);
}

// The end of the group that starts at open (a "{"), or npos.
size_t GroupEnd(std::string_view rtf, size_t open) {
  uint32_t length = 0;
  if (!rtf::FindGroupEnd(rtf.data() + open, static_cast<uint32_t>(rtf.size() - open), length))
    return std::string_view::npos;
  return open + length - 1;
}

// Where the highlight colour goes and which number it gets: appended to
// the colour table, or a new table after the font table (or the header).
struct ColourInsertion {
  size_t at = 0;
  std::string text;
  int number = 1;
};

// The first occurrence of markup (starting with "{" or "\\") that is not
// itself escaped text: an even run of backslashes stands before it.
size_t FindMarkup(std::string_view rtf, std::string_view markup) {
  for (size_t at = rtf.find(markup); at != std::string_view::npos; at = rtf.find(markup, at + 1)) {
    size_t backslashes = 0;
    while (backslashes < at && rtf[at - backslashes - 1] == '\\') ++backslashes;
    if (backslashes % 2 == 0) return at;
  }
  return std::string_view::npos;
}

ColourInsertion PlanColour(std::string_view rtf) {
  ColourInsertion plan;
  if (const size_t table = FindMarkup(rtf, "{\\colortbl"); table != std::string_view::npos) {
    const size_t end = GroupEnd(rtf, table);
    if (end != std::string_view::npos) {
      plan.at = end;
      plan.number = static_cast<int>(std::count(rtf.begin() + table, rtf.begin() + end, ';'));
      plan.text = kHighlightColour;
      return plan;
    }
  }
  plan.text = std::string("{\\colortbl;") + kHighlightColour + "}";
  const size_t fonts = FindMarkup(rtf, "{\\fonttbl");
  const size_t fontsEnd = fonts == std::string_view::npos ? fonts : GroupEnd(rtf, fonts);
  if (fontsEnd != std::string_view::npos) {
    plan.at = fontsEnd + 1;
    return plan;
  }
  plan.at = FindMarkup(rtf, "\\rtf");
  if (plan.at == std::string_view::npos) return {0, "", 0};
  plan.at += 4;
  while (plan.at < rtf.size() && IsDigit(rtf[plan.at])) ++plan.at;
  return plan;
}

std::string Utf8(char32_t code) {
  std::string out;
  platform::AppendUtf8(code, out);
  return out;
}

// Copies content while keeping the highlight on exactly where it is wanted:
// each group starts with its parent's state, "}" brings the parent's back
// and \plain clears it, so the state is set again where text follows.
class HighlightWriter {
 public:
  HighlightWriter(std::string& out, int colour) : out_(out), colour_(colour) {}

  // A control word or symbol cut at the end of a piece is carried over to
  // the next one, so that nothing written in between (a highlight, a note)
  // splits it.
  void Copy(std::string_view text, bool excluded) {
    want_ = excluded;
    const std::string joined = std::exchange(carry_, std::string()) + std::string(text);
    for (size_t i = 0; i < joined.size();) i = Step(joined, i);
  }
  void Flush() { out_ += std::exchange(carry_, std::string()); }
  void Append(std::string_view raw) { out_.append(raw); }
  void Note(const std::string& tags) {
    out_ += "{\\highlight" + std::to_string(colour_) + " [Build tags: ";
    for (char c : tags) {
      if (c == '\\' || c == '{' || c == '}') out_ += '\\';
      out_ += c;
    }
    out_ += "]}";
  }
  // The excluded text read since the last call.
  std::string TakePassage() { return std::exchange(passage_, std::string()); }

 private:
  struct Group {
    bool highlighted;
    bool notText;
    bool fresh;  // no control word read yet
  };

  size_t Step(std::string_view text, size_t i) {
    const char c = text[i];
    if (c == '{') {
      groups_.push_back({State().highlighted, State().notText, true});
      out_ += c;
      return i + 1;
    }
    if (c == '}') {
      out_ += c;
      if (groups_.size() > 1) groups_.pop_back();
      return i + 1;
    }
    if (c == '\\') return ControlWord(text, i);
    if (c != '\r' && c != '\n') Text(std::string(1, c));
    else out_ += c;
    return i + 1;
  }

  size_t ControlWord(std::string_view text, size_t i) {
    size_t end = i + 1;
    if (end >= text.size()) return Carry(text, i);
    if (!IsLetter(text[end])) return ControlSymbol(text, i);
    while (end < text.size() && IsLetter(text[end])) ++end;
    const std::string_view word = text.substr(i + 1, end - i - 1);
    const size_t numberAt = end;
    if (end < text.size() && text[end] == '-') ++end;
    while (end < text.size() && IsDigit(text[end])) ++end;
    const long number = std::strtol(std::string(text.substr(numberAt, end - numberAt)).c_str(), nullptr, 10);
    if (end == text.size()) return Carry(text, i);
    if (text[end] == ' ') ++end;
    Group& group = State();
    if (group.fresh && IsNotText(word)) group.notText = true;
    group.fresh = false;
    if (word == "plain") group.highlighted = false;
    // \u counts in signed 16 bits: -1 is U+FFFF.
    if (word == "u") Text(Utf8(static_cast<char32_t>(number) & 0xFFFF), true);
    if (want_ && (word == "par" || word == "line" || word == "tab" || word == "cell")) passage_ += ' ';
    out_.append(text.substr(i, end - i));
    if (word == "bin" && number > 0) {
      const size_t raw = std::min(text.size() - end, static_cast<size_t>(number));
      out_.append(text.substr(end, raw));
      end += raw;
    }
    return end;
  }

  size_t ControlSymbol(std::string_view text, size_t i) {
    if (text[i + 1] == '*' && State().fresh) State().notText = true;
    State().fresh = false;
    if (text[i + 1] == '\'' && i + 3 >= text.size()) return Carry(text, i);
    if (text[i + 1] == '\'') {
      const unsigned long byte = std::strtoul(std::string(text.substr(i + 2, 2)).c_str(), nullptr, 16);
      Text(byte < 0x80 ? std::string(1, static_cast<char>(byte)) : Utf8(byte), true);
      out_.append(text.substr(i, 4));
      return i + 4;
    }
    if (text[i + 1] == '{' || text[i + 1] == '}' || text[i + 1] == '\\')
      Text(std::string(1, text[i + 1]), true);
    out_.append(text.substr(i, 2));
    return i + 2;
  }

  size_t Carry(std::string_view text, size_t i) {
    carry_.assign(text.substr(i));
    return text.size();
  }

  // Visible text follows: the highlight is set first. passageOnly: the
  // bytes are written by the caller.
  void Text(const std::string& visible, bool passageOnly = false) {
    Group& group = State();
    if (!group.notText) {
      if (group.highlighted != want_) {
        out_ += want_ ? "\\highlight" + std::to_string(colour_) + " " : std::string("\\highlight0 ");
        group.highlighted = want_;
      }
      if (want_) passage_ += visible;
    }
    if (!passageOnly) out_ += visible;
  }

  Group& State() { return groups_.back(); }

  std::string& out_;
  int colour_;
  bool want_ = false;
  std::vector<Group> groups_{{false, false, false}};
  std::string passage_;
  std::string carry_;
};

}  // namespace

std::string WriteRtfReview(const std::string& rtf, const std::vector<RtfPiece>& pieces,
                           std::vector<std::string>& passages) {
  const ColourInsertion colour = PlanColour(rtf);
  std::string out;
  out.reserve(rtf.size() + rtf.size() / 8);
  HighlightWriter writer(out, colour.number);
  bool inPassage = false;
  for (const RtfPiece& piece : pieces) {
    if (piece.kind == RtfPiece::Kind::kAnnotation) {
      if (piece.excluded) writer.Note(piece.tagText);
      continue;
    }
    if (piece.kind == RtfPiece::Kind::kMarker) continue;
    if (inPassage && !piece.excluded) passages.push_back(Excerpt(writer.TakePassage()));
    inPassage = piece.excluded;
    std::string_view text(rtf.data() + piece.offset, piece.length);
    const size_t end = piece.offset + piece.length;
    if (!colour.text.empty() && colour.at >= piece.offset && colour.at < end) {
      writer.Copy(text.substr(0, colour.at - piece.offset), piece.excluded);
      writer.Append(colour.text);
      text.remove_prefix(colour.at - piece.offset);
    }
    writer.Copy(text, piece.excluded);
  }
  writer.Flush();
  if (inPassage) passages.push_back(Excerpt(writer.TakePassage()));
  return out;
}

FileResult ReviewRtf(const std::filesystem::path& from, const std::filesystem::path& to,
                     const TargetSettings& settings, FileResult result) {
  std::string bytes, error;
  if (!ReadSource(from, bytes, result, error)) return Failed(result, error);
  host::ComPtr<IBuildTagExprParser> parser;
  CreateBuildTagExprParserInstance(parser.out(), settings.expression.c_str());
  std::vector<RtfPiece> pieces;
  if (!ListRtfPieces(bytes, parser.get(), pieces, error)) return Failed(result, error);
  const std::string review = WriteRtfReview(bytes, pieces, result.passagesRemoved);
  for (const RtfPiece& piece : pieces)
    if (piece.kind == RtfPiece::Kind::kAnnotation) ++result.annotationsRemoved;
  if (!WriteOutput(to, review, settings, error)) return Failed(result, error);
  result.outcome = FileOutcome::kFiltered;
  result.bytesOut = review.size();
  result.contentHash = ContentHash(review);
  return result;
}

}  // namespace bte::projectbuild
