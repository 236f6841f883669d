#include "rtffilter/filter_output_buffer.h"

#include "platform/zeroed_block.h"

namespace bte::rtf {

FilterOutputBuffer::~FilterOutputBuffer() { FreeStorage(); }

void FilterOutputBuffer::FreeStorage() {
  platform::FreeZeroedBlock(data_, static_cast<size_t>(capacity_) + 1);
  data_ = nullptr;
  capacity_ = 0;
}

HRESULT BTE_CALL FilterOutputBuffer::GetData(char** data, uint32_t* length) {
  if (data != nullptr) *data = data_;
  if (length != nullptr) *length = length_;
  return S_OK;
}

char* FilterOutputBuffer::Allocate(uint32_t n) {
  FreeStorage();
  data_ = platform::AllocateZeroedBlock(static_cast<size_t>(n) + 1);
  if (data_ != nullptr) capacity_ = n;
  return data_;
}

bool FilterOutputBuffer::SetLength(uint32_t n) {
  if (n > capacity_) return false;
  length_ = n;
  return true;
}

}  // namespace bte::rtf
