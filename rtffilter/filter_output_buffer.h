// The reference-counted byte buffer in which the RTF filter hands out its
// results. Its storage is always one byte longer than its capacity and
// zero-filled, so the result is followed by a zero byte.
#ifndef BTE_RTFFILTER_FILTER_OUTPUT_BUFFER_H
#define BTE_RTFFILTER_FILTER_OUTPUT_BUFFER_H

#include <cstdint>

#include "buildtagexpr.h"
#include "com/ref_counted.h"

namespace bte::rtf {

class FilterOutputBuffer : public com::RefCountedNoQuery<IFilterOutputBuffer> {
 public:
  FilterOutputBuffer() = default;
  FilterOutputBuffer(const FilterOutputBuffer&) = delete;
  FilterOutputBuffer& operator=(const FilterOutputBuffer&) = delete;

  HRESULT BTE_CALL GetData(char** data, uint32_t* length) override;

  // Replaces the storage with n + 1 zero bytes; the length is kept. Null when
  // the memory is not there.
  char* Allocate(uint32_t n);
  // false, and nothing changes, when n exceeds the capacity.
  bool SetLength(uint32_t n);

  char* data() const { return data_; }
  uint32_t length() const { return length_; }
  uint32_t capacity() const { return capacity_; }

 protected:
  ~FilterOutputBuffer() override;

 private:
  void FreeStorage();

  char* data_ = nullptr;
  uint32_t length_ = 0;
  uint32_t capacity_ = 0;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_FILTER_OUTPUT_BUFFER_H
