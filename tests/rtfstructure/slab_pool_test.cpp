// The structure tree's memory pool: aligned pieces that never overlap (nor,
// under the address sanitizer, leave their block), and
// after a rewind the same memory again, so that a document written as it
// goes reuses what its written parts held.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "rtffilter/structure/slab_pool.h"

namespace bte::rtf {
namespace {

struct Request {
  size_t bytes;
  size_t alignment;
};

// Seeded requests from a few bytes to well past the first block, with the
// alignments the tree's objects have.
std::vector<Request> Requests(uint32_t seed, int count) {
  std::mt19937 random(seed);
  std::vector<Request> requests;
  for (int i = 0; i < count; ++i) {
    const size_t bytes = random() % 8 == 0 ? 1 + random() % (300u << 10) : 1 + random() % 600;
    requests.push_back({bytes, size_t{1} << (random() % 5)});
  }
  return requests;
}

using Piece = std::pair<uintptr_t, uintptr_t>;  // [begin, end)

// Takes a piece for each request and fills it with a byte of its own.
std::vector<Piece> Take(SlabPool& pool, const std::vector<Request>& requests) {
  std::vector<Piece> pieces;
  for (const Request& request : requests) {
    auto* at = static_cast<unsigned char*>(pool.Allocate(request.bytes, request.alignment));
    std::memset(at, static_cast<int>(pieces.size() & 0xff), request.bytes);
    pieces.push_back({reinterpret_cast<uintptr_t>(at), reinterpret_cast<uintptr_t>(at) + request.bytes});
  }
  return pieces;
}

// Whether every piece still holds its own byte throughout.
bool KeptTheirBytes(const std::vector<Piece>& pieces) {
  for (size_t i = 0; i < pieces.size(); ++i)
    for (uintptr_t at = pieces[i].first; at < pieces[i].second; ++at)
      if (*reinterpret_cast<const unsigned char*>(at) != (i & 0xff)) return false;
  return true;
}

class SlabPoolRequests : public ::testing::TestWithParam<uint32_t> {};

TEST_P(SlabPoolRequests, PiecesAreAlignedAndApart) {
  SlabPool pool;
  const std::vector<Request> requests = Requests(GetParam(), 400);
  std::vector<Piece> pieces = Take(pool, requests);
  EXPECT_TRUE(KeptTheirBytes(pieces));
  for (size_t i = 0; i < pieces.size(); ++i)
    EXPECT_EQ(pieces[i].first % requests[i].alignment, 0u) << "piece " << i;
  std::sort(pieces.begin(), pieces.end());
  for (size_t i = 1; i < pieces.size(); ++i)
    EXPECT_LE(pieces[i - 1].second, pieces[i].first) << "pieces overlap";
}

TEST_P(SlabPoolRequests, RewoundPoolGivesTheSameMemoryAgain) {
  SlabPool pool;
  const std::vector<Request> requests = Requests(GetParam(), 400);
  const std::vector<Piece> first = Take(pool, requests);
  pool.Rewind();
  EXPECT_EQ(pool.given(), 0u);
  EXPECT_EQ(Take(pool, requests), first);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SlabPoolRequests, ::testing::Range(1u, 9u));

// After a rewind, a request larger than the first blocks takes the first
// kept block that holds it (here the third), rather than a new one.
TEST(SlabPool, LargeRequestAfterRewindTakesAKeptBlock) {
  SlabPool pool;
  const std::vector<Piece> grown = Take(pool, {{100, 8}, {200u << 10, 8}, {600u << 10, 8}});
  pool.Rewind();
  EXPECT_EQ(Take(pool, {{600u << 10, 8}})[0].first, grown[2].first);
}

}  // namespace
}  // namespace bte::rtf
