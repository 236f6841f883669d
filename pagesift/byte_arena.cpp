#include "pagesift/byte_arena.h"

#include <cstring>

namespace pagesift {

std::string_view ByteArena::Copy(std::string_view bytes) {
  const size_t size = bytes.size() + 1;
  char* copy;
  if (size > kChunkSize / 4) {
    // A long one gets storage of its own: the chunk being filled stays.
    large_.push_back(std::unique_ptr<char[]>(new char[size]));
    copy = large_.back().get();
  } else {
    if (usedInLastChunk_ + size > kChunkSize) {
      // Left uninitialised: make_unique would clear the whole chunk, costing
      // a small topic more than the copies it takes.
      chunks_.push_back(std::unique_ptr<char[]>(new char[kChunkSize]));
      usedInLastChunk_ = 0;
    }
    copy = chunks_.back().get() + usedInLastChunk_;
    usedInLastChunk_ += size;
  }
  std::memcpy(copy, bytes.data(), bytes.size());
  copy[bytes.size()] = '\0';
  return std::string_view(copy, bytes.size());
}

}  // namespace pagesift
