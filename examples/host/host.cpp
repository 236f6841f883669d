// A host of the buildtagexpr module: one expression decides about two tag
// sets, then filters an RTF document and an HTML topic.
#include <buildtagexpr.h>
#include <pagesift/pagesift.h>

#include <cstdio>
#include <string>

int main() {
  IBuildTagExprParser* parser = nullptr;
  if (CreateBuildTagExprParserInstance(&parser, "NOT Print AND NOT Beta") != S_OK) return 1;
  for (const char* tags : {"Web", "Print;Web"})
    std::printf("%s: %s\n", tags, parser->IsIncluded(tags) == S_OK ? "kept" : "excluded");

  IRTFBuildTagExprFilter* rtfFilter = nullptr;
  if (CreateRTFBuildTagExprFilterInstance(&rtfFilter) != S_OK) return 1;
  rtfFilter->SetParser(parser);  // borrowed: the host releases it
  const std::string rtf =
      "{\\rtf1 Always. {\\*\\atrfstart 1}On paper only.{\\*\\atrfend 1}"
      "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}\\chatn"
      "{\\*\\annotation{\\*\\atnref 1}Print}}";
  IFilterOutputBuffer* output = nullptr;
  if (rtfFilter->FilterBuffer(rtf.data(), rtf.size(), &output) != S_OK) return 1;
  char* data = nullptr;
  uint32_t length = 0;
  output->GetData(&data, &length);
  std::printf("%.*s\n", static_cast<int>(length), data);
  output->Release();
  rtfFilter->Release();

  IBuildTagExprFilter* htmlFilter = nullptr;
  if (CreateBuildTagExprFilterInstance(&htmlFilter) != S_OK) return 1;
  htmlFilter->SetParser(parser);
  CHtmlFileEx topic(CByteString("<p>Always.</p><p data-buildtags=\"Beta\">Not yet.</p>"), nullptr);
  if (topic.Analyse() == 0 || htmlFilter->FilterDocument(topic) != S_OK) return 1;
  CByteString html;
  topic.Save(html, pagesift::kSaveHtml);
  std::printf("%s\n", html.GetContent());
  htmlFilter->Release();
  parser->Release();
  return 0;
}
