// Tokens of a document: tags (start and end tags, and markup such as
// comments and doctypes, which are never text content) and text.
//
// A token keeps the source bytes it was made from, so an unchanged document
// is saved byte for byte. Whitespace-only text between two tags is not a
// token of its own: it travels with the tag before it (or, at the very start
// of a document, with the first tag) and is written and discarded with it,
// so that such whitespace neither counts as content nor separates tags.
//
// A document has millions of tokens, so a token is small: a view of its
// bytes and a few packed fields. A token in a list is also its position
// there (token_list.h); what only a few tokens need (links of inserted
// tokens, flags, edited attributes) the list keeps beside them. A token
// made with a constructor and not yet handed to a list is a loose token: it
// keeps those things itself.
#ifndef PAGESIFT_TOKEN_ITEM_H
#define PAGESIFT_TOKEN_ITEM_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pagesift/byte_string.h"
#include "pagesift/pagesift_export.h"
#include "pagesift/tag_codes.h"

class CHtmlTokenList;

namespace pagesift {
class Tokenizer;
struct LooseToken;
struct MarkupInfo;
struct TagAttributes;
struct TokenExtras;

// The tag id of each element-table entry, by the index a tag keeps of its
// entry (tag_table.h): every walk over a document asks each tag its id, so
// GetTagId is answered inline.
PAGESIFT_API extern const std::array<uint32_t, 256> kTagIdOfEntry;
}  // namespace pagesift

class PAGESIFT_API CHtmlTokenItem {
 public:
  CHtmlTokenItem(const CHtmlTokenItem&) = delete;
  CHtmlTokenItem& operator=(const CHtmlTokenItem&) = delete;
  // Tokens in a list belong to it; only a loose token is ever destroyed.
  ~CHtmlTokenItem();

  int IsTagToken() const { return (state_ & kTag) ? 1 : 0; }
  int IsDiscardedToken() const { return (state_ & kDiscarded) ? 1 : 0; }
  // Discarded tokens stay in the list and are left out when saving.
  void DiscardToken() { state_ |= kDiscarded; }
  uint32_t GetTokenFlag() const;
  // Adds the bits of flag to the flag word.
  void SetTokenFlag(uint32_t flag);

  // The bytes this token was made from, with the whitespace that travels
  // with it.
  std::string_view GetSourceText() const;
  // The bytes Save writes for this token when they are its source bytes as
  // they are (nothing about it changed); a view with null data otherwise.
  // Tokens of a list that follow each other in the source can so be written
  // as one run.
  std::string_view GetUnchangedSourceText() const {
    return Has(kEdited) || Has(kLoose) ? std::string_view() : std::string_view(data_, length_);
  }
  // Appends what Save writes for this token.
  void WriteTo(CByteString& out) const;
  // Appends what Save writes for this token once discarded: nothing, or the
  // whitespace of a tag discarded with DiscardKeepingWhitespace.
  void WriteDiscardedTo(CByteString& out) const;

 protected:
  enum State : uint16_t {
    kTag = 1 << 0,
    kEndTag = 1 << 1,
    kDiscarded = 1 << 2,
    kKeepsWhitespace = 1 << 3,
    kCarriesBuildTags = 1 << 4,
    kLeadingWhitespace = 1 << 5,  // the first tag of a document, after whitespace
    kLoose = 1 << 6,              // not in a list: loose_ holds the text
    kRelinked = 1 << 7,           // the list keeps this token's neighbours
    kFlagged = 1 << 8,            // a flag word is kept beside the token
    kEdited = 1 << 9,             // parsed, changeable attributes are kept beside it
  };
  // The longest trailing whitespace counted in trailing_; longer runs are
  // counted again from the bytes.
  static constexpr uint8_t kLongTrailing = 0xFF;

  // A loose token owning a copy of text.
  struct LooseText {};
  CHtmlTokenItem(LooseText, bool isTag, std::string_view text);
  // A token of a list viewing source bytes that outlive it.
  CHtmlTokenItem(uint16_t state, std::string_view source) : data_(source.data()),
      length_(static_cast<uint32_t>(source.size())), state_(state) {}

  bool Has(State bit) const { return (state_ & bit) != 0; }
  // The list holding this token; null for a loose token.
  CHtmlTokenList* List() const;
  pagesift::TokenExtras* ListExtras() const;
  void ExtendBy(size_t length) { length_ += static_cast<uint32_t>(length); }

  union {
    const char* data_;              // in a list: the first source byte
    pagesift::LooseToken* loose_;   // loose
  };
  uint32_t length_ = 0;
  uint8_t entry_ = 0;     // tags: the index of the element-table entry
  uint8_t trailing_ = 0;  // tags: the trailing whitespace, up to kLongTrailing
  uint16_t state_ = 0;

 private:
  friend class CHtmlTokenList;
  friend class pagesift::Tokenizer;
};

