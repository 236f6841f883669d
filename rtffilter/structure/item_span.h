// What the tree keeps of an item it has taken over: where the piece lies in
// the input, its kind and whether it goes. Kept by value, so that a document
// of millions of items costs no heap block per item.
#ifndef BTE_RTFFILTER_STRUCTURE_ITEM_SPAN_H
#define BTE_RTFFILTER_STRUCTURE_ITEM_SPAN_H

#include <cstdint>

#include "rtffilter/rtf_item.h"

namespace bte::rtf {

struct ItemSpan {
  const char* text = nullptr;  // null: no item
  uint32_t length = 0;
  int8_t kind = 0;
  int8_t excluded = 0;
  int8_t replaced = 0;  // 1: written with a replacement text its owner holds

  static ItemSpan Of(const RtfItem& item) {
    return {item.text, item.length, static_cast<int8_t>(item.kind),
            static_cast<int8_t>(item.excluded != 0), 0};
  }
  bool present() const { return text != nullptr; }
  const char* end() const { return text + length; }
};

// Fills an empty slot: 1, or 0 when the slot is taken.
inline int SetEndItem(ItemSpan& slot, const RtfItem& item) {
  if (slot.present()) return 0;
  slot = ItemSpan::Of(item);
  return 1;
}

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_STRUCTURE_ITEM_SPAN_H
