// Zero-filled byte blocks for result buffers, which can be as large as the
// document being filtered.
#ifndef BTE_PLATFORM_ZEROED_BLOCK_H
#define BTE_PLATFORM_ZEROED_BLOCK_H

#include <cstddef>

namespace bte::platform {

// size zero bytes, or null when the memory is not there. Large blocks are
// mapped in large pages where the system offers them: a fresh result buffer
// of tens of megabytes otherwise costs more in page faults than the
// filtering itself.
char* AllocateZeroedBlock(size_t size);
// Frees a block of AllocateZeroedBlock; size is the size it was given.
void FreeZeroedBlock(char* block, size_t size);

}  // namespace bte::platform

#endif  // BTE_PLATFORM_ZEROED_BLOCK_H