class PAGESIFT_API CHtmlTextItem : public CHtmlTokenItem {
 public:
  // A new text token holding text as written (character references stay
  // references), e.g. "&nbsp;".
  explicit CHtmlTextItem(const char* text);

  // The text as written in the document.
  std::string_view GetText() const { return GetSourceText(); }

 private:
  friend class CHtmlTokenList;
  friend class pagesift::Tokenizer;
  explicit CHtmlTextItem(std::string_view source) : CHtmlTokenItem(uint16_t{0}, source) {}
};

class PAGESIFT_API CHtmlTagItem : public CHtmlTokenItem {
 public:
  // A new tag token from the text of one tag, e.g. "<p>" or "</p>". Text that
  // is not a tag becomes an unknown tag that writes the text unchanged.
  explicit CHtmlTagItem(const char* text);

  // End tags: the start tag's id + kEndTagBit.
  uint32_t GetTagId() const {
    return pagesift::kTagIdOfEntry[entry_] + (Has(kEndTag) ? pagesift::kEndTagBit : 0);
  }
  int IsEndTag() const { return Has(kEndTag) ? 1 : 0; }
  uint32_t GetMjrType() const;
  uint32_t GetCntType() const;
  int IsUnknownTag() const;
  int IsInlineLevelTag() const;
  int IsBlockLevelTag() const;
  int IsBlockLevelEmbeddedTag() const;
  // A block that may stand anywhere in flow content. Block-level embedded
  // tags (li, dt, table parts) are not: they fit only their own parent.
  int IsBlockTag() const;
  // Comments, doctypes, processing instructions and CDATA sections.
  int IsMarkupTag() const;
  // Elements that never have content or an end tag (br, img, param, ...).
  int IsVoidTag() const;
  // The element name as written (empty for markup).
  std::string_view GetTagName() const;
  // The tag alone, without the whitespace that travels with it.
  std::string_view GetTagText() const;

  // Names are matched ignoring ASCII case. The value has its character
  // references decoded; a valueless attribute has the value "". Null when the
  // attribute is absent. The pointer stays valid until the next SetAttribute.
  const char* GetAttributeValue(const char* name) const;
  // The same value written into value and kept nowhere else: for a value
  // read once. 0 when absent (value is then left as it was).
  int GetAttributeValue(const char* name, CByteString& value) const;
  // Whether the attribute is there; its value is not decoded.
  int HasAttribute(const char* name) const;
  // Replaces the value (or adds the attribute at the end). The tag is then
  // written again from its parts: the other attributes keep their bytes.
  void SetAttribute(const char* name, const char* value);
  // Removes the attribute (every one of that name, when written more than
  // once); the tag is then written again from its parts. Non-zero when it
  // was there.
  int RemoveAttribute(const char* name);

  // Discards the tag but keeps the whitespace that travels with it (for
  // unwrapping, where that whitespace separates the words around the tag).
  void DiscardKeepingWhitespace();
  // Non-zero for a tag discarded that way (a link unwrapped, say).
  int IsDiscardedKeepingWhitespace() const { return Has(kKeepsWhitespace) ? 1 : 0; }

  // The element names the library knows (lower case), by index from 0; null
  // past the last.
  static const char* GetKnownTagName(size_t index);

  // True when the tag has a "data-buildtags" attribute (a cheap test, no
  // attribute is read).
  bool CarriesBuildTagAttribute() const { return Has(kCarriesBuildTags); }

 private:
  friend class CHtmlTokenItem;
  friend class CHtmlTokenList;
  friend class pagesift::Tokenizer;
  // A tag of a list viewing source bytes [leading whitespace][tag].
  CHtmlTagItem(std::string_view source, bool leading, const pagesift::MarkupInfo& info);
  // A copy of a tag for a list (its entry and trailing set after).
  CHtmlTagItem(uint16_t state, std::string_view source) : CHtmlTokenItem(state, source) {}
  static uint16_t StateOf(const pagesift::MarkupInfo& info);
  void TakeEntry(const pagesift::MarkupInfo& info);
  void ExtendTrailingWhitespace(size_t length);
  size_t LeadingLength() const;
  size_t TrailingLength() const;
  // The parsed attributes when the tag was edited (or is loose and was
  // read), else null.
  pagesift::TagAttributes* ParsedAttributes() const;
  // The parsed attributes where there are any (a loose tag is parsed when
  // first read), else null: then the value is read from the tag's bytes.
  pagesift::TagAttributes* AttributesToRead() const;
  // Where the value of attribute name lies in the tag's bytes, not
  // decoded; false when absent. For tags read from their bytes.
  bool FindValueBytes(const char* name, std::string_view& value) const;
  pagesift::TagAttributes& EditableAttributes();
  void WriteTagTo(CByteString& out) const;
  void WriteDiscardedTagTo(CByteString& out) const;
};

#endif  // PAGESIFT_TOKEN_ITEM_H
