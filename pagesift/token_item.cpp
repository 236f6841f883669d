#include "pagesift/token_item.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "pagesift/character_references.h"
#include "pagesift/markup.h"
#include "pagesift/tag_attributes.h"
#include "pagesift/tag_codes.h"
#include "pagesift/tag_table.h"
#include "pagesift/token_extras.h"
#include "pagesift/token_list.h"
#include "pagesift/tokenizer.h"

using pagesift::TagAttributes;

namespace {

const pagesift::TagEntry& EntryOf(uint8_t index) { return pagesift::TagEntryAt(index); }

}  // namespace

CHtmlTokenItem::CHtmlTokenItem(LooseText, bool isTag, std::string_view text)
    : loose_(new pagesift::LooseToken{std::string(text), 0, nullptr}),
      length_(static_cast<uint32_t>(text.size())),
      state_(static_cast<uint16_t>(kLoose | (isTag ? kTag : 0))) {}

CHtmlTokenItem::~CHtmlTokenItem() {
  if (Has(kLoose)) delete loose_;
}

CHtmlTokenList* CHtmlTokenItem::List() const {
  return Has(kLoose) ? nullptr : pagesift::TokenBlock::Of(this)->list;
}

pagesift::TokenExtras* CHtmlTokenItem::ListExtras() const { return &List()->Extras(); }

std::string_view CHtmlTokenItem::GetSourceText() const {
  return Has(kLoose) ? std::string_view(loose_->text) : std::string_view(data_, length_);
}

uint32_t CHtmlTokenItem::GetTokenFlag() const {
  if (!Has(kFlagged)) return 0;
  if (Has(kLoose)) return loose_->flags;
  const auto& flags = ListExtras()->flags;
  const auto found = flags.find(this);
  return found == flags.end() ? 0 : found->second;
}

void CHtmlTokenItem::SetTokenFlag(uint32_t flag) {
  if (flag == 0) return;
  if (Has(kLoose)) {
    loose_->flags |= flag;
  } else {
    ListExtras()->flags[this] |= flag;
  }
  state_ |= kFlagged;
}

void CHtmlTokenItem::WriteTo(CByteString& out) const {
  if (Has(kTag)) {
    static_cast<const CHtmlTagItem*>(this)->WriteTagTo(out);
  } else {
    out.Append(GetSourceText());
  }
}

void CHtmlTokenItem::WriteDiscardedTo(CByteString& out) const {
  if (Has(kTag)) static_cast<const CHtmlTagItem*>(this)->WriteDiscardedTagTo(out);
}

CHtmlTextItem::CHtmlTextItem(const char* text) : CHtmlTokenItem(LooseText{}, false, text ? text : "") {}

CHtmlTagItem::CHtmlTagItem(std::string_view source, bool leading, const pagesift::MarkupInfo& info)
    : CHtmlTokenItem(static_cast<uint16_t>(StateOf(info) | (leading ? kLeadingWhitespace : 0)), source) {
  TakeEntry(info);
}

CHtmlTagItem::CHtmlTagItem(const char* text) : CHtmlTokenItem(LooseText{}, true, text ? text : "") {
  pagesift::MarkupInfo info;
  if (pagesift::Tokenizer::ReadSingleTag(GetSourceText(), info)) {
    state_ |= StateOf(info);
    TakeEntry(info);
  } else {
    entry_ = pagesift::TagEntryIndex(pagesift::UnknownTagEntry());
  }
}

uint16_t CHtmlTagItem::StateOf(const pagesift::MarkupInfo& info) {
  uint16_t state = kTag;
  if (info.kind == pagesift::MarkupKind::kEndTag) state |= kEndTag;
  if (info.carriesBuildTags) state |= kCarriesBuildTags;
  return state;
}

void CHtmlTagItem::TakeEntry(const pagesift::MarkupInfo& info) {
  entry_ = pagesift::TagEntryIndex(*info.entry);
  if (info.entry->id == pagesift::kTagUnknown && !IsEndTag() && !info.selfClosing) {
    SetTokenFlag(pagesift::kTokenFlagUnknownContainer);
  }
}

void CHtmlTagItem::ExtendTrailingWhitespace(size_t length) {
  ExtendBy(length);
  trailing_ = static_cast<uint8_t>(std::min<size_t>(kLongTrailing, trailing_ + length));
}

