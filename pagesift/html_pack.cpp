#include "pagesift/html_pack.h"

#include <utility>

#include "pagesift/character_references.h"
#include "pagesift/containment.h"
#include "pagesift/loose_table_content.h"
#include "pagesift/tag_scanner.h"
#include "pagesift/tokenizer.h"
#include "platform/file_io.h"
#include "platform/file_system.h"

namespace {

constexpr const char* kInlineBuildTagAttribute = "data-buildtags";
constexpr const char* kTopicBuildTagMetaName = "buildtags";
constexpr size_t kSavePiece = 64 * 1024;

bool IsTopicBuildTagMeta(const CHtmlTagItem& tag) {
  const char* name = tag.GetAttributeValue("name");
  return name && pagesift::EqualsIgnoringCase(name, kTopicBuildTagMetaName);
}

}  // namespace

CHtmlPack::CHtmlPack() = default;
CHtmlPack::~CHtmlPack() = default;

void CHtmlPack::SetSource(std::string bytes, bool loaded) {
  source_ = std::move(bytes);
  sourceLoaded_ = loaded;
}

void CHtmlPack::SetPath(const char* path) { path_ = path ? path : ""; }

int CHtmlPack::Analyse() {
  if (!sourceLoaded_) {
    if (path_.empty()) return 0;
    bte::platform::FileContents file = bte::platform::ReadWholeFile(path_);
    if (!file.ok()) return 0;
    source_ = std::move(file.bytes);
    sourceLoaded_ = true;
  }
  tokens_.RemoveAll();
  candidates_.clear();
  nextCandidate_ = 0;
  pagesift::Tokenizer tokenizer(source_, tokens_, candidates_);
  tokenizer.Run();
  startPosition_ = tokenizer.Body();
  topicBuildTags_ = nullptr;
  for (const CHtmlTagItem* meta : tokenizer.Metas()) {
    if (IsTopicBuildTagMeta(*meta)) {
      topicBuildTags_ = meta;
      break;
    }
  }
  return 1;
}

size_t CHtmlPack::GetCandidateCount() const { return candidates_.size(); }
HtmlPosition CHtmlPack::GetCandidatePosition(size_t index) const { return candidates_[index].position; }

int CHtmlPack::Save(CByteString& out, int flag) const {
  out.Empty();
  out.Reserve(source_.size());
  WriteTokens(out, nullptr, flag);
  return 1;
}

int CHtmlPack::SaveInPieces(const std::function<bool(std::string_view piece)>& put, int flag) const {
  CByteString piece;
  piece.Reserve(kSavePiece + kSavePiece / 2);
  return WriteTokens(piece, &put, flag) && put(piece.View()) ? 1 : 0;
}

// Tokens written as they are and next to each other in the source are
// appended as one run.
bool CHtmlPack::WriteTokens(CByteString& out, const std::function<bool(std::string_view)>* put, int flag) const {
  const bool withDiscarded = (flag & pagesift::kSaveWithDiscarded) != 0;
  const auto handOver = [&out, put] {
    if (!put || out.GetSize() < kSavePiece) return true;
    const bool taken = (*put)(out.View());
    out.Empty();
    return taken;
  };
  const char* runBegin = nullptr;
  const char* runEnd = nullptr;
  const auto endRun = [&] {
    if (runBegin == nullptr) return true;
    out.Append(std::string_view(runBegin, static_cast<size_t>(runEnd - runBegin)));
    runBegin = runEnd = nullptr;
    return handOver();
  };
  for (HtmlPosition position = tokens_.GetHeadPosition(); position; position = CHtmlTokenList::GetNext(position)) {
    const bool discarded = !withDiscarded && position->IsDiscardedToken();
    const std::string_view unchanged = discarded ? std::string_view() : position->GetUnchangedSourceText();
    if (unchanged.data() != nullptr) {
      if (unchanged.data() != runEnd && !endRun()) return false;
      if (runBegin == nullptr) runBegin = unchanged.data();
      runEnd = unchanged.data() + unchanged.size();
      if (static_cast<size_t>(runEnd - runBegin) >= kSavePiece && !endRun()) return false;
      continue;
    }
    if (!endRun()) return false;
    if (discarded) {
      position->WriteDiscardedTo(out);
    } else {
      position->WriteTo(out);
    }
    if (!handOver()) return false;
  }
  return endRun();
}

CHtmlTagItem* CHtmlPack::GetTagItem(HtmlPosition position) const { return CHtmlTokenList::GetTagItem(position); }

