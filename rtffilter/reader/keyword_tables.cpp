#include "rtffilter/reader/keyword_tables.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "rtffilter/rtf_item.h"

namespace bte::rtf {
namespace {

struct KeywordRow {
  std::string_view keyword;
  int32_t value;
};

bool KeywordLess(const KeywordRow& a, const KeywordRow& b) { return a.keyword < b.keyword; }

// Written in a readable order and sorted once, on first use.
KeywordRow kDestinationRows[] = {
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

KeywordRow kSpecialWordRows[] = {
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

// Byte order of keyword against letters, both known to share their first
// byte. Keywords are short: a byte loop beats a library call here.
int CompareInBucket(std::string_view keyword, const char* letters, uint32_t count) {
  const size_t common = keyword.size() < count ? keyword.size() : count;
  for (size_t i = 1; i < common; ++i) {
    const unsigned char a = static_cast<unsigned char>(keyword[i]);
    const unsigned char b = static_cast<unsigned char>(letters[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return keyword.size() < count ? -1 : keyword.size() > count ? 1 : 0;
}

// A sorted view of one table. Rows are bucketed by first letter so that the
// binary search runs over a handful of rows; most control words of a real
// document are formatting words that match no row.
class SortedTable {
 public:
  template <size_t N>
  explicit SortedTable(KeywordRow (&rows)[N]) : rows_(rows) {
    std::stable_sort(rows, rows + N, KeywordLess);
    for (size_t i = 0; i < N; ++i) {
      const unsigned char first = static_cast<unsigned char>(rows[i].keyword[0]);
      if (bucketEnd_[first] == 0) bucketBegin_[first] = static_cast<uint16_t>(i);
      bucketEnd_[first] = static_cast<uint16_t>(i + 1);
      if (rows[i].keyword.size() > longest_) longest_ = rows[i].keyword.size();
      lengths_[first] |= uint64_t{1} << rows[i].keyword.size();
    }
  }

  bool Find(const char* letters, uint32_t count, int32_t& value) const {
    value = 0;
    if (count == 0 || count > longest_) return false;
    const unsigned char first = static_cast<unsigned char>(letters[0]);
    if ((lengths_[first] >> count & 1) == 0) return false;
    uint32_t low = bucketBegin_[first];
    uint32_t high = bucketEnd_[first];
    while (low < high) {  // lower bound within the bucket
      const uint32_t middle = (low + high) / 2;
      if (CompareInBucket(rows_[middle].keyword, letters, count) < 0)
        low = middle + 1;
      else
        high = middle;
    }
    if (low == bucketEnd_[first] || CompareInBucket(rows_[low].keyword, letters, count) != 0)
      return false;
    value = rows_[low].value;
    return true;
  }

 private:
  const KeywordRow* rows_;
  size_t longest_ = 0;
  std::array<uint16_t, 256> bucketBegin_{};
  std::array<uint16_t, 256> bucketEnd_{};
  // Per first letter, the lengths its keywords have (bit n: length n): most
  // words of a document have none, and are turned away without a search.
  std::array<uint64_t, 256> lengths_{};
};

}  // namespace

bool LookupDestination(const char* letters, uint32_t count, int32_t& category) {
  static const SortedTable table(kDestinationRows);  // sorted once, thread-safe
  return table.Find(letters, count, category);
}

bool LookupSpecialWord(const char* letters, uint32_t count, int32_t& code) {
  static const SortedTable table(kSpecialWordRows);
  return table.Find(letters, count, code);
}

}  // namespace bte::rtf
