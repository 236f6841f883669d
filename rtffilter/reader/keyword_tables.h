// The two keyword tables of the RTF reader: destinations, which decide how a
// group is treated, and special words, which carry content or structure.
#ifndef BTE_RTFFILTER_READER_KEYWORD_TABLES_H
#define BTE_RTFFILTER_READER_KEYWORD_TABLES_H

#include <cstdint>
#include <iterator>

#include "rtffilter/reader/keyword_table.h"
#include "rtffilter/rtf_item.h"

namespace bte::rtf {

enum DestinationCategory : int32_t {
  DestUnit = 1,              // kept or removed as one piece (field, picture, ...)
  DestListTextBullet = 2,    // the host's list text
  DestParaNumBullet = 3,     // the host's paragraph number text
  DestNestedTableProps = 4,
  DestAnnotationAuthor = 5,
  DestAnnotationId = 6,
  DestAnnotation = 7,
  DestSkip = 8,              // hidden text and tables: passed over whole
};

namespace keyword_rows {

// Written in a readable order: the tables below are built from them when
// the program is compiled.
inline constexpr KeywordRow kDestinationRows[] = {
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

inline constexpr KeywordRow kSpecialWordRows[] = {
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

inline constexpr KeywordTable kDestinations(kDestinationRows);
inline constexpr KeywordTable kSpecialWords(kSpecialWordRows);

}  // namespace keyword_rows

// Exact, case-sensitive lookups of count letters. true with the row's value,
// else false with 0. Inline: the reader looks up every control word.
inline bool LookupDestination(const char* letters, uint32_t count, int32_t& category) {
  return keyword_rows::kDestinations.Find(letters, count, category);
}
inline bool LookupSpecialWord(const char* letters, uint32_t count, int32_t& code) {
  return keyword_rows::kSpecialWords.Find(letters, count, code);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_KEYWORD_TABLES_H
