// Tokens of a document: tags (start and end tags, and markup such as
// comments and doctypes, which are never text content) and text.
//
// A token keeps the source bytes it was made from, so an unchanged document
// is saved byte for byte. Whitespace-only text between two tags is not a
// token of its own: it travels with the tag before it (or, at the very start
// of a document, with the first tag) and is written and discarded with it,
// so that such whitespace neither counts as content nor separates tags.
#ifndef PAGESIFT_TOKEN_ITEM_H
#define PAGESIFT_TOKEN_ITEM_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "pagesift/byte_string.h"
#include "pagesift/pagesift_export.h"

namespace pagesift {
class Tokenizer;
struct MarkupInfo;
struct TagAttributes;
struct TagEntry;
}  // namespace pagesift

class PAGESIFT_API CHtmlTokenItem {
 public:
  CHtmlTokenItem(const CHtmlTokenItem&) = delete;
  CHtmlTokenItem& operator=(const CHtmlTokenItem&) = delete;
  virtual ~CHtmlTokenItem();

  int IsTagToken() const { return isTag_ ? 1 : 0; }
  int IsDiscardedToken() const { return discarded_ ? 1 : 0; }
  // Discarded tokens stay in the list and are left out when saving.
  void DiscardToken() { discarded_ = true; }
  uint32_t GetTokenFlag() const { return flags_; }
  // Adds the bits of flag to the flag word.
  void SetTokenFlag(uint32_t flag) { flags_ |= flag; }

  // The bytes this token was made from, with the whitespace that travels
  // with it.
  std::string_view GetSourceText() const { return source_; }
  // Appends what Save writes for this token.
  virtual void WriteTo(CByteString& out) const;
  // Appends what Save writes for this token once discarded: nothing, or the
  // whitespace of a tag discarded with DiscardKeepingWhitespace.
  virtual void WriteDiscardedTo(CByteString& out) const;

 protected:
  CHtmlTokenItem(bool isTag, std::string_view source) : source_(source), isTag_(isTag) {}
  // Copies text into storage owned by the token and points source_ at it.
  void OwnSource(std::string_view text);

  std::string_view source_;

 private:
  friend class CHtmlTokenList;
  friend class pagesift::Tokenizer;
  std::unique_ptr<char[]> ownedSource_;
  uint32_t flags_ = 0;
  bool isTag_;
  bool discarded_ = false;
  bool inTokenStorage_ = false;  // made by the tokenizer in the list's storage
};

class PAGESIFT_API CHtmlTextItem : public CHtmlTokenItem {
 public:
  // A new text token holding text as written (character references stay
  // references), e.g. "&nbsp;".
  explicit CHtmlTextItem(const char* text);

  // The text as written in the document.
  std::string_view GetText() const { return source_; }

 private:
  friend class pagesift::Tokenizer;
  struct SourceView {};
  CHtmlTextItem(SourceView, std::string_view source) : CHtmlTokenItem(false, source) {}
};

class PAGESIFT_API CHtmlTagItem : public CHtmlTokenItem {
 public:
  // A new tag token from the text of one tag, e.g. "<p>" or "</p>". Text that
  // is not a tag becomes an unknown tag that writes the text unchanged.
  explicit CHtmlTagItem(const char* text);
  ~CHtmlTagItem() override;

  uint32_t GetTagId() const;  // end tags: the start tag's id + kEndTagBit
  int IsEndTag() const { return isEnd_ ? 1 : 0; }
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
  int HasAttribute(const char* name) const;
  // Replaces the value (or adds the attribute at the end). The tag is then
  // written again from its parts: the other attributes keep their bytes.
  void SetAttribute(const char* name, const char* value);
  // Removes the attribute (every one of that name, when written more than
  // once); the tag is then written again from its parts. Non-zero when it
  // was there.
  int RemoveAttribute(const char* name);

  void WriteTo(CByteString& out) const override;
  void WriteDiscardedTo(CByteString& out) const override;
  // Discards the tag but keeps the whitespace that travels with it (for
  // unwrapping, where that whitespace separates the words around the tag).
  void DiscardKeepingWhitespace();
  // Non-zero for a tag discarded that way (a link unwrapped, say).
  int IsDiscardedKeepingWhitespace() const { return keepsWhitespace_ ? 1 : 0; }

  // The element names the library knows (lower case), by index from 0; null
  // past the last. For walking every kind of element.
  static const char* GetKnownTagName(size_t index);

  // True when the tag has a "data-buildtags" attribute (a cheap test, no
  // attribute is read).
  bool CarriesBuildTagAttribute() const { return carriesBuildTags_; }

 private:
  friend class pagesift::Tokenizer;
  struct SourceView {};
  // A tag viewing source bytes [leading whitespace][tag][trailing whitespace].
  CHtmlTagItem(SourceView, std::string_view source, uint32_t leading, const pagesift::MarkupInfo& info);
  void TakeMarkup(const pagesift::MarkupInfo& info);
  void ExtendTrailingWhitespace(size_t length);
  const pagesift::TagAttributes& Attributes() const;

  const pagesift::TagEntry* entry_ = nullptr;
  mutable std::unique_ptr<pagesift::TagAttributes> attributes_;
  uint32_t leading_ = 0;
  uint32_t trailing_ = 0;
  uint32_t nameOffset_ = 0;
  uint32_t nameLength_ = 0;
  bool isEnd_ = false;
  bool carriesBuildTags_ = false;
  bool keepsWhitespace_ = false;
};

#endif  // PAGESIFT_TOKEN_ITEM_H
