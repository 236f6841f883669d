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

// Where the highlight colour goes and which number it gets: appended to
// the colour table, or a new table after the font table (or the header).
struct ColourInsertion {
  size_t at = 0;
  std::string text;
  int number = 1;
  bool newTable = false;  // a whole group, which may also go after removed pieces
};

// Where the header's tables and the \rtf word stand, read as RTF: never
// inside escaped text or binary data. npos where absent.
struct HeaderMarks {
  static constexpr size_t npos = std::string_view::npos;
  size_t coloursOpen = npos;  // the colour table's "{"
  size_t coloursEnd = npos;   // its "}"
  size_t fontsEnd = npos;     // the font table's "}"
  size_t afterRtfWord = npos;  // past \rtfN, before its delimiter
};

// Whether the group opening at the start of rest starts with word.
bool OpensWith(std::string_view rest, std::string_view word) {
  return rest.size() > word.size() + 2 && rest[1] == '\\' && rest.substr(2, word.size()) == word &&
         !IsLetter(rest[word.size() + 2]);
}

// One walk over the tokens, up to the colour table's end.
HeaderMarks FindHeaderMarks(std::string_view rtf) {
  HeaderMarks marks;
  rtf::RTFToken token;
  size_t depth = 0, coloursDepth = 0, fontsDepth = 0;  // 0: not met yet
  for (size_t at = 0; at < rtf.size() && marks.coloursEnd == HeaderMarks::npos;) {
    const char* p = rtf.data() + at;
    rtf::ReadRtfToken(p, static_cast<uint32_t>(rtf.size() - at), token);
    const std::string_view rest = rtf.substr(at);
    if (token.kind == rtf::TokenGroupOpen) {
      ++depth;
      if (coloursDepth == 0 && OpensWith(rest, "colortbl")) {
        marks.coloursOpen = at;
        coloursDepth = depth;
      }
      if (fontsDepth == 0 && OpensWith(rest, "fonttbl")) fontsDepth = depth;
    } else if (token.kind == rtf::TokenGroupClose && depth > 0) {
      if (depth == coloursDepth) marks.coloursEnd = at;
      if (depth == fontsDepth && marks.fontsEnd == HeaderMarks::npos) marks.fontsEnd = at;
      --depth;
    } else if (token.kind == rtf::TokenControlWord) {
      const bool rtfWord = token.nameLength == 4 && rest.rfind("\\rtf", 0) == 0;
      if (rtfWord && marks.afterRtfWord == HeaderMarks::npos)
        marks.afterRtfWord = at + token.length - (rest[token.length - 1] == ' ' ? 1 : 0);
      at += static_cast<size_t>(
          std::min<int64_t>(rtf::BinaryDataLength(p, token), rtf.size() - at - token.length));
    }
    at += token.length;
  }
  return marks;
}

ColourInsertion PlanColour(std::string_view rtf) {
  const HeaderMarks marks = FindHeaderMarks(rtf);
  ColourInsertion plan;
  if (marks.coloursEnd != HeaderMarks::npos) {
    plan.at = marks.coloursEnd;
    plan.number = static_cast<int>(
        std::count(rtf.begin() + marks.coloursOpen, rtf.begin() + marks.coloursEnd, ';'));
    plan.text = kHighlightColour;
    return plan;
  }
  plan.text = std::string("{\\colortbl;") + kHighlightColour + "}";
  plan.newTable = true;
  if (marks.fontsEnd != HeaderMarks::npos) {
    plan.at = marks.fontsEnd + 1;
    return plan;
  }
  if (marks.afterRtfWord == HeaderMarks::npos) return {};
  plan.at = marks.afterRtfWord;
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
  // Our own markup goes between tokens: after a control word carried over
  // (it ended where the piece did), before a symbol cut in two.
  void Append(std::string_view raw) {
    if (carry_.size() > 1 && IsLetter(carry_[1])) Flush();
    out_.append(raw);
  }
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
    // Binary data ends with the piece: where the reader found a marker,
    // its pieces decide, as they do for the build.
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
  ColourInsertion colour = PlanColour(rtf);
  std::string out;
  out.reserve(rtf.size() + rtf.size() / 8);
  HighlightWriter writer(out, colour.number);
  bool inPassage = false;
  for (const RtfPiece& piece : pieces) {
    if (piece.kind == RtfPiece::Kind::kMarker) continue;
    std::string_view text(rtf.data() + piece.offset, piece.length);
    // A new table due where a removed piece stood goes before what follows it.
    const bool colourBefore = colour.newTable && colour.at <= piece.offset;
    const bool colourInside = piece.kind == RtfPiece::Kind::kContent && colour.at >= piece.offset &&
                              colour.at <= piece.offset + piece.length;
    if (!colour.text.empty() && (colourBefore || colourInside)) {
      const size_t cut = colourBefore ? 0 : colour.at - piece.offset;
      if (cut > 0) writer.Copy(text.substr(0, cut), piece.excluded);
      writer.Append(std::exchange(colour.text, std::string()));
      text.remove_prefix(cut);
    }
    if (piece.kind == RtfPiece::Kind::kAnnotation) {
      if (piece.excluded) writer.Note(piece.tagText);
      continue;
    }
    if (inPassage && !piece.excluded) passages.push_back(Excerpt(writer.TakePassage()));
    inPassage = piece.excluded;
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
