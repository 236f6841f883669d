#include "pagesift/byte_string.h"

#include <cstring>

CByteString::CByteString(const char* data, int length) {
  if (!data) return;
  bytes_.assign(data, length < 0 ? std::strlen(data) : static_cast<size_t>(length));
}
