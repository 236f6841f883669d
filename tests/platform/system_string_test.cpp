// System strings and UTF-8/UTF-16 conversion at the host boundary.
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "platform/wide_string.h"

namespace {

using bte::platform::MultiByteToWide;
using bte::platform::WideToMultiByte;

TEST(SystemString, KeepsLengthAndTerminator) {
  const std::u16string text = u"Print \u00e9t\u00e9";
  BSTR copy = SysAllocString(text.c_str());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(SysStringLen(copy), text.size());
  EXPECT_EQ(std::u16string(copy), text);
  SysFreeString(copy);
  // A given length may hold zeros; the terminator still follows it.
  const char16_t zeros[] = {u'a', 0, u'b'};
  copy = SysAllocStringLen(zeros, 3);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(SysStringLen(copy), 3u);
  EXPECT_EQ(copy[2], u'b');
  EXPECT_EQ(copy[3], 0);
  SysFreeString(copy);
}

TEST(SystemString, NullIsHarmless) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
}

struct Conversion {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class WideConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(WideConversion, RoundTrips) {
  EXPECT_EQ(MultiByteToWide(GetParam().utf8), GetParam().utf16);
  EXPECT_EQ(WideToMultiByte(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideConversion,
    ::testing::Values(Conversion{"Empty", "", u""},
                      Conversion{"Ascii", "Print & Web", u"Print & Web"},
                      Conversion{"TwoBytes", "\xC3\xA9t\xC3\xA9", u"\u00e9t\u00e9"},
                      Conversion{"ThreeBytes", "\xE2\x82\xAC", u"\u20ac"},
                      Conversion{"SurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      Conversion{"EmbeddedZero", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WideConversion, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(MultiByteToWide("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(MultiByteToWide("\xC3"), u"\uFFFD");               // cut short
  EXPECT_EQ(MultiByteToWide("\xC0\xAF"), u"\uFFFD\uFFFD");     // overlong
  EXPECT_EQ(MultiByteToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(WideToMultiByte(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(WideToMultiByte(std::u16string(1, u'\xDC00') + u"x"), "\xEF\xBF\xBDx");
}

}  // namespace