// Whitespace before a tag is all the source has before its "<".
size_t CHtmlTagItem::LeadingLength() const {
  if (!Has(kLeadingWhitespace)) return 0;
  const std::string_view source = GetSourceText();
  size_t length = 0;
  while (length < source.size() && pagesift::IsHtmlSpace(source[length])) ++length;
  return length;
}

// A tag followed by whitespace ends with ">" (or is an empty end tag), so a
// long run is counted back from the end.
size_t CHtmlTagItem::TrailingLength() const {
  if (trailing_ != kLongTrailing) return trailing_;
  const std::string_view source = GetSourceText();
  size_t length = 0;
  while (length < source.size() && pagesift::IsHtmlSpace(source[source.size() - 1 - length])) ++length;
  return length;
}

uint32_t CHtmlTagItem::GetMjrType() const { return EntryOf(entry_).majorType; }
uint32_t CHtmlTagItem::GetCntType() const { return EntryOf(entry_).contentType; }
int CHtmlTagItem::IsUnknownTag() const { return EntryOf(entry_).id == pagesift::kTagUnknown ? 1 : 0; }
int CHtmlTagItem::IsInlineLevelTag() const { return EntryOf(entry_).level == pagesift::TagLevel::kInline ? 1 : 0; }
int CHtmlTagItem::IsBlockLevelTag() const { return EntryOf(entry_).level == pagesift::TagLevel::kBlock ? 1 : 0; }
int CHtmlTagItem::IsBlockLevelEmbeddedTag() const {
  return EntryOf(entry_).level == pagesift::TagLevel::kBlockEmbedded ? 1 : 0;
}
int CHtmlTagItem::IsBlockTag() const { return IsBlockLevelTag(); }
int CHtmlTagItem::IsMarkupTag() const { return EntryOf(entry_).id < pagesift::kTagFirstElement ? 1 : 0; }
int CHtmlTagItem::IsVoidTag() const { return EntryOf(entry_).content == pagesift::TagContent::kVoid ? 1 : 0; }

const char* CHtmlTagItem::GetKnownTagName(size_t index) { return pagesift::KnownElementName(index); }

std::string_view CHtmlTagItem::GetTagText() const {
  const std::string_view source = GetSourceText();
  const size_t leading = LeadingLength();
  return source.substr(leading, source.size() - leading - TrailingLength());
}

// The name follows "<" or "</"; a known one is as long as its table name.
// Markup has no name, nor has the empty end tag of a tagged void element.
std::string_view CHtmlTagItem::GetTagName() const {
  if (IsMarkupTag()) return {};
  const std::string_view text = GetTagText();
  const size_t offset = IsEndTag() ? 2 : 1;
  if (text.size() <= offset) return {};
  const pagesift::TagEntry& entry = EntryOf(entry_);
  const size_t length =
      entry.id == pagesift::kTagUnknown ? pagesift::ScanTagName(text, offset) - offset : std::strlen(entry.name);
  return text.substr(offset, length);
}

TagAttributes* CHtmlTagItem::ParsedAttributes() const {
  if (Has(kLoose)) return loose_->attributes.get();
  if (!Has(kEdited)) return nullptr;
  return ListExtras()->attributes.at(this).get();
}

TagAttributes& CHtmlTagItem::EditableAttributes() {
  if (TagAttributes* parsed = ParsedAttributes()) return *parsed;
  auto attributes = std::make_unique<TagAttributes>();
  const std::string_view name = GetTagName();
  if (!IsEndTag() && !name.empty()) {
    pagesift::ReadAttributes(GetTagText(), static_cast<size_t>(name.data() + name.size() - GetTagText().data()),
                             *attributes);
  }
  TagAttributes& result = *attributes;
  if (Has(kLoose)) {
    loose_->attributes = std::move(attributes);
  } else {
    ListExtras()->attributes[this] = std::move(attributes);
    state_ |= kEdited;
  }
  return result;
}

TagAttributes* CHtmlTagItem::AttributesToRead() const {
  return Has(kLoose) ? &const_cast<CHtmlTagItem*>(this)->EditableAttributes() : ParsedAttributes();
}

// Attributes follow the name; end tags and markup have none to read.
bool CHtmlTagItem::FindValueBytes(const char* name, std::string_view& value) const {
  if (IsEndTag() || IsMarkupTag()) return false;
  const std::string_view text = GetTagText();
  const size_t nameEnd = pagesift::ScanTagName(text, 1);
  pagesift::AttributeSpan span;
  if (nameEnd == 1 || !pagesift::FindAttribute(text, nameEnd, name, span)) return false;
  value = text.substr(span.valueBegin, span.valueEnd - span.valueBegin);
  return true;
}

