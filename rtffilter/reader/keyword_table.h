// A keyword list as a hash table built when the program is compiled, for
// the RTF reader's lookups of control words.
#ifndef BTE_RTFFILTER_READER_KEYWORD_TABLE_H
#define BTE_RTFFILTER_READER_KEYWORD_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bte::rtf {

struct KeywordRow {
  std::string_view keyword;
  int32_t value;
};

// One keyword list as an open-addressing hash table, filled at compile
// time. A word costs one hash of its length and three of its letters and,
// where a keyword lies in its slot, one comparison: most control words of
// a document are formatting words, and most of them meet an empty slot.
class KeywordTable {
 public:
  template <size_t N>
  constexpr explicit KeywordTable(const KeywordRow (&rows)[N]) {
    static_assert(N * 4 <= kSlots, "a table at most a quarter full keeps chains short");
    for (const KeywordRow& row : rows) {
      if (row.keyword.size() > longest_) longest_ = row.keyword.size();
      uint32_t slot = Hash(row.keyword.data(), row.keyword.size());
      while (slots_[slot] != nullptr && slots_[slot]->keyword != row.keyword)
        slot = (slot + 1) % kSlots;
      if (slots_[slot] == nullptr) slots_[slot] = &row;  // a repeated row: the first stays
    }
  }

  constexpr bool Find(const char* letters, size_t count, int32_t& value) const {
    value = 0;
    if (count == 0 || count > longest_) return false;
    for (uint32_t slot = Hash(letters, count); slots_[slot] != nullptr;
         slot = (slot + 1) % kSlots) {
      if (SameWord(slots_[slot]->keyword, letters, count)) {
        value = slots_[slot]->value;
        return true;
      }
    }
    return false;
  }

 private:
  static constexpr uint32_t kSlots = 512;

  // Compared in place: keywords are a few letters, fewer than a library
  // comparison costs to call.
  static constexpr bool SameWord(std::string_view keyword, const char* letters, size_t count) {
    if (keyword.size() != count) return false;
    for (size_t i = 0; i < count; ++i)
      if (keyword[i] != letters[i]) return false;
    return true;
  }

  static constexpr uint32_t Hash(const char* letters, size_t count) {
    const auto letter = [letters](size_t i) {
      return static_cast<uint32_t>(static_cast<unsigned char>(letters[i]));
    };
    const uint32_t mixed = letter(0) * 0x9E3779B1u ^ letter(count - 1) * 0x85EBCA77u ^
                           letter(count / 2) * 0xC2B2AE3Du ^
                           static_cast<uint32_t>(count) * 0x27D4EB2Fu;
    return (mixed ^ mixed >> 15) % kSlots;
  }

  const KeywordRow* slots_[kSlots] = {};
  size_t longest_ = 0;
};

}  // namespace bte::rtf

#endif  // BTE_RTFFILTER_READER_KEYWORD_TABLE_H
