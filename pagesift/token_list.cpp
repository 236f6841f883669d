#include "pagesift/token_list.h"

#include <algorithm>
#include <cstddef>

CHtmlTokenList::CHtmlTokenList() = default;

CHtmlTokenList::~CHtmlTokenList() { RemoveAll(); }

CHtmlTagItem* CHtmlTokenList::GetTagItem(HtmlPosition position) {
  if (!position || !position->token || !position->token->IsTagToken()) return nullptr;
  return static_cast<CHtmlTagItem*>(position->token);
}

CHtmlTokenNode* CHtmlTokenList::NewNode(CHtmlTokenItem* token) {
  if (usedInLastBlock_ == kNodesPerBlock) {
    // Not zeroed: every node is written whole before use.
    blocks_.emplace_back(new CHtmlTokenNode[kNodesPerBlock]);
    usedInLastBlock_ = 0;
  }
  CHtmlTokenNode* node = &blocks_.back()[usedInLastBlock_++];
  *node = CHtmlTokenNode{nullptr, nullptr, token};
  ++count_;
  return node;
}

HtmlPosition CHtmlTokenList::AddTail(CHtmlTokenItem* token) {
  CHtmlTokenNode* node = NewNode(token);
  node->prev = tail_;
  if (tail_) {
    tail_->next = node;
  } else {
    head_ = node;
  }
  tail_ = node;
  return node;
}

HtmlPosition CHtmlTokenList::InsertAfter(HtmlPosition position, CHtmlTokenItem* token) {
  if (!position || position == tail_) return AddTail(token);
  CHtmlTokenNode* node = NewNode(token);
  node->prev = position;
  node->next = position->next;
  position->next->prev = node;
  position->next = node;
  return node;
}

HtmlPosition CHtmlTokenList::InsertBefore(HtmlPosition position, CHtmlTokenItem* token) {
  if (!position) return AddTail(token);
  if (position == head_) {
    CHtmlTokenNode* node = NewNode(token);
    node->next = head_;
    head_->prev = node;
    head_ = node;
    return node;
  }
  return InsertAfter(position->prev, token);
}

void* CHtmlTokenList::AllocateTokenStorage(size_t size) {
  // Tokens need no more than their own alignment; a wider one would cost
  // bytes on every token of a large document.
  constexpr size_t kAlignment = std::max(alignof(CHtmlTagItem), alignof(CHtmlTextItem));
  size = (size + kAlignment - 1) / kAlignment * kAlignment;
  if (usedInLastTokenBlock_ + size > kTokenBlockSize) {
    tokenBlocks_.emplace_back(new char[kTokenBlockSize]);
    usedInLastTokenBlock_ = 0;
  }
  void* storage = tokenBlocks_.back().get() + usedInLastTokenBlock_;
  usedInLastTokenBlock_ += size;
  return storage;
}

void CHtmlTokenList::RemoveAll() {
  for (CHtmlTokenNode* node = head_; node; node = node->next) {
    if (node->token->inTokenStorage_) {
      node->token->~CHtmlTokenItem();
    } else {
      delete node->token;
    }
  }
  tokenBlocks_.clear();
  usedInLastTokenBlock_ = kTokenBlockSize;
  blocks_.clear();
  usedInLastBlock_ = kNodesPerBlock;
  head_ = tail_ = nullptr;
  count_ = 0;
}
