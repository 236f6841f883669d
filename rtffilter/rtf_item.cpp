#include "rtffilter/rtf_item.h"

#include <cstring>

namespace bte::rtf {

void RtfItem::CopyTextFrom(const RtfItem& other) {
  const char* source = other.hasOwnedText ? other.ownedText : other.text;
  const size_t size = other.hasOwnedText ? std::strlen(other.ownedText) : other.length;
  char* copy = new char[size + 1]();
  if (size > 0) std::memcpy(copy, source, size);
  delete[] ownedText;
  ownedText = copy;
  hasOwnedText = 1;
}

}  // namespace bte::rtf
