// How the C library's allocator treats a process that handles many files
// one after another.
#ifndef BTE_PLATFORM_ALLOCATOR_TUNING_H
#define BTE_PLATFORM_ALLOCATOR_TUNING_H

namespace bte::platform {

// Keeps memory that one file's work freed for the next file's, instead of
// handing it back to the system after each file and taking it again page
// by page. Only for a program that owns its process (the tool), never for a
// library inside a host's.
void KeepFreedMemoryForReuse();

}  // namespace bte::platform

#endif  // BTE_PLATFORM_ALLOCATOR_TUNING_H
