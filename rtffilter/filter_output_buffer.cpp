#include "rtffilter/filter_output_buffer.h"

#include <cstdlib>

namespace bte::rtf {

FilterOutputBuffer::~FilterOutputBuffer() { std::free(data_); }

HRESULT BTE_CALL FilterOutputBuffer::GetData(char** data, uint32_t* length) {
  if (data != nullptr) *data = data_;
  if (length != nullptr) *length = length_;
  return S_OK;
}

char* FilterOutputBuffer::Allocate(uint32_t n) {
  std::free(data_);
  capacity_ = 0;
  // calloc: large blocks come zeroed from the system, so pages the writer
  // never reaches are never touched.
  data_ = static_cast<char*>(std::calloc(static_cast<size_t>(n) + 1, 1));
  if (data_ != nullptr) capacity_ = n;
  return data_;
}

bool FilterOutputBuffer::SetLength(uint32_t n) {
  if (n > capacity_) return false;
  length_ = n;
  return true;
}

}  // namespace bte::rtf
