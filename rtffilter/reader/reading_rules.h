// Which groups each reading of RTF passes over, hands out whole or goes
// into, by the category of their destination word and whether "\*" stands
// before it. One row per reading; the scanner applies them. Every reading
// steps over the N bytes of data after \binN: they are no RTF, and a
// brace among them is none.
#ifndef BTE_RTFFILTER_READER_READING_RULES_H
#define BTE_RTFFILTER_READER_READING_RULES_H

#include <cstdint>

#include "rtffilter/reader/keyword_tables.h"

namespace bte::rtf {

enum class GroupAction : uint8_t {
  kEnter,     // read what the group holds, token by token
  kPassOver,  // step over the whole group unseen
  kHandOut,   // give the whole group to the listener, then step over it
};

// One action per DestinationCategory; index 0 is unused.
struct GroupActions {
  GroupAction byCategory[DestSkip + 1];
};

// letters: one of E (enter), P (pass over), H (hand out) per category, in
// the order Unit, ListTextBullet, ParaNumBullet, NestedTableProps,
// AnnotationAuthor, AnnotationId, Annotation, Skip.
constexpr GroupActions Actions(const char (&letters)[DestSkip + 1]) {
  GroupActions actions{};
  for (int category = DestUnit; category <= DestSkip; ++category) {
    const char letter = letters[category - 1];
    actions.byCategory[category] = letter == 'H'   ? GroupAction::kHandOut
                                   : letter == 'P' ? GroupAction::kPassOver
                                                   : GroupAction::kEnter;
  }
  return actions;
}

struct ReadingRules {
  GroupActions plain;    // "{\word"
  GroupActions starred;  // "{\*\word"
  bool readsHexEscapesWhole;  // "\'hh" is one four-byte symbol
};

// The writers' reading: content and structure come out (fields, pictures,
// annotations, list text as units); hidden text and tables are passed over.
inline constexpr ReadingRules kContentRules = {
    Actions("HPPPPPPP"), Actions("HHHHPPHP"), false};
// An annotation's identity: its "\*" id, author and annotation groups come
// out, other "\*" groups are passed over, groups without "\*" read into.
inline constexpr ReadingRules kAnnotationIdentityRules = {
    Actions("EEEEEEEE"), Actions("PPPPHHHP"), false};
// The tag text of an annotation group: every destination inside it (its
// reference number, fields, ...) is passed over; escapes are decoded.
inline constexpr ReadingRules kAnnotationTextRules = {
    Actions("PPPPPPPP"), Actions("PPPPPPPP"), true};
// Every token, groups included: the plain text of an id or author group.
inline constexpr ReadingRules kEveryTokenRules = {
    Actions("EEEEEEEE"), Actions("EEEEEEEE"), false};
// The words of a removed row: hidden text and tables (header, stylesheet,
// bookmarks, ...) stay untouched.
inline constexpr ReadingRules kTableWordRules = {
    Actions("EEEEEEEP"), Actions("EEEEEEEP"), false};
// Every word: where paragraphs reset.
inline constexpr ReadingRules kEveryWordRules = {
    Actions("EEEEEEEE"), Actions("EEEEEEEE"), false};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_READING_RULES_H
