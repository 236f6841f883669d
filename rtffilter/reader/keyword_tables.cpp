#include "rtffilter/reader/keyword_tables.h"

#include <cstddef>
#include <string_view>

#include "rtffilter/rtf_item.h"

namespace bte::rtf {
namespace {

struct KeywordRow {
  std::string_view keyword;
  int32_t value;
};

// Written in a readable order: the tables below are built from them when
// the program is compiled.
constexpr KeywordRow kDestinationRows[] = {
    {"atnicn", DestUnit}, {"atntime", DestUnit}, {"atrfend", DestUnit},
    {"atrfstart", DestUnit}, {"do", DestUnit}, {"field", DestUnit},
    {"footnote", DestUnit}, {"object", DestUnit}, {"pict", DestUnit},
    {"shppict", DestUnit}, {"tc", DestUnit}, {"xe", DestUnit},
    {"listtextkvt", DestListTextBullet},
    {"pntextkvt", DestParaNumBullet},
    {"nesttableprops", DestNestedTableProps},
    {"atnauthor", DestAnnotationAuthor},
    {"atnid", DestAnnotationId},
    {"annotation", DestAnnotation},
    {"aftncn", DestSkip}, {"aftnsep", DestSkip}, {"aftnsepc", DestSkip},
    {"atndate", DestSkip}, {"atnparent", DestSkip}, {"atnref", DestSkip},
    {"author", DestSkip}, {"background", DestSkip}, {"bkmkend", DestSkip},
    {"bkmkstart", DestSkip}, {"buptim", DestSkip}, {"category", DestSkip},
    {"colortbl", DestSkip}, {"comment", DestSkip}, {"company", DestSkip},
    {"creatim", DestSkip}, {"datafield", DestSkip}, {"doccomm", DestSkip},
    {"docvar", DestSkip}, {"dptxbxtext", DestSkip}, {"falt", DestSkip},
    {"fchars", DestSkip}, {"ffdeftext", DestSkip}, {"ffentrymcr", DestSkip},
    {"ffexitmcr", DestSkip}, {"ffformat", DestSkip}, {"ffhelptext", DestSkip},
    {"ffl", DestSkip}, {"ffname", DestSkip}, {"ffstattext", DestSkip},
    {"file", DestSkip}, {"filetbl", DestSkip}, {"fldinst", DestSkip},
    {"fldrslt", DestSkip}, {"fldtype", DestSkip}, {"fname", DestSkip},
    {"fontemb", DestSkip}, {"fontfile", DestSkip}, {"fonttbl", DestSkip},
    {"footer", DestSkip}, {"footer", DestSkip}, {"footerf", DestSkip},
    {"footerl", DestSkip}, {"formfield", DestSkip}, {"ftncn", DestSkip},
    {"ftnsep", DestSkip}, {"ftnsepc", DestSkip}, {"g", DestSkip},
    {"generator", DestSkip}, {"gridtbl", DestSkip}, {"header", DestSkip},
    {"header", DestSkip}, {"headerf", DestSkip}, {"headerl", DestSkip},
    {"htmltag", DestSkip}, {"info", DestSkip}, {"keycode", DestSkip},
    {"keywords", DestSkip}, {"latentstyles", DestSkip}, {"lchars", DestSkip},
    {"levelnumbers", DestSkip}, {"listname", DestSkip}, {"listtable", DestSkip},
    {"listtext", DestSkip}, {"listoverridetable", DestSkip}, {"manager", DestSkip},
    {"mhtmltag", DestSkip}, {"nextfile", DestSkip}, {"nonesttables", DestSkip},
    {"objalias", DestSkip}, {"objclass", DestSkip}, {"objdata", DestSkip},
    {"objname", DestSkip}, {"objsect", DestSkip}, {"objtime", DestSkip},
    {"oldcprops", DestSkip}, {"oldpprops", DestSkip}, {"oldsprops", DestSkip},
    {"oldtprops", DestSkip}, {"operator", DestSkip}, {"panose", DestSkip},
    {"pgp", DestSkip}, {"pgptbl", DestSkip}, {"picprop", DestSkip},
    {"pn", DestSkip}, {"pnkvt", DestSkip}, {"pnseclvl", DestSkip},
    {"pntext", DestSkip}, {"pntxta", DestSkip}, {"pntxtb", DestSkip},
    {"printim", DestSkip}, {"private", DestSkip}, {"pwd", DestSkip},
    {"pxe", DestSkip}, {"result", DestSkip}, {"revtbl", DestSkip},
    {"revtim", DestSkip}, {"rsidtbl", DestSkip}, {"rxe", DestSkip},
    {"stylesheet", DestSkip}, {"subject", DestSkip}, {"template", DestSkip},
    {"title", DestSkip}, {"txe", DestSkip}, {"ud", DestSkip},
    {"upr", DestSkip}, {"urtf", DestSkip}, {"userprops", DestSkip},
};
static_assert(std::size(kDestinationRows) == 126);

constexpr KeywordRow kSpecialWordRows[] = {
    {"chdate", ItemContent}, {"chdpl", ItemContent}, {"chdpa", ItemContent},
    {"chtime", ItemContent}, {"chpgn", ItemContent}, {"sectnum", ItemContent},
    {"chftn", ItemContent}, {"chatn", ItemContent}, {"chftnsep", ItemContent},
    {"chftnsepc", ItemContent}, {"page", ItemContent}, {"column", ItemContent},
    {"line", ItemContent}, {"lbr", ItemContent}, {"softpage", ItemContent},
    {"softcol", ItemContent}, {"softline", ItemContent}, {"softlheight", ItemContent},
    {"tab", ItemContent}, {"emdash", ItemContent}, {"endash", ItemContent},
    {"emspace", ItemContent}, {"enspace", ItemContent}, {"qmspace", ItemContent},
    {"bullet", ItemContent}, {"lquote", ItemContent}, {"rquote", ItemContent},
    {"ldblquote", ItemContent}, {"rdblquote", ItemContent}, {"ltrmark", ItemContent},
    {"rtlmark", ItemContent}, {"zwbo", ItemContent}, {"zwnbo", ItemContent},
    {"zwj", ItemContent}, {"zwnj", ItemContent},
    {"par", ItemParagraph}, {"row", ItemRow}, {"cell", ItemCell},
    {"nestrow", ItemNestedRow}, {"nestcell", ItemNestedCell}, {"sect", ItemSection},
    {"trowd", ItemRowDefaults}, {"intbl", ItemInTable},
};
static_assert(std::size(kSpecialWordRows) == 43);

// One keyword list as an open-addressing hash table, filled at compile
// time. A word costs one hash of its length and three of its letters and,
// where a keyword lies in its slot, one comparison: most control words of
// a document are formatting words, and most of them meet an empty slot.
class KeywordTable {
 public:
  template <size_t N>
  constexpr explicit KeywordTable(const KeywordRow (&rows)[N]) {
    static_assert(N * 4 <= kSlots, "a table at most a quarter full keeps chains short");
    for (const KeywordRow& row : rows) {
      if (row.keyword.size() > longest_) longest_ = row.keyword.size();
      uint32_t slot = Hash(row.keyword.data(), row.keyword.size());
      while (slots_[slot] != nullptr && slots_[slot]->keyword != row.keyword)
        slot = (slot + 1) % kSlots;
      if (slots_[slot] == nullptr) slots_[slot] = &row;  // a repeated row: the first stays
    }
  }