// Values are read straight from the tag's bytes and decoded once; a tag
// whose attributes changed, or a loose one, answers from its parts.
const char* CHtmlTagItem::GetAttributeValue(const char* name) const {
  if (!name) return nullptr;
  if (TagAttributes* parsed = AttributesToRead()) {
    const TagAttributes::Attribute* attribute = parsed->Find(name);
    return attribute ? attribute->value.c_str() : nullptr;
  }
  std::string_view raw;
  if (!FindValueBytes(name, raw)) return nullptr;
  if (raw.empty()) return "";
  pagesift::TokenExtras& extras = *ListExtras();
  auto known = extras.values.try_emplace(raw.data(), nullptr);
  if (known.second) {
    if (raw.find('&') == std::string_view::npos) {
      known.first->second = extras.bytes.Copy(raw).data();  // nothing to decode
    } else {
      std::string decoded;
      pagesift::AppendDecoded(raw, decoded, true);
      known.first->second = extras.bytes.Copy(decoded).data();
    }
  }
  return known.first->second;
}

int CHtmlTagItem::GetAttributeValue(const char* name, CByteString& value) const {
  if (!name) return 0;
  if (TagAttributes* parsed = AttributesToRead()) {
    const TagAttributes::Attribute* attribute = parsed->Find(name);
    if (attribute) value.Assign(attribute->value);
    return attribute ? 1 : 0;
  }
  std::string_view raw;
  if (!FindValueBytes(name, raw)) return 0;
  pagesift::AssignDecoded(raw, value);
  return 1;
}

int CHtmlTagItem::HasAttribute(const char* name) const {
  if (!name) return 0;
  if (TagAttributes* parsed = AttributesToRead()) return parsed->Find(name) ? 1 : 0;
  std::string_view raw;
  return FindValueBytes(name, raw) ? 1 : 0;
}

void CHtmlTagItem::SetAttribute(const char* name, const char* value) {
  if (!name || !*name || IsEndTag() || GetTagName().empty()) return;
  TagAttributes& attributes = EditableAttributes();
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
  if (pagesift::EqualsIgnoringCase(name, "data-buildtags")) state_ |= kCarriesBuildTags;
}

int CHtmlTagItem::RemoveAttribute(const char* name) {
  if (!name || !*name || !HasAttribute(name)) return 0;
  TagAttributes& attributes = EditableAttributes();
  attributes.list.erase(std::remove_if(attributes.list.begin(), attributes.list.end(),
                                       [name](const TagAttributes::Attribute& attribute) {
                                         return pagesift::EqualsIgnoringCase(attribute.name, name);
                                       }),
                        attributes.list.end());
  attributes.changed = true;
  if (pagesift::EqualsIgnoringCase(name, "data-buildtags")) state_ &= static_cast<uint16_t>(~kCarriesBuildTags);
  return 1;
}

void CHtmlTagItem::DiscardKeepingWhitespace() { state_ |= kDiscarded | kKeepsWhitespace; }

void CHtmlTagItem::WriteDiscardedTagTo(CByteString& out) const {
  if (!Has(kKeepsWhitespace)) return;
  const std::string_view source = GetSourceText();
  out.Append(source.substr(0, LeadingLength()));
  out.Append(source.substr(source.size() - TrailingLength()));
}

// A changed tag is written from its parts: the name as written, each
// attribute as written unless it changed, then what closed the tag.
void CHtmlTagItem::WriteTagTo(CByteString& out) const {
  const TagAttributes* attributes = ParsedAttributes();
  const std::string_view source = GetSourceText();
  if (!attributes || !attributes->changed) {
    out.Append(source);
    return;
  }
  const std::string_view tag = GetTagText();
  const std::string_view name = GetTagName();
  std::string text(source.substr(0, LeadingLength()));
  text.append(tag.substr(0, static_cast<size_t>(name.data() + name.size() - tag.data())));
  for (const TagAttributes::Attribute& attribute : attributes->list) {
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
  text.append(tag.substr(attributes->tailBegin));
  text.append(source.substr(source.size() - TrailingLength()));
  out.Append(text);
}
