// The paragraphs' item store against a list of lists: whatever the
// paragraphs' sizes, and with other objects taken from the same pool in
// between, every paragraph reads back the items it was given, in order,
// after later paragraphs have grown.
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "rtffilter/structure/span_store.h"

namespace bte::rtf {
namespace {

struct Paragraph {
  ItemSpan* items = nullptr;
  uint32_t count = 0;
};

// An item that names its paragraph and place, so that a mix-up shows.
ItemSpan ItemFor(size_t paragraph, uint32_t place) {
  ItemSpan span;
  span.text = reinterpret_cast<const char*>(uintptr_t{0x1000} + paragraph);
  span.length = place;
  span.kind = static_cast<int8_t>(paragraph % 100);
  return span;
}

class SpanStoreModel : public ::testing::TestWithParam<uint32_t> {};

TEST_P(SpanStoreModel, EveryParagraphKeepsItsItems) {
  std::mt19937 random(GetParam());
  SlabPool pool;
  SpanStore store(pool);
  std::vector<Paragraph> paragraphs;
  std::vector<std::vector<ItemSpan>> model;
  for (size_t p = 0; p < 600; ++p) {
    Paragraph paragraph{store.Start(), 0};
    // Mostly a few items; now and then more than several chunks hold.
    const uint32_t count = random() % 20 == 0 ? random() % 3000 : random() % 12;
    model.emplace_back();
    for (uint32_t i = 0; i < count; ++i) {
      const ItemSpan item = ItemFor(p, i);
      store.Push(paragraph.items, paragraph.count++, item);
      model.back().push_back(item);
      // The arena makes rows, cells and replacements from the same pool.
      if (random() % 50 == 0) pool.Allocate(1 + random() % 200, 8);
    }
    paragraphs.push_back(paragraph);
  }
  for (size_t p = 0; p < paragraphs.size(); ++p) {
    ASSERT_EQ(paragraphs[p].count, model[p].size());
    for (uint32_t i = 0; i < paragraphs[p].count; ++i) {
      const ItemSpan& got = paragraphs[p].items[i];
      ASSERT_EQ(got.text, model[p][i].text) << "paragraph " << p << " item " << i;
      ASSERT_EQ(got.length, model[p][i].length) << "paragraph " << p << " item " << i;
      ASSERT_EQ(got.kind, model[p][i].kind) << "paragraph " << p << " item " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SpanStoreModel, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace bte::rtf
