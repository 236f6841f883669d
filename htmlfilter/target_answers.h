// Answers by link target for one filtering pass, in storage that the next
// pass reuses: a topic's links lead to the same few targets again and
// again, and a filter object filters thousands of topics, so that neither
// a target's text nor its entry is allocated anew per topic.
#ifndef BTE_HTMLFILTER_TARGET_ANSWERS_H
#define BTE_HTMLFILTER_TARGET_ANSWERS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bte {

class TargetAnswers {
 public:
  // Forgets every answer; the storage stays.
  void Clear();
  // The answer kept for target, or null.
  const bool* Find(std::string_view target) const;
  // Keeps answer for a target not yet kept.
  void Add(std::string_view target, bool answer);
  // The targets the storage holds without growing.
  size_t Capacity() const { return slots_.size() / 2; }

 private:
  struct Entry {
    std::string target;
    bool answer;
  };
  void Grow();
  // Puts entries_[index] into the first free slot from its hash on.
  void Place(size_t index);
  size_t SlotOf(std::string_view target) const;

  std::vector<Entry> entries_;  // the first used_ hold answers
  size_t used_ = 0;
  // Open addressing: 1 + an index into entries_, 0 for a free slot; a
  // power of two in size, never more than half full.
  std::vector<uint32_t> slots_;
};

}  // namespace bte

#endif  // BTE_HTMLFILTER_TARGET_ANSWERS_H
