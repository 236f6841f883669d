// The per-pass answers by link target against a map as the model: random
// runs of adds, look-ups and clears over targets that share prefixes and
// lengths, through growth and through storage reused after a clear. And the
// memory a filter object keeps between passes: what a typical topic needs
// stays, what a huge one grew goes.
#include <map>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "htmlfilter/pass_memory.h"
#include "htmlfilter/target_answers.h"

namespace bte {
namespace {

std::string Target(std::mt19937& random, size_t kinds) {
  const size_t n = random() % kinds;
  // short and long names, some differing only in their last byte or length
  return (n % 3 == 0 ? "t" : "folder/sub folder/topic_with_a_long_name_") + std::to_string(n) +
         (n % 5 == 0 ? std::string("\0x", 2) : std::string(".htm"));
}

TEST(TargetAnswers, AgreeWithAMapThroughAddsAndClears) {
  std::mt19937 random(5);
  TargetAnswers answers;
  std::map<std::string, bool> model;
  size_t found = 0;
  for (int step = 0; step < 200000; ++step) {
    const size_t kinds = step < 100000 ? 40 : 3000;  // later passes see many targets
    const std::string target = Target(random, kinds);
    const bool* answer = answers.Find(target);
    const auto expected = model.find(target);
    ASSERT_EQ(answer != nullptr, expected != model.end()) << target << " at step " << step;
    if (answer != nullptr) {
      ASSERT_EQ(*answer, expected->second) << target;
      ++found;
    } else {
      const bool excluded = random() % 2 == 0;
      answers.Add(target, excluded);
      model[target] = excluded;
    }
    if (random() % 500 == 0) {
      answers.Clear();
      model.clear();
    }
  }
  EXPECT_GT(found, 50000u);
}

TEST(TargetAnswers, EmptyAnswersFindNothing) {
  TargetAnswers answers;
  EXPECT_EQ(answers.Find(""), nullptr);
  answers.Add("", true);
  ASSERT_NE(answers.Find(""), nullptr);
  EXPECT_TRUE(*answers.Find(""));
  answers.Clear();
  EXPECT_EQ(answers.Find(""), nullptr);
}

TEST(PassMemory, TrimKeepsTypicalListsAndDropsHugeOnes) {
  for (const size_t entries : {100, 100000}) {
    PassMemory memory;
    memory.cleanupTags.resize(entries);
    for (size_t i = 0; i < entries; ++i) memory.excludedTargets.Add(std::to_string(i), false);
    memory.Trim();
    const bool kept = entries < 1000;
    EXPECT_EQ(memory.cleanupTags.capacity() >= entries, kept) << entries;
    EXPECT_EQ(memory.excludedTargets.Capacity() >= entries, kept) << entries;
    EXPECT_EQ(memory.excludedTargets.Find("7") != nullptr, kept) << entries;
  }
}

}  // namespace
}  // namespace bte
