#include "pagesift/tokenizer.h"

#include <cstring>
#include <new>

#include "pagesift/document_mode.h"
#include "pagesift/tag_codes.h"
#include "pagesift/tag_scanner.h"

namespace pagesift {
namespace {

bool IsAllSpace(std::string_view text) {
  for (char c : text) {
    if (!IsHtmlSpace(c)) return false;
  }
  return true;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void Tokenizer::Run() {
  size_t textBegin = 0;
  size_t at = 0;
  const char* data = source_.data();
  while (at < source_.size()) {
    const void* found = std::memchr(data + at, '<', source_.size() - at);
    if (!found) break;
    size_t lt = static_cast<size_t>(static_cast<const char*>(found) - data);
    MarkupInfo info = ReadMarkup(source_, lt);
    if (info.kind == MarkupKind::kNone) {
      at = lt + 1;
      continue;
    }
    EmitText(textBegin, lt);
    at = textBegin = EmitMarkup(info);
  }
  EmitText(textBegin, source_.size());
  FlushLeadingWhitespace();
}

size_t Tokenizer::EmitMarkup(const MarkupInfo& info) {
  EmitTag(info);
  if (info.kind != MarkupKind::kStartTag) return info.end;
  const TagEntry& entry = *info.entry;
  if (entry.content == TagContent::kVoid || (info.selfClosing && entry.id == kTagUnknown)) {
    if (info.carriesBuildTags) EmitEmptyEndTag(info);
    return info.end;
  }
  if (entry.content != TagContent::kRawText && entry.content != TagContent::kPlainText) return info.end;
  size_t close = entry.content == TagContent::kPlainText ? source_.size()
                                                           : FindRawTextEnd(source_, info.end, entry.name);
  EmitText(info.end, close);
  return close;
}

void Tokenizer::DecideMode(const MarkupInfo& info) {
  // Comments, and what browsers read as comments, leave it open.
  if (info.kind == MarkupKind::kMarkup && info.entry->id != kTagDoctype) return;
  modeDecided_ = true;
  quirks_ = info.kind != MarkupKind::kMarkup ||
            DoctypeMeansQuirks(source_.substr(info.begin, info.end - info.begin));
}

void Tokenizer::DecideModeAtText(std::string_view text) {
  if (text.data() == source_.data() && text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  if (IsAllSpace(text)) return;
  modeDecided_ = true;
  quirks_ = true;
}

void Tokenizer::EmitTag(const MarkupInfo& info) {
  if (!modeDecided_) DecideMode(info);
  size_t begin = info.begin;
  const bool leading = pendingLeadEnd_ > pendingLeadBegin_;
  if (leading) {
    begin = pendingLeadBegin_;
    pendingLeadBegin_ = pendingLeadEnd_ = 0;
  }
  auto* tag = new (tokens_.NewSlot()) CHtmlTagItem(source_.substr(begin, info.end - begin), leading, info);
  tokens_.Appended(tag);
  last_ = tag;
  lastIsTag_ = true;
  if (info.kind != MarkupKind::kStartTag) return;
  if (info.carriesBuildTags) {
    tagged_.push_back({tag, static_cast<uint32_t>(info.buildTagsBegin - begin),
                       static_cast<uint32_t>(info.buildTagsEnd - info.buildTagsBegin)});
  }
  if (info.entry->id == kTagBody && body_ == nullptr) body_ = tag;
  if (info.entry->id == kTagMeta) metas_.push_back(tag);
  if (info.entry->id == kTagTable && quirks_) tag->SetTokenFlag(kTokenFlagTableInParagraph);
}

void Tokenizer::EmitEmptyEndTag(const MarkupInfo& info) {
  MarkupInfo end = info;
  end.kind = MarkupKind::kEndTag;
  end.begin = end.end = end.nameBegin = end.nameEnd = info.end;
  end.carriesBuildTags = false;
  EmitTag(end);
}

// Whitespace between two tags travels with the tag before it; at the start
// of the document, with the first tag. Text next to text (a raw text element
// left open) joins it.
void Tokenizer::EmitText(size_t begin, size_t end) {
  if (end <= begin) return;
  std::string_view text = source_.substr(begin, end - begin);
  if (!modeDecided_) DecideModeAtText(text);
  // Tokens made here view the source: their bytes end at data_ + length_.
  if (last_ && last_->data_ + last_->length_ == text.data()) {
    if (lastIsTag_ && IsAllSpace(text)) {
      static_cast<CHtmlTagItem*>(last_)->ExtendTrailingWhitespace(text.size());
      return;
    }
    if (!lastIsTag_) {
      last_->ExtendBy(text.size());
      return;
    }
  }
  if (!last_ && IsAllSpace(text)) {
    pendingLeadBegin_ = begin;
    pendingLeadEnd_ = end;
    return;
  }
  AddText(text);
}

void Tokenizer::AddText(std::string_view text) {
  auto* item = new (tokens_.NewSlot()) CHtmlTextItem(text);
  tokens_.Appended(item);
  last_ = item;
  lastIsTag_ = false;
}

// A document of nothing but whitespace keeps it as text.
void Tokenizer::FlushLeadingWhitespace() {
  if (pendingLeadEnd_ <= pendingLeadBegin_) return;
  std::string_view text = source_.substr(pendingLeadBegin_, pendingLeadEnd_ - pendingLeadBegin_);
  pendingLeadBegin_ = pendingLeadEnd_ = 0;
  AddText(text);
}

bool Tokenizer::ReadSingleTag(std::string_view text, MarkupInfo& info) {
  if (text.empty() || text[0] != '<') return false;
  info = ReadMarkup(text, 0);
  return info.kind != MarkupKind::kNone && info.end == text.size();
}

}  // namespace pagesift
