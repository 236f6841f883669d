// The document's tokens in order: a doubly linked list whose nodes are the
// positions the filter passes walk. Nodes come from a block allocator owned
// by the list; a token handed to the list belongs to it from then on.
#ifndef PAGESIFT_TOKEN_LIST_H
#define PAGESIFT_TOKEN_LIST_H

#include <cstddef>
#include <memory>
#include <vector>

#include "pagesift/pagesift_export.h"
#include "pagesift/token_item.h"

namespace pagesift {
class Tokenizer;
}

struct CHtmlTokenNode {
  CHtmlTokenNode* next;
  CHtmlTokenNode* prev;
  CHtmlTokenItem* token;
};

// A position in a token list; null is "no position".
using HtmlPosition = CHtmlTokenNode*;

class PAGESIFT_API CHtmlTokenList {
 public:
  CHtmlTokenList();
  CHtmlTokenList(const CHtmlTokenList&) = delete;
  CHtmlTokenList& operator=(const CHtmlTokenList&) = delete;
  ~CHtmlTokenList();

  HtmlPosition GetHeadPosition() const { return head_; }
  HtmlPosition GetTailPosition() const { return tail_; }
  // Successor and predecessor; null past either end or for a null position.
  static HtmlPosition GetNext(HtmlPosition position) { return position ? position->next : nullptr; }
  static HtmlPosition GetPrev(HtmlPosition position) { return position ? position->prev : nullptr; }
  // The token at a position (null for a null position).
  static CHtmlTokenItem* GetAt(HtmlPosition position) { return position ? position->token : nullptr; }
  // The tag at a position; null for text or a null position.
  static CHtmlTagItem* GetTagItem(HtmlPosition position);
  size_t GetCount() const { return count_; }

  // The list takes ownership of token (allocated with new).
  HtmlPosition AddTail(CHtmlTokenItem* token);
  HtmlPosition InsertAfter(HtmlPosition position, CHtmlTokenItem* token);
  HtmlPosition InsertBefore(HtmlPosition position, CHtmlTokenItem* token);
  // Deletes every token and node.
  void RemoveAll();

 private:
  friend class pagesift::Tokenizer;
  CHtmlTokenNode* NewNode(CHtmlTokenItem* token);
  // Storage for the tokenizer's tokens, freed with the list: a document's
  // tokens are many and small.
  void* AllocateTokenStorage(size_t size);

  static constexpr size_t kTokenBlockSize = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> tokenBlocks_;
  size_t usedInLastTokenBlock_ = kTokenBlockSize;

  static constexpr size_t kNodesPerBlock = 1024;
  std::vector<std::unique_ptr<CHtmlTokenNode[]>> blocks_;
  size_t usedInLastBlock_ = kNodesPerBlock;
  CHtmlTokenNode* head_ = nullptr;
  CHtmlTokenNode* tail_ = nullptr;
  size_t count_ = 0;
};

#endif  // PAGESIFT_TOKEN_LIST_H
