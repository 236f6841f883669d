// The quick reading of the host's own markup layout must agree with the
// token-by-token reading wherever it answers, and leave every other layout
// to it.
#include <string>

#include <gtest/gtest.h>

#include "rtf_documents.h"
#include "rtffilter/annotation_text.h"
#include "rtffilter/host_markup.h"
#include "rtffilter/markup.h"
#include "rtffilter/reader/rtf_token.h"

namespace bte::rtf {
namespace {

using test::Annotation;

struct AnnotationCase {
  const char* name;
  std::string text;
  bool quick;  // whether the host layout reader takes it
};

class HostAnnotationTest : public ::testing::TestWithParam<AnnotationCase> {};

TEST_P(HostAnnotationTest, AgreesWithTheTokenReading) {
  const AnnotationCase& c = GetParam();
  const std::string text = c.text + "\\par}";
  const char* end = text.data() + text.size();
  AnnotationReading quick;
  ASSERT_EQ(ReadHostAnnotation(text.data(), end, quick), c.quick);
  AnnotationReading general;
  std::string scratch;
  const bool read = ReadAnnotation(text.data(), end, general, scratch);
  if (!c.quick) return;
  ASSERT_TRUE(read);
  EXPECT_EQ(quick.length, general.length);
  EXPECT_EQ(quick.reference, general.reference);
  EXPECT_EQ(quick.isBuildTag, general.isBuildTag);
  EXPECT_EQ(quick.tagText, general.tagText);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, HostAnnotationTest,
    ::testing::Values(
        AnnotationCase{"Plain", Annotation(7, "Web"), true},
        AnnotationCase{"SeveralTags", Annotation(12, "Web;Beta; Print"), true},
        AnnotationCase{"LineBreaksInTags", Annotation(3, "Web;\r\nBeta\n"), true},
        AnnotationCase{"EmptyTags", Annotation(3, ""), true},
        AnnotationCase{"NineDigits", Annotation(999999999, "Web"), true},
        AnnotationCase{"ReferenceZero", Annotation(0, "Web"), true},
        AnnotationCase{"TenDigits", Annotation(1, "Web").replace(
                           Annotation(1, "Web").find("atnref 1") + 7, 1, "1234567890"),
                       false},
        AnnotationCase{"EscapedByteInTags", Annotation(4, "Caf\\'e9"), false},
        AnnotationCase{"GroupInTags", Annotation(4, "{\\b Web}"), false},
        AnnotationCase{"OtherAuthor", Annotation(4, "Web", "Someone"), false},
        AnnotationCase{"OtherId", Annotation(4, "Web", "Conditional Build Tags", "X"), false},
        AnnotationCase{"TwoBlanks", "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build "
                                    "Tags}\\chatn{\\*\\annotation{\\*\\atnref  5}Web}",
                       false},
        AnnotationCase{"Unclosed", "{\\*\\atnid Scrivlet}{\\*\\atnauthor Conditional Build "
                                   "Tags}\\chatn{\\*\\annotation{\\*\\atnref 5}Web",
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

struct MarkerCase {
  const char* name;
  std::string text;
  bool quick;
};

class PlainMarkerTest : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(PlainMarkerTest, AgreesWithTheGroupEnd) {
  const MarkerCase& c = GetParam();
  const std::string text = c.text + "more}";
  const char* end = text.data() + text.size();
  uint32_t quick = 0;
  ASSERT_EQ(ReadPlainMarkerGroup(text.data(), end, kRangeStart, quick), c.quick);
  uint32_t general = 0;
  if (!c.quick) return;
  ASSERT_TRUE(FindGroupEnd(text.data(), static_cast<uint32_t>(text.size()), general));
  EXPECT_EQ(quick, general);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PlainMarkerTest,
    ::testing::Values(MarkerCase{"Plain", "{\\*\\atrfstart 12}", true},
                      MarkerCase{"NoBlank", "{\\*\\atrfstart12}", false},
                      MarkerCase{"NoNumber", "{\\*\\atrfstart }", false},
                      MarkerCase{"Signed", "{\\*\\atrfstart -1}", false},
                      MarkerCase{"MoreInside", "{\\*\\atrfstart 1 {x}}", false},
                      MarkerCase{"OtherWord", "{\\*\\atrfstartx 1}", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bte::rtf
