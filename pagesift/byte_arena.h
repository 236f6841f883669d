// Copies of short byte strings that live as long as the arena: text of the
// tokens inserted into a document and decoded attribute values. Each copy is
// followed by a zero byte, so it can be handed out as a C string.
#ifndef PAGESIFT_BYTE_ARENA_H
#define PAGESIFT_BYTE_ARENA_H

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace pagesift {

class ByteArena {
 public:
  std::string_view Copy(std::string_view bytes);

 private:
  static constexpr size_t kChunkSize = 16 * 1024;
  std::vector<std::unique_ptr<char[]>> chunks_;
  size_t usedInLastChunk_ = kChunkSize;
  std::vector<std::unique_ptr<char[]>> large_;
};

}  // namespace pagesift

#endif  // PAGESIFT_BYTE_ARENA_H
