// Arbitrary bytes through the HTML library: with nothing changed, Save gives
// the input back; every query and edit on the result must hold up.
#include <cstdint>
#include <string>
#include <string_view>

#include "pagesift/pagesift.h"
#include "fuzz_support.h"

namespace {

void QueryEveryTag(const CHtmlPack& document) {
  for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at)) {
    const CHtmlTagItem* tag = document.GetTagItem(at);
    if (!tag) continue;
    tag->GetAttributeValue("href");
    document.GetHhctrlCommandType(at);
    HtmlPosition end = document.FindEndTagPosition(at);
    Require(!end || document.GetTagItem(end)->IsEndTag());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CHtmlFileEx document(CByteString(input), nullptr);
  Require(document.Analyse() != 0);
  CByteString saved;
  document.Save(saved, pagesift::kSaveHtml);
  Require(saved.View() == input);
  QueryEveryTag(document);

  CByteString text;
  CHtmlPack::HtmlToText(text, input.data(), static_cast<int>(input.size()));
  document.GetTopicBuildTags(text);
  for (size_t i = 0; i < document.GetCandidateCount(); ++i) {
    CHtmlTagItem* tag = document.GetTagItem(document.GetCandidatePosition(i));
    Require(document.GetInlineBuildTags(tag, text) != 0);
    // What the tokenizer noted is what reading the attribute gives.
    CByteString read;
    Require(tag->GetAttributeValue("data-buildtags", read) != 0);
    Require(text.View() == read.View().substr(0, read.View().find('\0')));
    tag->SetAttribute("discard", "yes");
    document.DeleteEntity(document.GetCandidatePosition(i));
  }
  // An edited document saves to something that again saves back unchanged,
  // and saving it in pieces gives the same text.
  document.Save(saved, pagesift::kSaveHtml);
  std::string pieces;
  document.SaveInPieces([&pieces](std::string_view piece) { pieces += piece; return true; }, pagesift::kSaveHtml);
  Require(pieces == saved.View());
  CHtmlFileEx again(CByteString(saved.View()), nullptr);
  again.Analyse();
  CByteString savedAgain;
  again.Save(savedAgain, pagesift::kSaveHtml);
  Require(savedAgain.View() == saved.View());
  return 0;
}
