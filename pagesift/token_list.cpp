#include "pagesift/token_list.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "pagesift/token_extras.h"
#include "platform/brief_lock.h"
#include "platform/zeroed_block.h"

using pagesift::TokenBlock;

CHtmlTokenList::CHtmlTokenList() = default;

CHtmlTokenList::~CHtmlTokenList() { RemoveAll(); }

pagesift::TokenExtras& CHtmlTokenList::Extras() {
  if (!extras_) extras_ = std::make_unique<pagesift::TokenExtras>();
  return *extras_;
}

HtmlPosition CHtmlTokenList::StorageNext(HtmlPosition position) {
  TokenBlock* block = TokenBlock::Of(position);
  if (position + 1 != block->End()) return position + 1;
  return block->next ? block->next->First() : nullptr;
}

HtmlPosition CHtmlTokenList::StoragePrev(HtmlPosition position) {
  TokenBlock* block = TokenBlock::Of(position);
  if (position != block->First()) return position - 1;
  return block->prev ? block->prev->End() - 1 : nullptr;
}

HtmlPosition CHtmlTokenList::LinkedNext(HtmlPosition position) {
  return TokenBlock::Of(position)->list->extras_->links.at(position).next;
}

HtmlPosition CHtmlTokenList::GetPrev(HtmlPosition position) {
  if (!position) return nullptr;
  if (position->Has(CHtmlTokenItem::kRelinked)) {
    return TokenBlock::Of(position)->list->extras_->links.at(position).prev;
  }
  return StoragePrev(position);
}

namespace {

// Every document starts with one slab of one block. Aligned to its own
// size, it lies past the C library's threshold for mapping fresh pages, so
// a build of thousands of small topics would map, fault in and unmap one
// per topic: a few are kept for the next documents instead.
class SpareFirstSlabs {
 public:
  char* Take() {
    {
      std::lock_guard<bte::platform::BriefMutex> lock(mutex_);
      if (!slabs_.empty()) {
        char* slab = slabs_.back();
        slabs_.pop_back();
        return slab;
      }
    }
    return static_cast<char*>(::operator new(TokenBlock::kBytes, std::align_val_t{TokenBlock::kBytes}));
  }
  void Give(char* slab) {
    {
      std::lock_guard<bte::platform::BriefMutex> lock(mutex_);
      if (slabs_.size() < kKept) return slabs_.push_back(slab);
    }
    Free(slab);
  }
  static void Free(char* slab) { ::operator delete(slab, std::align_val_t{TokenBlock::kBytes}); }

 private:
  static constexpr size_t kKept = 8;  // more than a build has documents open at once
  bte::platform::BriefMutex mutex_;
  std::vector<char*> slabs_;
};

// Never destroyed: a document that outlives the others at exit still gives
// its slab back.
SpareFirstSlabs& SpareSlabs() {
  static SpareFirstSlabs* const spares = new SpareFirstSlabs;
  return *spares;
}

}  // namespace

// The largest slabs come from the system, in large pages where it offers
// them: a large document then costs few page faults. The system aligns them
// to pages only, so they start at the first block boundary inside.
void CHtmlTokenList::NewSlab() {
  const size_t bytes = slabs_.empty() ? TokenBlock::kBytes : std::min(kLargestSlab, slabs_.back().bytes * 2);
  Slab slab{nullptr, bytes, bytes == kLargestSlab};
  if (slab.large) {
    slab.memory = bte::platform::AllocateZeroedBlock(bytes);
    if (!slab.memory) throw std::bad_alloc();
    const uintptr_t at = reinterpret_cast<uintptr_t>(slab.memory);
    const uintptr_t aligned = (at + TokenBlock::kBytes - 1) & ~uintptr_t{TokenBlock::kBytes - 1};
    uncutBlocks_ = slab.memory + (aligned - at);
    slabEnd_ = uncutBlocks_ + (bytes - (aligned - at)) / TokenBlock::kBytes * TokenBlock::kBytes;
  } else {
    slab.memory = bytes == TokenBlock::kBytes
        ? SpareSlabs().Take()
        : static_cast<char*>(::operator new(bytes, std::align_val_t{TokenBlock::kBytes}));
    uncutBlocks_ = slab.memory;
    slabEnd_ = slab.memory + bytes;
  }
  slabs_.push_back(slab);
}

TokenBlock* CHtmlTokenList::NewBlock() {
  if (uncutBlocks_ == slabEnd_) NewSlab();
  void* memory = uncutBlocks_;
  uncutBlocks_ += TokenBlock::kBytes;
  return new (memory) TokenBlock{this, nullptr, lastBlock_, 0};
}

void* CHtmlTokenList::NewSlot() {
  if (!lastBlock_ || lastBlock_->used == TokenBlock::kCapacity) {
    TokenBlock* block = NewBlock();
    if (lastBlock_) {
      lastBlock_->next = block;
    } else {
      firstBlock_ = block;
    }
    lastBlock_ = block;
  }
  return lastBlock_->First() + lastBlock_->used++;
}

