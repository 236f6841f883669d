// The content reading's loop, for listeners known when the program is
// compiled: the structure rebuild hands every token of a document to its
// listener, and calls the compiler can see through cost less than virtual
// ones. ReadContent (content_reader.h) is the same loop.
#ifndef BTE_RTFFILTER_CONTENT_READER_LOOP_H
#define BTE_RTFFILTER_CONTENT_READER_LOOP_H

#include <cstring>

#include "rtffilter/content_reader.h"
#include "rtffilter/reader/keyword_tables.h"
#include "rtffilter/reader/rtf_scanner_loop.h"

namespace bte::rtf {
namespace content_detail {

inline bool WordIs(const char* letters, uint32_t count, const char* word) {
  return std::strlen(word) == count && std::memcmp(letters, word, count) == 0;
}

inline void ReadStateNumber(const char* after, const char* end, int32_t& field) {
  int64_t value = 0;
  if (ReadNumberAfterBlanks(after, end, value)) field = static_cast<int32_t>(value);
}

inline int32_t UnitCodeOf(int32_t category) {
  switch (category) {
    case DestListTextBullet: return ItemListTextBullet;
    case DestParaNumBullet: return ItemParaNumBullet;
    case DestNestedTableProps: return ItemNestedRow;
    default: return ItemContent;  // units and annotations
  }
}

template <class Listener>
class ContentReader final : public RtfListener {
 public:
  ContentReader(const char* end, ParagraphTracker* paragraphs, Listener& listener)
      : end_(end), paragraphs_(paragraphs), listener_(listener) {}

  bool OnText(const char* at, const RTFToken& token) override {
    return listener_.OnContent(at, token);
  }

  bool OnControlWord(const char* at, const RTFToken& token) override {
    int32_t code = 0;
    const char* letters = at + 1;
    const uint32_t count = token.nameLength - 1;
    // \uN is a character, as much content as the text after it.
    if (WordIs(letters, count, "u") && token.paramLength > 0) code = ItemContent;
    if (code != 0 || LookupSpecialWord(letters, count, code)) {
      // \intbl puts a body paragraph into a table; \itap may say how deep.
      if (code == ItemInTable && paragraphs_ != nullptr && paragraphs_->state.tableDepth < 1)
        paragraphs_->state.tableDepth = 1;
      RTFToken special = token;
      special.code = code;
      return listener_.OnContent(at, special);
    }
    if (paragraphs_ != nullptr) FollowParagraphWord(at, token, paragraphs_->state);
    return true;
  }

  // Symbols are content; a "\*" reaches here only when no destination
  // word of a group follows it.
  bool OnControlSymbol(const char* at, const RTFToken& token) override {
    return listener_.OnContent(at, token);
  }

  bool OnGroupOpen(const char*) override {
    if (paragraphs_ != nullptr) paragraphs_->saved.push_back(paragraphs_->state);
    return true;
  }

  bool OnGroupClose(const char*) override {
    if (paragraphs_ != nullptr && !paragraphs_->saved.empty()) {
      paragraphs_->state = paragraphs_->saved.back();
      paragraphs_->saved.pop_back();
    }
    return true;
  }

  // A unit whose group does not close within the piece is handed out with
  // length 0 when written with "\*"; without, only its word is passed over.
  bool OnDestination(const DestinationGroup& group) override {
    if (group.length != 0) ForgetGroupOpen();
    if (group.length == 0 && !group.starred) return true;
    RTFToken unit;
    unit.kind = TokenUnitGroup;
    unit.code = UnitCodeOf(group.category);
    unit.length = group.length;
    return listener_.OnContent(group.open, unit);
  }

  // The number text of a list paragraph: the structure reading follows it,
  // so that it goes with its paragraph and is renumbered.
  bool OnPassOver(const DestinationGroup& group) override {
    ForgetGroupOpen();
    if (paragraphs_ == nullptr || group.starred) return true;
    const uint32_t count = group.wordToken.nameLength - 1;
    if (!WordIs(group.word + 1, count, "listtext") && !WordIs(group.word + 1, count, "pntext"))
      return true;
    RTFToken unit;
    unit.kind = TokenUnitGroup;
    unit.code = ItemReaderListText;
    unit.length = group.length;
    return listener_.OnContent(group.open, unit);
  }

 private:
  // A group stepped over whole never reports its close, and nothing in it
  // changed the state: the state saved at its '{' goes unused. Left on the
  // stack, it would be restored at the enclosing group's '}' in place of
  // the state saved there.
  void ForgetGroupOpen() {
    if (paragraphs_ != nullptr && !paragraphs_->saved.empty()) paragraphs_->saved.pop_back();
  }

  // \pard resets the paragraph properties; \itap, \ilvl and \ls set one each.
  void FollowParagraphWord(const char* at, const RTFToken& token, ParagraphListState& state) {
    const char* letters = at + 1;
    const uint32_t count = token.nameLength - 1;
    const char* after = at + token.nameLength;
    if (WordIs(letters, count, "pard"))
      state = ParagraphListState{};
    else if (WordIs(letters, count, "itap"))
      ReadStateNumber(after, end_, state.tableDepth);
    else if (WordIs(letters, count, "ilvl"))
      ReadStateNumber(after, end_, state.listLevel);
    else if (WordIs(letters, count, "ls"))
      ReadStateNumber(after, end_, state.listOverride);
  }

  const char* end_;
  ParagraphTracker* paragraphs_;
  Listener& listener_;
};

}  // namespace content_detail

// ReadContent with a listener of a type known here; Listener has OnContent
// as ContentListener has.
template <class Listener>
void ReadContentWith(const char* begin, const char* end, ParagraphTracker* paragraphs,
                     Listener& listener) {
  content_detail::ContentReader<Listener> reader(end, paragraphs, listener);
  ScanRtfWith(kContentRules, begin, end, end, reader);
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_CONTENT_READER_LOOP_H
