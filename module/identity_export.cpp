// The sixth export: the identity strings the host writes into build-tag
// annotations.
#include <cstring>

#include "buildtagexpr.h"
#include "rtffilter/identity_strings.h"

extern "C" BTE_API int32_t BTE_CALL GetRTFBuildTagIdentidy(char* idBuffer, uint32_t idSize,
                                                           char* authorBuffer,
                                                           uint32_t authorSize) {
  using bte::BuildTagAnnotationAuthor;
  using bte::BuildTagAnnotationId;
  // Both sizes are checked before anything is written.
  if (idSize <= BuildTagAnnotationId.size() || authorSize <= BuildTagAnnotationAuthor.size())
    return 0;
  if (idBuffer == nullptr || authorBuffer == nullptr) return 0;
  std::memcpy(idBuffer, BuildTagAnnotationId.data(), BuildTagAnnotationId.size());
  idBuffer[BuildTagAnnotationId.size()] = '\0';
  std::memcpy(authorBuffer, BuildTagAnnotationAuthor.data(), BuildTagAnnotationAuthor.size());
  authorBuffer[BuildTagAnnotationAuthor.size()] = '\0';
  return 1;
}
