// What only a few tokens need, kept beside them rather than in every token:
// by the list for its tokens, by a loose token for itself.
#ifndef PAGESIFT_TOKEN_EXTRAS_H
#define PAGESIFT_TOKEN_EXTRAS_H

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "pagesift/byte_arena.h"
#include "pagesift/tag_attributes.h"
#include "pagesift/token_item.h"

namespace pagesift {

struct TokenLinks {
  CHtmlTokenItem* next;
  CHtmlTokenItem* prev;
};

struct TokenExtras {
  // Tokens whose neighbours are not the ones beside them in storage.
  std::unordered_map<const CHtmlTokenItem*, TokenLinks> links;
  std::unordered_map<const CHtmlTokenItem*, uint32_t> flags;
  std::unordered_map<const CHtmlTokenItem*, std::unique_ptr<TagAttributes>> attributes;
  // Decoded attribute values handed out, by where the value starts in the
  // tag's bytes: each is decoded once.
  std::unordered_map<const char*, const char*> values;
  ByteArena bytes;
};

// A token made outside any list.
struct LooseToken {
  std::string text;
  uint32_t flags = 0;
  std::unique_ptr<TagAttributes> attributes;
};

}  // namespace pagesift

#endif  // PAGESIFT_TOKEN_EXTRAS_H
