// The filter object. Nothing thrown inside escapes to the host: a failure
// of the HTML library during a run is reported as a failed run, any other
// failure (memory) as a failed call.
#include "htmlfilter/html_filter.h"

#include <string>
#include <string_view>

#include "htmlfilter/filter_pass.h"
#include "pagesift/pagesift.h"
#include "platform/wide_string.h"

namespace bte {
namespace {

// A new system string for the caller; false when allocation failed.
bool StoreResult(platform::WideStringView text, BSTR* result) {
  *result = SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
  return *result != nullptr;
}

// Runs one pass; a library exception counts as a failed run.
bool RunPass(HtmlFilterPass& pass, uint32_t mode) {
  try {
    return pass.Run(mode) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

BuildTagExprFilter::~BuildTagExprFilter() { ReleaseOwnedParser(); }

void BuildTagExprFilter::ReleaseOwnedParser() {
  if (ownsParser_ && parser_ != nullptr) parser_->Release();
  parser_ = nullptr;
  ownsParser_ = false;
}

// A parser this filter created is released as soon as another replaces
// it; the host's parser is only borrowed.
HRESULT BuildTagExprFilter::SetParser(IBuildTagExprParser* parser) {
  ReleaseOwnedParser();
  parser_ = parser;
  return S_OK;
}

HRESULT BuildTagExprFilter::SetExpression(const char* expression) {
  if (expression == nullptr) return S_OK;
  IBuildTagExprParser* created = nullptr;
  try {
    CreateBuildTagExprParserInstance(&created, expression);
  } catch (...) {
    created = nullptr;
  }
  if (created == nullptr) return S_OK;  // out of memory: the previous parser stays in use
  ReleaseOwnedParser();
  parser_ = created;
  ownsParser_ = true;
  return S_OK;
}

bool BuildTagExprFilter::HasWork() { return parser_ != nullptr && parser_->IsEmpty() != S_OK; }

HRESULT BuildTagExprFilter::FilterDocument(CHtmlFileEx& document) {
  return FilterDocumentInMode(document, kModeFilter);
}

HRESULT BuildTagExprFilter::FilterDocumentWithLinks(CHtmlFileEx& document) {
  return FilterDocumentInMode(document, kModeFilterWithLinks);
}

HRESULT BuildTagExprFilter::FilterText(const OLECHAR* html, BSTR* result) {
  return FilterTextInMode(html, result, kModeFilter);
}

HRESULT BuildTagExprFilter::FilterTextWithLinks(const OLECHAR* html, BSTR* result) {
  return FilterTextInMode(html, result, kModeFilterWithLinks);
}

HRESULT BuildTagExprFilter::FilterDocumentInMode(CHtmlFileEx& document, uint32_t mode) {
  try {
    if (!HasWork()) return S_OK;
    HtmlFilterPass pass(&document, parser_, &passMemory_);
    return RunPass(pass, mode) ? S_OK : S_FALSE;
  } catch (...) {
    return S_FALSE;
  }
}

// The text is re-serialised only when removal changed it; otherwise the
// caller gets its own text back, code unit for code unit.
HRESULT BuildTagExprFilter::FilterTextInMode(const OLECHAR* html, BSTR* result, uint32_t mode) {
  try {
    if (!HasWork()) return S_OK;
    if (result == nullptr) return S_FALSE;
    const platform::WideStringView input =
        html != nullptr ? platform::WideStringView(html) : platform::WideStringView();
    CByteString bytes(platform::WideToMultiByte(input).c_str(), -1);
    CHtmlFileEx document(bytes, nullptr);
    if (!document.Analyse()) return S_OK;
    HtmlFilterPass pass(&document, parser_, &passMemory_);
    const bool ran = RunPass(pass, mode);
    bool stored = false;
    if (pass.removedAny()) {
      document.Save(bytes, pagesift::kSaveHtml);
      stored = StoreResult(platform::MultiByteToWide(bytes.View()), result);
    } else {
      stored = StoreResult(input, result);
    }
    return ran && stored ? S_OK : S_FALSE;
  } catch (...) {
    return S_FALSE;
  }
}

}  // namespace bte
