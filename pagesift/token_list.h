// The document's tokens in order: a doubly linked list whose positions the
// filter passes walk. A position is the token itself.
//
// Tokens live in blocks that the list owns, aligned to their size, so that
// a token finds its block, and from there its list, from its own address.
// The tokenizer appends tokens in document order, so a token's neighbours
// are the tokens beside it in storage; only a token inserted later, and the
// tokens around it, have their links kept in the list (kRelinked). A token
// handed to the list is copied into a block and the one handed over is
// deleted: use the position returned.
#ifndef PAGESIFT_TOKEN_LIST_H
#define PAGESIFT_TOKEN_LIST_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "pagesift/pagesift_export.h"
#include "pagesift/token_item.h"

namespace pagesift {
class Tokenizer;

struct TokenBlock {
  static constexpr size_t kBytes = 64 * 1024;
  static constexpr size_t kFirstOffset =
      (sizeof(void*) * 4 + sizeof(CHtmlTokenItem) - 1) / sizeof(CHtmlTokenItem) * sizeof(CHtmlTokenItem);
  static constexpr size_t kCapacity = (kBytes - kFirstOffset) / sizeof(CHtmlTokenItem);

  CHtmlTokenList* list;
  TokenBlock* next;
  TokenBlock* prev;
  size_t used;

  static TokenBlock* Of(const CHtmlTokenItem* token) {
    return reinterpret_cast<TokenBlock*>(reinterpret_cast<uintptr_t>(token) & ~uintptr_t{kBytes - 1});
  }
  CHtmlTokenItem* First() {
    return reinterpret_cast<CHtmlTokenItem*>(reinterpret_cast<char*>(this) + kFirstOffset);
  }
  CHtmlTokenItem* End() { return First() + used; }
};
static_assert(sizeof(TokenBlock) <= TokenBlock::kFirstOffset, "the header fits before the first token");
// Tokens of both kinds share the slots of a block.
static_assert(sizeof(CHtmlTagItem) == sizeof(CHtmlTokenItem) && sizeof(CHtmlTextItem) == sizeof(CHtmlTokenItem),
              "tokens are all of one size");

}  // namespace pagesift

// A position in a token list; null is "no position".
using HtmlPosition = CHtmlTokenItem*;

class PAGESIFT_API CHtmlTokenList {
 public:
  CHtmlTokenList();
  CHtmlTokenList(const CHtmlTokenList&) = delete;
  CHtmlTokenList& operator=(const CHtmlTokenList&) = delete;
  ~CHtmlTokenList();

  HtmlPosition GetHeadPosition() const { return head_; }
  HtmlPosition GetTailPosition() const { return tail_; }
  // Successor and predecessor; null past either end or for a null position.
  static HtmlPosition GetNext(HtmlPosition position) {
    if (!position) return nullptr;
    if (position->Has(CHtmlTokenItem::kRelinked)) return LinkedNext(position);
    pagesift::TokenBlock* block = pagesift::TokenBlock::Of(position);
    if (position + 1 != block->End()) return position + 1;
    return block->next ? block->next->First() : nullptr;
  }
  static HtmlPosition GetPrev(HtmlPosition position);
  // The token at a position (null for a null position).
  static CHtmlTokenItem* GetAt(HtmlPosition position) { return position; }
  // The tag at a position; null for text or a null position.
  static CHtmlTagItem* GetTagItem(HtmlPosition position) {
    return position && position->IsTagToken() ? static_cast<CHtmlTagItem*>(position) : nullptr;
  }
  size_t GetCount() const { return count_; }

  // The list takes over token (allocated with new, not yet in a list): it
  // keeps a copy and deletes token. Returns the copy's position.
  HtmlPosition AddTail(CHtmlTokenItem* token);
  HtmlPosition InsertAfter(HtmlPosition position, CHtmlTokenItem* token);
  HtmlPosition InsertBefore(HtmlPosition position, CHtmlTokenItem* token);
  // Deletes every token.
  void RemoveAll();

 private:
  friend class CHtmlTokenItem;
  friend class pagesift::Tokenizer;
  static HtmlPosition LinkedNext(HtmlPosition position);
  static HtmlPosition StorageNext(HtmlPosition position);
  static HtmlPosition StoragePrev(HtmlPosition position);
  pagesift::TokenExtras& Extras();
  // Room for one more token after the last one in storage.
  void* NewSlot();
  pagesift::TokenBlock* NewBlock();
  void NewSlab();
  // Links a token just made in the last slot at the tail (the tokenizer's
  // path: no links to keep).
  void Appended(CHtmlTokenItem* token);
  // Copies a token handed over into a new slot; the original is deleted.
  CHtmlTokenItem* Adopt(CHtmlTokenItem* token);
  // Records the links of a token that are not those of its storage
  // neighbours.
  void Pin(CHtmlTokenItem* token);
  void SetNext(CHtmlTokenItem* token, CHtmlTokenItem* next);
  void SetPrev(CHtmlTokenItem* token, CHtmlTokenItem* prev);

  // Blocks are cut from slabs that double in size up to kLargestSlab: a
  // small document takes one block, a large one a few large allocations.
  static constexpr size_t kLargestSlab = size_t{8} << 20;
  struct Slab {
    char* memory;
    size_t bytes;
    bool large;  // from the system (platform/zeroed_block.h)
  };
  std::vector<Slab> slabs_;
  char* uncutBlocks_ = nullptr;
  char* slabEnd_ = nullptr;
  pagesift::TokenBlock* firstBlock_ = nullptr;
  pagesift::TokenBlock* lastBlock_ = nullptr;
  std::unique_ptr<pagesift::TokenExtras> extras_;
  CHtmlTokenItem* head_ = nullptr;
  CHtmlTokenItem* tail_ = nullptr;
  size_t count_ = 0;
};

#endif  // PAGESIFT_TOKEN_LIST_H
