#include "platform/allocator_tuning.h"

namespace bte::platform {

// The Windows heap keeps freed memory for reuse by itself.
void KeepFreedMemoryForReuse() {}

}  // namespace bte::platform
