// Malformed and hostile documents: FilterBuffer answers 1 where the markup
// is broken (which breakings, segments_test.cpp), copies what it cannot
// understand, and never reads outside the bytes it was given (Filter hands
// them over in a block of their size).
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "rtf_documents.h"

namespace bte::test {
namespace {

struct BadCase {
  std::string name;
  std::string rtf;
  std::optional<std::string> expected;  // nothing: FilterBuffer answers 1
};

class BadInputTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInputTest, AnswersWithoutOverreading) {
  const BadCase& c = GetParam();
  EXPECT_EQ(Filter(c.rtf, "NOT Beta"), c.expected);
}

const std::string kTagged = Tagged(1, "gone", "Beta");

INSTANTIATE_TEST_SUITE_P(
    Documents, BadInputTest,
    ::testing::Values(
        BadCase{"Empty", "", std::string()},
        BadCase{"MoreOpensThanCloses", "{\\rtf1{{{ text " + kTagged, "{\\rtf1{{{ text "},
        BadCase{"MoreClosesThanOpens", "}}}text" + kTagged + "}}", "}}}text}}"},
        BadCase{"EscapeAtTheEnd", kTagged + "a\\'", "a\\'"},
        BadCase{"EscapeWithOneDigitAtTheEnd", "x" + kTagged + "\\'e", "x\\'e"},
        BadCase{"BackslashAtTheEnd", kTagged + "\\", "\\"},
        BadCase{"WordAtTheEnd", "a" + kTagged + "\\par", "a\\par"},
        BadCase{"EscapedTagsAtTheEnd",
                RangeStart(1) + "a" + RangeEnd(1) +
                    "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}"
                    "{\\*\\annotation{\\*\\atnref 1}B\\'65ta\\'}",
                std::string()},
        BadCase{"UnclosedDestinationInsideRange",
                "a" + RangeStart(1) + "{\\*\\bkmkstart x" + RangeEnd(1) + Annotation(1, "Beta"),
                "a{\\*\\bkmkstart "},
        // Overlapping pieces would repeat input, the annotation's tail included.
        BadCase{"MarkerInsideAnAnnotation",
                RangeStart(1) + "a" + RangeEnd(1) +
                    "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build Tags}" +
                    RangeStart(2) + "{\\*\\annotation{\\*\\atnref 1}Beta}b" + RangeEnd(2) +
                    Annotation(2, "Web"),
                std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(BadInputTest, BinaryDataWithZeroBytesAndBraces) {
  std::string binary = "{\\pict\\bin12 ";
  binary += std::string("\0{}\\\0\xff{{\0}\\'", 12);
  binary += "}";
  const std::string rtf = "{\\rtf1 " + binary + Tagged(1, "gone", "Beta") + " kept}";
  // The markers after the zero bytes are still found.
  EXPECT_EQ(Filter(rtf, "NOT Beta"), "{\\rtf1 " + binary + " kept}");
  EXPECT_EQ(Filter(rtf, "Beta"), "{\\rtf1 " + binary + "gone kept}");
}

// A picture's data may hold any bytes: braces in it open or close no group,
// so the picture goes with the passage it lies in.
TEST(BadInputTest, BinaryDataInsideAPassage) {
  const std::string picture = "{\\pict\\bin9 " + std::string("{{{\\}}\\{{", 9) + "}";
  const std::string rtf = "{\\rtf1 a" + Tagged(1, "gone" + picture, "Beta") + " kept}";
  EXPECT_EQ(Filter(rtf, "NOT Beta"), "{\\rtf1 a kept}");
  EXPECT_EQ(Filter(rtf, "Beta"), "{\\rtf1 agone" + picture + " kept}");
}

TEST(BadInputTest, DeepNesting) {
  const std::string rtf = std::string(100000, '{') + Tagged(1, "x", "Beta") + std::string(100000, '}');
  EXPECT_EQ(Filter(rtf, "NOT Beta"), std::string(100000, '{') + std::string(100000, '}'));
}

}  // namespace
}  // namespace bte::test
