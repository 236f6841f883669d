// The tokenizer, the group matcher and the line-break search against a
// byte-at-a-time model of each, on generated inputs: every start and every
// range, so that runs ending before, at and after a sixteen-byte block are
// all met.
#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {
namespace {

bool ModelLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool ModelDigit(char c) { return c >= '0' && c <= '9'; }

// The token rules, one byte at a time.
RTFToken ModelToken(const std::string& s, size_t from, uint32_t range) {
  RTFToken t;
  const char first = s[from];
  if (first == '{' || first == '}') {
    t.kind = first == '{' ? TokenGroupOpen : TokenGroupClose;
    t.length = 1;
  } else if (first != '\\') {
    t.kind = TokenText;
    t.length = 1;
    while (t.length < range && std::string("{}\\").find(s[from + t.length]) == std::string::npos)
      ++t.length;
  } else if (range < 2 || !ModelLetter(s[from + 1])) {
    t.kind = TokenControlSymbol;
    t.length = std::min<uint32_t>(range, 2);
  } else {
    t.kind = TokenControlWord;
    uint32_t at = 1;
    while (at < range && ModelLetter(s[from + at])) ++at;
    t.nameLength = at;
    t.length = at;
    if (at < range && (s[from + at] == '-' || ModelDigit(s[from + at]))) {
      uint32_t end = at + 1;
      while (end < range && ModelDigit(s[from + end])) ++end;
      t.paramLength = end - at;
      t.length = end;
    }
    if (t.length < range && s[from + t.length] == ' ') ++t.length;
  }
  return t;
}

// The brace count of a group, one byte at a time (no binary data: the
// generated inputs hold no "\bin").
bool ModelGroupEnd(const std::string& s, size_t from, uint32_t range, uint32_t& length) {
  if (s[from] != '{') {
    length = 1;
    return true;
  }
  int depth = 0;
  bool escaped = false;
  for (uint32_t at = 0; at < range; ++at) {
    const char c = s[from + at];
    if (c == '\\') {
      escaped = !escaped;
      continue;
    }
    if (!escaped && c == '{') ++depth;
    if (!escaped && c == '}' && --depth == 0) {
      length = at + 1;
      return true;
    }
    escaped = false;
  }
  return false;
}

// Runs of letters, digits and plain text, some longer than a block, and
// single bytes that end or change a token, so that every kind of stop is
// met at every place in a block. No 'b': the model knows no binary data.
std::string GeneratedRtf(std::mt19937& random, size_t length) {
  static const std::string kSingles = "{}\\\\ -'*\r\n\x80\xc1\xdb\xfa";
  static const std::string kText = "ac xyz.;0123";
  std::string s;
  while (s.size() < length) {
    const int run = 1 + static_cast<int>(random() % 24);
    switch (random() % 4) {
      case 0:
        for (int i = 0; i < run; ++i) s += static_cast<char>('c' + random() % 24);
        break;
      case 1:
        for (int i = 0; i < run % 6; ++i) s += static_cast<char>('0' + random() % 10);
        break;
      case 2:
        for (int i = 0; i < run; ++i) s += kText[random() % kText.size()];
        break;
      default:
        s += kSingles[random() % kSingles.size()];
    }
  }
  s.resize(length);
  return s;
}

class ReaderModelTest : public ::testing::Test {
 protected:
  std::mt19937 random_{20261208};
};

TEST_F(ReaderModelTest, TokensMatchTheModel) {
  for (int round = 0; round < 200; ++round) {
    const std::string s = GeneratedRtf(random_, 1 + random_() % 70);
    for (size_t from = 0; from < s.size(); ++from) {
      for (uint32_t range = 1; range <= s.size() - from; ++range) {
        RTFToken token;
        ReadRtfToken(s.data() + from, range, token);
        const RTFToken model = ModelToken(s, from, range);
        ASSERT_EQ(token.kind, model.kind) << s << " at " << from << " range " << range;
        ASSERT_EQ(token.length, model.length) << s << " at " << from << " range " << range;
        if (model.kind == TokenControlWord) {
          ASSERT_EQ(token.nameLength, model.nameLength) << s << " at " << from;
        }
        if (model.paramLength != 0) {
          ASSERT_EQ(token.paramLength, model.paramLength) << s << " at " << from;
        }
      }
    }
  }
}

TEST_F(ReaderModelTest, GroupEndsMatchTheModel) {
  for (int round = 0; round < 300; ++round) {
    std::string s = GeneratedRtf(random_, 1 + random_() % 90);
    s[0] = '{';
    for (uint32_t range = 1; range <= s.size(); ++range) {
      uint32_t length = 0, modelLength = 0;
      const bool found = FindGroupEnd(s.data(), range, length);
      ASSERT_EQ(found, ModelGroupEnd(s, 0, range, modelLength)) << s << " range " << range;
      if (found) {
        ASSERT_EQ(length, modelLength) << s << " range " << range;
      }
    }
  }
}

TEST_F(ReaderModelTest, LineBreaksMatchTheModel) {
  for (int round = 0; round < 300; ++round) {
    const std::string s = GeneratedRtf(random_, random_() % 60);
    for (size_t from = 0; from <= s.size(); ++from) {
      for (size_t to = from; to <= s.size(); ++to) {
        const char* model = std::find_if(s.data() + from, s.data() + to, IsLineBreak);
        ASSERT_EQ(FindLineBreak(s.data() + from, s.data() + to), model)
            << s << " from " << from << " to " << to;
      }
    }
  }
}

}  // namespace
}  // namespace bte::rtf
