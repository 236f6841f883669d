#include "pagesift/token_item.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "pagesift/character_references.h"
#include "pagesift/markup.h"
#include "pagesift/tag_codes.h"
#include "pagesift/tag_scanner.h"
#include "pagesift/tag_table.h"
#include "pagesift/tokenizer.h"

namespace pagesift {

// A tag's attributes, read when first asked for.
struct TagAttributes {
  struct Attribute {
    size_t begin = 0;  // the span in the tag text, with the space before it
    size_t nameBegin = 0;
    size_t end = 0;
    std::string name;   // lower case
    std::string value;  // references decoded
    bool changed = false;
  };
  std::vector<Attribute> list;
  size_t tailBegin = 0;  // what follows the last attribute: "/>", ">"
  bool changed = false;

  Attribute* Find(std::string_view name) {
    for (Attribute& attribute : list) {
      if (EqualsIgnoringCase(attribute.name, name)) return &attribute;
    }
    return nullptr;
  }
};

namespace {

void ReadAttributes(std::string_view tag, size_t nameEnd, TagAttributes& attributes) {
  size_t cursor = nameEnd;
  AttributeSpan span;
  while (ScanAttribute(tag, cursor, span) == ScanResult::kAttribute) {
    TagAttributes::Attribute attribute;
    attribute.begin = span.begin;
    attribute.nameBegin = span.nameBegin;
    attribute.end = span.end;
    for (size_t i = span.nameBegin; i < span.nameEnd; ++i) attribute.name += AsciiLower(tag[i]);
    AppendDecoded(tag.substr(span.valueBegin, span.valueEnd - span.valueBegin), attribute.value, true);
    attributes.list.push_back(std::move(attribute));
    cursor = span.end;
  }
  attributes.tailBegin = cursor;
}

}  // namespace
}  // namespace pagesift

using pagesift::TagAttributes;

CHtmlTokenItem::~CHtmlTokenItem() = default;

void CHtmlTokenItem::WriteTo(CByteString& out) const { out.Append(source_); }
void CHtmlTokenItem::WriteDiscardedTo(CByteString&) const {}

void CHtmlTokenItem::OwnSource(std::string_view text) {
  ownedSource_ = std::make_unique<char[]>(text.size() + 1);
  std::memcpy(ownedSource_.get(), text.data(), text.size());
  source_ = std::string_view(ownedSource_.get(), text.size());
}

CHtmlTextItem::CHtmlTextItem(const char* text) : CHtmlTokenItem(false, {}) { OwnSource(text ? text : ""); }

CHtmlTagItem::CHtmlTagItem(SourceView, std::string_view source, uint32_t leading,
                           const pagesift::MarkupInfo& info)
    : CHtmlTokenItem(true, source), leading_(leading) {
  TakeMarkup(info);
}

CHtmlTagItem::CHtmlTagItem(const char* text) : CHtmlTokenItem(true, {}) {
  OwnSource(text ? text : "");
  pagesift::MarkupInfo info;
  if (pagesift::Tokenizer::ReadSingleTag(source_, info)) {
    TakeMarkup(info);
  } else {
    entry_ = &pagesift::UnknownTagEntry();
  }
}

CHtmlTagItem::~CHtmlTagItem() = default;

void CHtmlTagItem::TakeMarkup(const pagesift::MarkupInfo& info) {
  entry_ = info.entry;
  isEnd_ = info.kind == pagesift::MarkupKind::kEndTag;
  nameOffset_ = static_cast<uint32_t>(info.nameBegin - info.begin);
  nameLength_ = static_cast<uint32_t>(info.nameEnd - info.nameBegin);
  carriesBuildTags_ = info.carriesBuildTags;
  if (entry_->id == pagesift::kTagUnknown && !isEnd_ && !info.selfClosing) {
    SetTokenFlag(pagesift::kTokenFlagUnknownContainer);
  }
}

void CHtmlTagItem::ExtendTrailingWhitespace(size_t length) {
  source_ = std::string_view(source_.data(), source_.size() + length);
  trailing_ += static_cast<uint32_t>(length);
}

