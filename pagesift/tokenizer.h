// Splits a document into the tokens of a token list. Every byte of the
// source ends up in exactly one token, so writing the tokens in order gives
// the source back.
#ifndef PAGESIFT_TOKENIZER_H
#define PAGESIFT_TOKENIZER_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "pagesift/markup.h"
#include "pagesift/token_list.h"

namespace pagesift {

// A start tag with a build tag attribute, and where the attribute's value
// lies in the tag's bytes: read as the tag is, so that the filter's look-up
// of each candidate's tags need not read its attributes again.
struct TaggedTag {
  HtmlPosition position;
  uint32_t valueBegin;  // from the first byte of the token's source text
  uint32_t valueLength;
};

class Tokenizer {
 public:
  // The tokens view source, which must outlive them. The start tags with
  // a build tag attribute are listed in tagged, in document order.
  Tokenizer(std::string_view source, CHtmlTokenList& tokens, std::vector<TaggedTag>& tagged)
      : source_(source), tokens_(tokens), tagged_(tagged) {}
  void Run();
  // Noted on the way, for the document's questions: the first body start
  // tag (null when there is none) and the meta elements, in order.
  CHtmlTagItem* Body() const { return body_; }
  const std::vector<CHtmlTagItem*>& Metas() const { return metas_; }

  // Tokenizes a text of one tag for a tag token made outside a document;
  // false when the text is not exactly one tag or piece of markup.
  static bool ReadSingleTag(std::string_view text, MarkupInfo& info);

 private:
  // Emits the markup and, after the start tag of a raw text element, its
  // text; returns where tokenizing goes on.
  size_t EmitMarkup(const MarkupInfo& info);
  void EmitTag(const MarkupInfo& info);
  void EmitText(size_t begin, size_t end);
  void AddText(std::string_view text);
  // Browsers decide the document's mode at its first token that is no
  // whitespace or comment: a doctype says which, anything else means quirks.
  void DecideMode(const MarkupInfo& info);
  void DecideModeAtText(std::string_view text);
  // A tagged element that holds nothing gets an end tag of no bytes, so that
  // removing it stops right after it.
  void EmitEmptyEndTag(const MarkupInfo& info);
  void FlushLeadingWhitespace();

  std::string_view source_;
  CHtmlTokenList& tokens_;
  CHtmlTokenItem* last_ = nullptr;
  bool lastIsTag_ = false;
  size_t pendingLeadBegin_ = 0;
  size_t pendingLeadEnd_ = 0;
  std::vector<TaggedTag>& tagged_;
  CHtmlTagItem* body_ = nullptr;
  std::vector<CHtmlTagItem*> metas_;
  bool modeDecided_ = false;
  bool quirks_ = false;
};

}  // namespace pagesift

#endif  // PAGESIFT_TOKENIZER_H
