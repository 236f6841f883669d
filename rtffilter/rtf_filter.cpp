#include "rtffilter/rtf_filter.h"

#include <cstring>
#include <new>
#include <string>

#include "com/create_instance.h"
#include "platform/file_io.h"
#include "rtffilter/annotation_text.h"
#include "rtffilter/filter_document.h"
#include "rtffilter/filter_output_buffer.h"

namespace bte::rtf {

RTFBuildTagExprFilter::~RTFBuildTagExprFilter() {
  if (ownsParser_ && parser_ != nullptr) parser_->Release();
  parser_ = nullptr;
}

HRESULT BTE_CALL RTFBuildTagExprFilter::SetParser(IBuildTagExprParser* parser) {
  if (parser_ != nullptr) return E_FAIL;
  parser_ = parser;  // borrowed: the host keeps its reference
  ownsParser_ = 0;
  return S_OK;
}

HRESULT BTE_CALL RTFBuildTagExprFilter::SetExpression(const char* expression) {
  if (parser_ != nullptr || expression == nullptr) return E_FAIL;
  CreateBuildTagExprParserInstance(&parser_, expression);
  ownsParser_ = 1;
  return S_OK;
}

HRESULT BTE_CALL RTFBuildTagExprFilter::FilterBuffer(const char* rtf, uint32_t length,
                                                      IFilterOutputBuffer** result) {
  if (result == nullptr || (rtf == nullptr && length != 0)) return S_FALSE;
  return FilterDocument(rtf, length, parser_, result).ok() ? S_OK : S_FALSE;
}

HRESULT BTE_CALL RTFBuildTagExprFilter::FilterFile(const char* inputPath,
                                                    const char* outputPath) {
  if (inputPath == nullptr || outputPath == nullptr) return E_FAIL;
  // Offsets and lengths in the filter are 32-bit.
  platform::FileView input;
  const platform::FileResult opened = platform::OpenFileView(inputPath, input, UINT32_MAX - 1);
  if (opened.status == platform::FileStatus::kTooLarge) return E_FAIL;
  if (!opened.ok()) throw BuildTagExprFileError(inputPath, opened.systemError);
  const auto length = static_cast<uint32_t>(input.bytes().size());
  // Written as the filter goes, never held whole; a refused document, or an
  // empty result, leaves the output file as it was.
  const auto write = [&](const platform::PieceWriter& put) {
    size_t handedOn = 0;
    const PieceConsumer counted = [&](std::string_view piece) {
      handedOn += piece.size();
      return put(piece);
    };
    return FilterDocumentInPieces(input.bytes().data(), length, parser_, counted).ok() &&
           handedOn != 0;
  };
  const platform::FileResult written =
      platform::ReplaceFileAtomicallyInPieces(outputPath, write, platform::kRegenerableFile);
  return written.ok() ? S_OK : E_FAIL;
}

HRESULT BTE_CALL RTFBuildTagExprFilter::GetAnnotationTags(const char* rtf, uint32_t length,
                                                           uint32_t* isBuildTagAnnotation,
                                                           IFilterOutputBuffer** tags) {
  if (isBuildTagAnnotation == nullptr || tags == nullptr) return E_FAIL;
  std::string tagText;
  const bool isBuildTag = rtf != nullptr && IsBuildTagAnnotation(rtf, length, tagText);
  *isBuildTagAnnotation = isBuildTag ? 1 : 0;
  if (!isBuildTag) return S_OK;
  FilterOutputBuffer* buffer = nullptr;
  if (com::CreateInstance<FilterOutputBuffer>(&buffer) != S_OK) return S_OK;
  // The length stays 0: the caller reads the tags as a zero-terminated string.
  char* storage = buffer->Allocate(static_cast<uint32_t>(tagText.size() + 1));
  if (storage != nullptr) std::memcpy(storage, tagText.c_str(), tagText.size() + 1);
  *tags = buffer;
  return S_OK;
}

}  // namespace bte::rtf
