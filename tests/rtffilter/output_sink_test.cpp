// The output sink handing a document on in pieces against the plain one
// writing into storage: random runs of RTF-like bytes, short and long,
// must come out the same, with the same answers about the control word at
// the end and the same overflow.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "rtffilter/output_sink.h"
#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {
namespace {

// A run of letters, digits, backslashes, blanks and braces, so that runs
// often end in the middle of a control word; now and then a long one.
std::string RandomRun(std::mt19937& random) {
  static constexpr char kBytes[] = "abcxyz0123456789\\\\\\ {}-";
  const size_t length = random() % 16 == 0 ? 50000 + random() % 150000 : 1 + random() % 300;
  std::string run(length, ' ');
  for (char& c : run) c = kBytes[random() % (sizeof kBytes - 1)];
  return run;
}

TEST(OutputSinkInPieces, AgreesWithTheWholeSink) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    const size_t limit = 1 << 21;
    std::vector<char> storage(limit);
    OutputSink whole(storage.data(), limit);
    std::string pieces;
    const PieceConsumer keep = [&pieces](std::string_view piece) {
      pieces += piece;
      return true;
    };
    OutputSink inPieces(limit, keep);
    while (!whole.overflowed()) {
      const std::string run = RandomRun(random);
      whole.Put(run.data(), run.size());
      inPieces.Put(run.data(), run.size());
      ASSERT_EQ(inPieces.overflowed(), whole.overflowed()) << seed;
      ASSERT_EQ(inPieces.EndsInUndelimitedWord(), whole.EndsInUndelimitedWord()) << seed;
    }
    EXPECT_TRUE(inPieces.Flush());
    EXPECT_EQ(inPieces.written(), whole.written());
    EXPECT_EQ(pieces, std::string(storage.data(), whole.written())) << seed;
  }
}

TEST(OutputSinkInPieces, StopsOfferingOnceRefused) {
  int offered = 0;
  const PieceConsumer refuseSecond = [&offered](std::string_view) { return ++offered < 2; };
  OutputSink out(size_t{1} << 24, refuseSecond);
  const std::string run(100000, 'a');
  for (int i = 0; i < 5; ++i) out.Put(run.data(), run.size());
  EXPECT_FALSE(out.Flush());
  EXPECT_TRUE(out.refused());
  EXPECT_EQ(offered, 2);
}

}  // namespace
}  // namespace bte::rtf