HtmlPosition CHtmlPack::FindEndTagPosition(HtmlPosition position) const {
  pagesift::ElementExtent extent = pagesift::FindElementExtent(position);
  return extent.closedByEndTag ? extent.last : nullptr;
}

HtmlPosition CHtmlPack::FindElementEnd(HtmlPosition position) const {
  return pagesift::FindElementExtent(position).last;
}

int CHtmlPack::HasInlineBuildTags(const CHtmlTagItem* tag) const {
  return tag && tag->HasAttribute(kInlineBuildTagAttribute) ? 1 : 0;
}

// The list is read as the C string it was always handed out as: it ends at
// a zero byte.
int CHtmlPack::GetInlineBuildTags(const CHtmlTagItem* tag, CByteString& text) const {
  if (!tag) return 0;
  if (const pagesift::TaggedTag* known = NextCandidateIfItIs(tag)) {
    pagesift::AssignDecoded(tag->GetUnchangedSourceText().substr(known->valueBegin, known->valueLength), text);
  } else if (!tag->GetAttributeValue(kInlineBuildTagAttribute, text)) {
    return 0;
  }
  const size_t zero = text.View().find('\0');
  if (zero != std::string_view::npos) text.Assign(text.View().substr(0, zero));
  return 1;
}

// Candidates are asked about in document order, so the one after the last
// answered is tried first; a tag whose attributes changed since it was read
// is read again.
const pagesift::TaggedTag* CHtmlPack::NextCandidateIfItIs(const CHtmlTagItem* tag) const {
  if (nextCandidate_ >= candidates_.size() || candidates_[nextCandidate_].position != tag ||
      tag->GetUnchangedSourceText().data() == nullptr)
    return nullptr;
  return &candidates_[nextCandidate_++];
}

int CHtmlPack::GetTopicBuildTags(CByteString& text) const {
  text.Empty();
  const char* content = topicBuildTags_ ? topicBuildTags_->GetAttributeValue("content") : nullptr;
  if (!content) return 0;
  text.Assign(pagesift::Trim(content));
  return 1;
}

int CHtmlPack::DeleteEntity(HtmlPosition position) {
  pagesift::ElementExtent extent = pagesift::FindElementExtent(position);
  if (!extent.last) return 0;
  const CHtmlTagItem* start = CHtmlTokenList::GetTagItem(position);
  const bool table = start != nullptr && start->GetTagId() == pagesift::kTagTable;
  pagesift::LooseTableContent loose;
  for (HtmlPosition at = position;; at = CHtmlTokenList::GetNext(at)) {
    // Discarded tokens too show where cells begin and end.
    if (!table || !loose.Holds(*at)) at->DiscardToken();
    if (at == extent.last) break;
  }
  return 1;
}

int CHtmlPack::DeleteAnchor(HtmlPosition position) {
  CHtmlTagItem* tag = GetTagItem(position);
  if (!tag || tag->GetTagId() != pagesift::kTagAnchor || tag->IsDiscardedToken()) return 0;
  // Links do not nest: the anchor ends at the next "</a>" unless another
  // anchor starts first.
  HtmlPosition end = CHtmlTokenList::GetNext(position);
  for (; end; end = CHtmlTokenList::GetNext(end)) {
    const CHtmlTagItem* next = GetTagItem(end);
    if (!next || next->IsDiscardedToken() || (next->GetTagId() & ~pagesift::kEndTagBit) != pagesift::kTagAnchor) {
      continue;
    }
    if (!next->IsEndTag()) end = nullptr;
    break;
  }
  tag->DiscardKeepingWhitespace();
  if (end) GetTagItem(end)->DiscardKeepingWhitespace();
  return 1;
}

int CHtmlPack::HtmlToText(CByteString& out, const char* text, int length) {
  std::string decoded;
  if (text) {
    std::string_view view = length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length));
    pagesift::AppendDecoded(view, decoded, false);
  }
  out.Assign(decoded);
  return 1;
}

int CHtmlPack::IsExistingFile(const char* path) {
  return path && *path && bte::platform::IsRegularFile(path) ? 1 : 0;
}

CHtmlFileEx::CHtmlFileEx(const CByteString& bytes, const char* path) {
  SetSource(std::string(bytes.View()), true);
  SetPath(path);
}

CHtmlFileEx::CHtmlFileEx(CByteString&& bytes, const char* path) {
  SetSource(bytes.Release(), true);
  SetPath(path);
}

CHtmlFileEx::CHtmlFileEx(const char* path) { SetPath(path); }