// The token was made in the slot after the tail, so its storage neighbours
// are its neighbours.
void CHtmlTokenList::Appended(CHtmlTokenItem* token) {
  if (!head_) head_ = token;
  tail_ = token;
  ++count_;
}

void CHtmlTokenList::Pin(CHtmlTokenItem* token) {
  if (token->Has(CHtmlTokenItem::kRelinked)) return;
  Extras().links[token] = pagesift::TokenLinks{StorageNext(token), StoragePrev(token)};
  token->state_ |= CHtmlTokenItem::kRelinked;
}

void CHtmlTokenList::SetNext(CHtmlTokenItem* token, CHtmlTokenItem* next) {
  if (!token->Has(CHtmlTokenItem::kRelinked) && StorageNext(token) == next) return;
  Pin(token);
  extras_->links[token].next = next;
}

void CHtmlTokenList::SetPrev(CHtmlTokenItem* token, CHtmlTokenItem* prev) {
  if (!token->Has(CHtmlTokenItem::kRelinked) && StoragePrev(token) == prev) return;
  Pin(token);
  extras_->links[token].prev = prev;
}

CHtmlTokenItem* CHtmlTokenList::Adopt(CHtmlTokenItem* token) {
  pagesift::TokenExtras& extras = Extras();
  const std::string_view text = extras.bytes.Copy(token->GetSourceText());
  constexpr uint16_t kOwnState = CHtmlTokenItem::kLoose | CHtmlTokenItem::kRelinked |
                                 CHtmlTokenItem::kFlagged | CHtmlTokenItem::kEdited;
  const auto state = static_cast<uint16_t>(token->state_ & ~kOwnState);
  CHtmlTokenItem* copy;
  if (token->IsTagToken()) {
    auto* tag = static_cast<CHtmlTagItem*>(token);
    copy = new (NewSlot()) CHtmlTagItem(state, text);
    if (const pagesift::TagAttributes* parsed = tag->ParsedAttributes()) {
      extras.attributes[copy] = std::make_unique<pagesift::TagAttributes>(*parsed);
      copy->state_ |= CHtmlTokenItem::kEdited;
    }
  } else {
    copy = new (NewSlot()) CHtmlTextItem(text);
    copy->state_ = state;
  }
  copy->entry_ = token->entry_;
  copy->trailing_ = token->trailing_;
  copy->SetTokenFlag(token->GetTokenFlag());
  if (token->Has(CHtmlTokenItem::kLoose)) {
    if (token->IsTagToken()) {
      delete static_cast<CHtmlTagItem*>(token);
    } else {
      delete static_cast<CHtmlTextItem*>(token);
    }
  }
  return copy;
}

// The new token takes the slot after the last one in storage, whose storage
// successor it becomes: unless that token is the one it follows, the
// token's links are kept first.
HtmlPosition CHtmlTokenList::InsertAfter(HtmlPosition position, CHtmlTokenItem* token) {
  CHtmlTokenItem* prev = position ? position : tail_;
  CHtmlTokenItem* next = GetNext(prev);
  CHtmlTokenItem* storageEnd = lastBlock_ ? lastBlock_->End() - 1 : nullptr;
  if (storageEnd && storageEnd != prev) Pin(storageEnd);
  CHtmlTokenItem* copy = Adopt(token);
  SetPrev(copy, prev);
  SetNext(copy, next);
  if (prev) {
    SetNext(prev, copy);
  } else {
    head_ = copy;
  }
  if (next) {
    SetPrev(next, copy);
  } else {
    tail_ = copy;
  }
  ++count_;
  return copy;
}

HtmlPosition CHtmlTokenList::AddTail(CHtmlTokenItem* token) { return InsertAfter(tail_, token); }

HtmlPosition CHtmlTokenList::InsertBefore(HtmlPosition position, CHtmlTokenItem* token) {
  if (!position) return AddTail(token);
  if (position != head_) return InsertAfter(GetPrev(position), token);
  CHtmlTokenItem* storageEnd = lastBlock_->End() - 1;
  Pin(storageEnd);
  CHtmlTokenItem* copy = Adopt(token);
  SetPrev(copy, nullptr);
  SetNext(copy, head_);
  SetPrev(head_, copy);
  head_ = copy;
  ++count_;
  return copy;
}

void CHtmlTokenList::RemoveAll() {
  for (const Slab& slab : slabs_) {
    if (slab.large) {
      bte::platform::FreeZeroedBlock(slab.memory, slab.bytes);
    } else if (slab.bytes == TokenBlock::kBytes) {
      SpareSlabs().Give(slab.memory);
    } else {
      SpareFirstSlabs::Free(slab.memory);
    }
  }
  slabs_.clear();
  uncutBlocks_ = slabEnd_ = nullptr;
  firstBlock_ = lastBlock_ = nullptr;
  extras_.reset();
  head_ = tail_ = nullptr;
  count_ = 0;
}