  constexpr bool Find(const char* letters, size_t count, int32_t& value) const {
    value = 0;
    if (count == 0 || count > longest_) return false;
    for (uint32_t slot = Hash(letters, count); slots_[slot] != nullptr;
         slot = (slot + 1) % kSlots) {
      if (SameWord(slots_[slot]->keyword, letters, count)) {
        value = slots_[slot]->value;
        return true;
      }
    }
    return false;
  }

 private:
  static constexpr uint32_t kSlots = 512;

  // Compared in place: keywords are a few letters, fewer than a library
  // comparison costs to call.
  static constexpr bool SameWord(std::string_view keyword, const char* letters, size_t count) {
    if (keyword.size() != count) return false;
    for (size_t i = 0; i < count; ++i)
      if (keyword[i] != letters[i]) return false;
    return true;
  }

  static constexpr uint32_t Hash(const char* letters, size_t count) {
    const auto letter = [letters](size_t i) {
      return static_cast<uint32_t>(static_cast<unsigned char>(letters[i]));
    };
    const uint32_t mixed = letter(0) * 0x9E3779B1u ^ letter(count - 1) * 0x85EBCA77u ^
                           letter(count / 2) * 0xC2B2AE3Du ^
                           static_cast<uint32_t>(count) * 0x27D4EB2Fu;
    return (mixed ^ mixed >> 15) % kSlots;
  }

  const KeywordRow* slots_[kSlots] = {};
  size_t longest_ = 0;
};

constexpr KeywordTable kDestinations(kDestinationRows);
constexpr KeywordTable kSpecialWords(kSpecialWordRows);

// Every row is found with its value (a repeated row with its first one's).
template <size_t N>
constexpr bool FindsEveryRow(const KeywordTable& table, const KeywordRow (&rows)[N]) {
  for (const KeywordRow& row : rows) {
    int32_t value = 0;
    if (!table.Find(row.keyword.data(), row.keyword.size(), value)) return false;
    int32_t first = 0;
    for (const KeywordRow& other : rows) {
      if (other.keyword == row.keyword) {
        first = other.value;
        break;
      }
    }
    if (value != first) return false;
  }
  return true;
}
static_assert(FindsEveryRow(kDestinations, kDestinationRows));
static_assert(FindsEveryRow(kSpecialWords, kSpecialWordRows));

}  // namespace

bool LookupDestination(const char* letters, uint32_t count, int32_t& category) {
  return kDestinations.Find(letters, count, category);
}

bool LookupSpecialWord(const char* letters, uint32_t count, int32_t& code) {
  return kSpecialWords.Find(letters, count, code);
}

}  // namespace bte::rtf