uint32_t CHtmlTagItem::GetTagId() const { return entry_->id + (isEnd_ ? pagesift::kEndTagBit : 0); }
uint32_t CHtmlTagItem::GetMjrType() const { return entry_->majorType; }
uint32_t CHtmlTagItem::GetCntType() const { return entry_->contentType; }
int CHtmlTagItem::IsUnknownTag() const { return entry_->id == pagesift::kTagUnknown ? 1 : 0; }
int CHtmlTagItem::IsInlineLevelTag() const { return entry_->level == pagesift::TagLevel::kInline ? 1 : 0; }
int CHtmlTagItem::IsBlockLevelTag() const { return entry_->level == pagesift::TagLevel::kBlock ? 1 : 0; }
int CHtmlTagItem::IsBlockLevelEmbeddedTag() const {
  return entry_->level == pagesift::TagLevel::kBlockEmbedded ? 1 : 0;
}
int CHtmlTagItem::IsBlockTag() const { return IsBlockLevelTag(); }
int CHtmlTagItem::IsMarkupTag() const { return entry_->id < pagesift::kTagFirstElement ? 1 : 0; }
int CHtmlTagItem::IsVoidTag() const { return entry_->content == pagesift::TagContent::kVoid ? 1 : 0; }

const char* CHtmlTagItem::GetKnownTagName(size_t index) { return pagesift::KnownElementName(index); }

std::string_view CHtmlTagItem::GetTagText() const {
  return source_.substr(leading_, source_.size() - leading_ - trailing_);
}

// Markup has no name; its offsets are not set.
std::string_view CHtmlTagItem::GetTagName() const {
  return IsMarkupTag() ? std::string_view() : GetTagText().substr(nameOffset_, nameLength_);
}

const TagAttributes& CHtmlTagItem::Attributes() const {
  if (!attributes_) {
    attributes_ = std::make_unique<TagAttributes>();
    if (!isEnd_ && !IsMarkupTag() && nameLength_ > 0) {
      pagesift::ReadAttributes(GetTagText(), nameOffset_ + nameLength_, *attributes_);
    }
  }
  return *attributes_;
}

const char* CHtmlTagItem::GetAttributeValue(const char* name) const {
  if (!name) return nullptr;
  auto* attribute = const_cast<TagAttributes&>(Attributes()).Find(name);
  return attribute ? attribute->value.c_str() : nullptr;
}

int CHtmlTagItem::HasAttribute(const char* name) const { return GetAttributeValue(name) ? 1 : 0; }

void CHtmlTagItem::SetAttribute(const char* name, const char* value) {
  if (!name || !*name || isEnd_ || IsMarkupTag() || nameLength_ == 0) return;
  auto& attributes = const_cast<TagAttributes&>(Attributes());
  TagAttributes::Attribute* attribute = attributes.Find(name);
  if (!attribute) {
    attributes.list.emplace_back();
    attribute = &attributes.list.back();
    for (const char* c = name; *c; ++c) attribute->name += pagesift::AsciiLower(*c);
    attribute->begin = attribute->nameBegin = attribute->end = attributes.tailBegin;
  }
  attribute->value = value ? value : "";
  attribute->changed = true;
  attributes.changed = true;
  if (pagesift::EqualsIgnoringCase(name, "data-buildtags")) carriesBuildTags_ = true;
}

int CHtmlTagItem::RemoveAttribute(const char* name) {
  if (!name || !*name || !HasAttribute(name)) return 0;
  auto& list = const_cast<TagAttributes&>(Attributes()).list;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [name](const TagAttributes::Attribute& attribute) {
                              return pagesift::EqualsIgnoringCase(attribute.name, name);
                            }),
             list.end());
  attributes_->changed = true;
  if (pagesift::EqualsIgnoringCase(name, "data-buildtags")) carriesBuildTags_ = false;
  return 1;
}

void CHtmlTagItem::DiscardKeepingWhitespace() {
  DiscardToken();
  keepsWhitespace_ = true;
}

void CHtmlTagItem::WriteDiscardedTo(CByteString& out) const {
  if (!keepsWhitespace_) return;
  out.Append(source_.substr(0, leading_));
  out.Append(source_.substr(source_.size() - trailing_));
}

// A changed tag is written from its parts: the name as written, each
// attribute as written unless it changed, then what closed the tag.
void CHtmlTagItem::WriteTo(CByteString& out) const {
  if (!attributes_ || !attributes_->changed) {
    out.Append(source_);
    return;
  }
  std::string_view tag = GetTagText();
  std::string text(source_.substr(0, leading_));
  text.append(tag.substr(0, nameOffset_ + nameLength_));
  for (const TagAttributes::Attribute& attribute : attributes_->list) {
    if (!attribute.changed) {
      text.append(tag.substr(attribute.begin, attribute.end - attribute.begin));
      continue;
    }
    std::string_view space = tag.substr(attribute.begin, attribute.nameBegin - attribute.begin);
    text.append(space.empty() ? std::string_view(" ") : space);
    text += attribute.name;
    text += "=\"";
    pagesift::AppendEscaped(attribute.value, text);
    text += '"';
  }
  text.append(tag.substr(attributes_->tailBegin));
  text.append(source_.substr(source_.size() - trailing_));
  out.Append(text);
}
