// A byte buffer: the library's string type for documents, attribute values
// and decoded text. Always followed by a zero byte, so GetContent() can be
// handed to C string functions; the bytes themselves may contain zeros.
#ifndef PAGESIFT_BYTE_STRING_H
#define PAGESIFT_BYTE_STRING_H

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "pagesift/pagesift_export.h"

class PAGESIFT_API CByteString {
 public:
  CByteString() = default;
  // length -1 takes the bytes up to the first zero byte; null data is empty.
  CByteString(const char* data, int length);
  explicit CByteString(std::string_view bytes) : bytes_(bytes) {}

  const char* GetContent() const { return bytes_.c_str(); }
  int GetLength() const { return static_cast<int>(bytes_.size()); }
  size_t GetSize() const { return bytes_.size(); }
  bool IsEmpty() const { return bytes_.empty(); }
  std::string_view View() const { return bytes_; }

  void Empty() { bytes_.clear(); }
  void Assign(std::string_view bytes) { bytes_.assign(bytes); }
  void Append(std::string_view bytes) { bytes_.append(bytes); }
  void Reserve(size_t size) { bytes_.reserve(size); }
  // Takes the bytes over without copying them.
  void Adopt(std::string&& bytes) { bytes_ = std::move(bytes); }
  // Hands the bytes over, leaving this string empty.
  std::string Release() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

#endif  // PAGESIFT_BYTE_STRING_H
