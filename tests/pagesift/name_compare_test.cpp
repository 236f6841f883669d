// Names compared ignoring ASCII case, eight bytes at a time, against a
// byte-at-a-time model: every length around the word size, every byte value
// next to its case partner, and bytes that differ from a letter in bit 0x20
// without being its other case ("@" and "`", "[" and "{", 0xC1 and 0xE1).
// The element table looks names up the same way: every known name is found
// in any letter case, and names one byte away from a known one are not.
#include <cctype>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "pagesift/tag_scanner.h"
#include "tests/pagesift/html_test_support.h"

namespace {

using bte::testing::EqualsIgnoringCase;  // the model: tolower in the C locale

char Flip(char c) { return static_cast<char>(c ^ 0x20); }

TEST(NameCompare, AgreesWithTheModelOnEveryByteAtEveryPlace) {
  for (size_t length = 1; length <= 20; ++length) {
    const std::string base(length, 'q');
    for (size_t position = 0; position < length; ++position) {
      for (int value = 0; value < 256; ++value) {
        std::string a = base, b = base;
        a[position] = static_cast<char>(value);
        for (char other : {a[position], Flip(a[position]), static_cast<char>(value + 1)}) {
          b[position] = other;
          ASSERT_EQ(pagesift::EqualsIgnoringCase(a, b), EqualsIgnoringCase(a, b))
              << "length " << length << ", byte " << value << " at " << position << " against "
              << static_cast<int>(static_cast<unsigned char>(other));
        }
      }
    }
  }
}

TEST(NameCompare, AgreesWithTheModelOnRandomNames) {
  std::mt19937 random(20261208);
  const std::string alphabet = "aAzZ@`[{-=_09\xC1\xE1 \t/";
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1), length(0, 40), flips(0, 3);
  int equal = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string a(length(random), ' ');
    for (char& c : a) c = alphabet[pick(random)];
    std::string b = a;
    for (size_t n = flips(random); n > 0 && !b.empty(); --n) {
      char& c = b[random() % b.size()];
      c = (random() % 2) ? Flip(c) : alphabet[pick(random)];
    }
    const bool expected = EqualsIgnoringCase(a, b);
    equal += expected;
    ASSERT_EQ(pagesift::EqualsIgnoringCase(a, b), expected) << "'" << a << "' and '" << b << "'";
    ASSERT_FALSE(pagesift::EqualsIgnoringCase(a, b + "x"));
  }
  EXPECT_GT(equal, 2000);  // both answers were asked for often
  EXPECT_LT(equal, 18000);
}

std::string Capitalised(std::string name, size_t every) {
  for (size_t i = 0; i < name.size(); i += every) name[i] = static_cast<char>(::toupper(name[i]));
  return name;
}

// The entry a start tag made from the name gets, by the name it reports.
std::string KnownAs(const std::string& name) {
  const CHtmlTagItem tag(("<" + name + ">").c_str());
  if (tag.IsUnknownTag()) return "?";
  std::string known(tag.GetTagName());
  for (char& c : known) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  return known;
}

TEST(ElementNames, EveryKnownNameIsFoundInAnyCase) {
  size_t count = 0;
  for (const char* name; (name = CHtmlTagItem::GetKnownTagName(count)) != nullptr; ++count) {
    for (size_t every : {1, 2, 3, 100}) {
      EXPECT_EQ(KnownAs(Capitalised(name, every)), name) << Capitalised(name, every);
    }
    EXPECT_EQ(KnownAs(name), name);
  }
  EXPECT_GT(count, 100u);
}

TEST(ElementNames, NamesOneByteAwayAreUnknown) {
  for (size_t index = 0; const char* known = CHtmlTagItem::GetKnownTagName(index); ++index) {
    const std::string name = known;
    for (const std::string& near : {name + "x", name + "1", name.substr(0, name.size() - 1) + "@",
                                    name.substr(0, name.size() - 1) + "\xC1", "x" + name, name + name}) {
      if (near.empty()) continue;
      const std::string found = KnownAs(near);
      // a near name may be another element's name ("h1" from "h"): then it is that one
      EXPECT_TRUE(found == "?" || found == near) << near << " read as " << found;
    }
  }
}

}  // namespace
