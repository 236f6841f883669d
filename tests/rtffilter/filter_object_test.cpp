// The filter object as the host uses it: parser ownership, files, the
// annotation query and the result buffer.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "buildtagexpr.h"
#include "com/create_instance.h"
#include "rtf_documents.h"
#include "rtffilter/filter_output_buffer.h"
#include "temp_folder.h"

namespace bte::rtf {
namespace {

using test::Annotation;
using test::Document;
using test::Tagged;

class FilterObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CreateRTFBuildTagExprFilterInstance(&filter_), S_OK); }
  void TearDown() override {
    if (filter_ != nullptr) filter_->Release();
  }
  IRTFBuildTagExprFilter* filter_ = nullptr;
};

TEST_F(FilterObjectTest, OnlyTheFirstParserIsTaken) {
  EXPECT_EQ(filter_->SetExpression(nullptr), E_FAIL);
  EXPECT_EQ(filter_->SetParser(nullptr), S_OK);  // leaves the filter unset
  EXPECT_EQ(filter_->SetExpression("NOT Beta"), S_OK);
  EXPECT_EQ(filter_->SetExpression("Beta"), E_FAIL);
  IBuildTagExprParser* other = nullptr;
  CreateBuildTagExprParserInstance(&other, "Beta");
  EXPECT_EQ(filter_->SetParser(other), E_FAIL);
  other->Release();
  // The first expression still decides.
  const std::string rtf = Document(Tagged(1, "gone", "Beta"));
  IFilterOutputBuffer* result = nullptr;
  ASSERT_EQ(filter_->FilterBuffer(rtf.c_str(), static_cast<uint32_t>(rtf.size()), &result), S_OK);
  char* data = nullptr;
  uint32_t length = 0;
  result->GetData(&data, &length);
  EXPECT_EQ(std::string(data, length), Document(""));
  EXPECT_EQ(data[length], '\0');
  result->Release();
}

TEST_F(FilterObjectTest, BorrowedParserIsNotReleased) {
  IBuildTagExprParser* parser = nullptr;
  CreateBuildTagExprParserInstance(&parser, "Beta");
  EXPECT_EQ(filter_->SetParser(parser), S_OK);
  filter_->Release();
  filter_ = nullptr;
  EXPECT_EQ(parser->AddRef(), 2u);
  parser->Release();
  EXPECT_EQ(parser->Release(), 0u);
}

TEST_F(FilterObjectTest, FailureLeavesTheResultAlone) {
  const std::string rtf = "{\\*\\atrfend 7}";
  IFilterOutputBuffer* result = reinterpret_cast<IFilterOutputBuffer*>(0x1);
  EXPECT_EQ(filter_->FilterBuffer(rtf.c_str(), static_cast<uint32_t>(rtf.size()), &result),
            S_FALSE);
  EXPECT_EQ(result, reinterpret_cast<IFilterOutputBuffer*>(0x1));
  EXPECT_EQ(filter_->FilterBuffer(rtf.c_str(), 0, nullptr), S_FALSE);
}

struct TagsCase {
  std::string name;
  std::string rtf;
  uint32_t flag;
  std::string tags;
};

class AnnotationTagsTest : public FilterObjectTest,
                           public ::testing::WithParamInterface<TagsCase> {};

TEST_P(AnnotationTagsTest, TellsAndHandsOutTheTags) {
  const TagsCase& c = GetParam();
  uint32_t flag = 7;
  IFilterOutputBuffer* tags = nullptr;
  EXPECT_EQ(filter_->GetAnnotationTags(c.rtf.c_str(), static_cast<uint32_t>(c.rtf.size()), &flag,
                                       &tags),
            S_OK);
  EXPECT_EQ(flag, c.flag);
  if (c.flag == 0) {
    EXPECT_EQ(tags, nullptr);
    return;
  }
  ASSERT_NE(tags, nullptr);
  char* data = nullptr;
  uint32_t length = 99;
  tags->GetData(&data, &length);
  EXPECT_EQ(length, 0u);  // read as a zero-terminated string
  EXPECT_STREQ(data, c.tags.c_str());
  tags->Release();
}

INSTANTIATE_TEST_SUITE_P(
    Annotations, AnnotationTagsTest,
    ::testing::Values(
        TagsCase{"BuildTag", Annotation(3, "Print; Web"), 1, "Print; Web"},
        TagsCase{"Comment", Annotation(3, "Print", "Reviewer"), 0, ""},
        TagsCase{"AuthorInOtherCase", Annotation(3, "Print", "Conditional build tags"), 0, ""},
        TagsCase{"OtherId", Annotation(1, "Print", "Conditional Build Tags", "scrivlet"), 0, ""},
        TagsCase{"Empty", "", 0, ""}, TagsCase{"PlainText", "{\\rtf1 hello}", 0, ""},
        TagsCase{"Escapes", Annotation(1, "Pr\\'e9nt;\\'4\\'zzB\\'00"), 1,
                 "Pr\xe9nt;\x04'zz" "B"},
        TagsCase{"LineBreaksAndGroups",
                 "{\\*\\atnid Scriv\r\nlet}{\\*\\atnauthor {\\b Conditional} Build "
                 "Tags}{\\*\\annotation{\\*\\atnref 2}{\\field{\\*\\fldinst x}}\\pard "
                 "{\\b Pri\r\nnt};\\{Web\\}}",
                 1, "Print;Web"},
        TagsCase{"LaterGroupWins", Annotation(1, "A") + "{\\*\\annotation B}", 1, "B"}),
    [](const auto& info) { return info.param.name; });

TEST_F(FilterObjectTest, AnnotationTagsNeedBothOutPointers) {
  uint32_t flag = 0;
  IFilterOutputBuffer* tags = nullptr;
  EXPECT_EQ(filter_->GetAnnotationTags("x", 1, nullptr, &tags), E_FAIL);
  EXPECT_EQ(filter_->GetAnnotationTags("x", 1, &flag, nullptr), E_FAIL);
}

class FilterFileTest : public FilterObjectTest {
 protected:
  void SetUp() override {
    FilterObjectTest::SetUp();
    filter_->SetExpression("NOT Beta");
  }
  std::string Write(const std::string& name, const std::string& content) {
    WriteBytes(folder_.File(name), content);
    return folder_.File(name);
  }
  TempFolder folder_;
};

// One paragraph, and thousands: a large input file is mapped, not read.
TEST_F(FilterFileTest, WritesTheFilteredDocument) {
  for (int paragraphs : {1, 10000}) {
    std::string body, kept;
    for (int i = 1; i <= paragraphs; ++i) {
      body += "A " + Tagged(i, "B", "Beta") + "\\par ";
      kept += "A \\par ";
    }
    const std::string in = Write("in.rtf", Document(body));
    const std::string out = Write("out.rtf", "old content");
    EXPECT_EQ(filter_->FilterFile(in.c_str(), out.c_str()), S_OK);
    EXPECT_EQ(ReadFile(out), Document(kept)) << paragraphs << " paragraphs";
  }
}

TEST_F(FilterFileTest, UnreadableInputThrows) {
  const std::string missing = folder_.File("missing.rtf");
  const std::string out = folder_.File("out.rtf");
  EXPECT_THROW(filter_->FilterFile(missing.c_str(), out.c_str()), BuildTagExprFileError);
  EXPECT_THROW(filter_->FilterFile(folder_.path().string().c_str(), out.c_str()), BuildTagExprFileError);
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(FilterFileTest, FailuresLeaveTheOutputUntouched) {
  const std::string out = Write("out.rtf", "old content");
  const std::string broken = Write("broken.rtf", "{\\rtf1 {\\*\\atrfend 7}}");
  EXPECT_EQ(filter_->FilterFile(broken.c_str(), out.c_str()), E_FAIL);
  const std::string empty = Write("empty.rtf", Tagged(1, "B", "Beta"));
  EXPECT_EQ(filter_->FilterFile(empty.c_str(), out.c_str()), E_FAIL);
  EXPECT_EQ(ReadFile(out), "old content");
  const std::string fresh = folder_.File("fresh.rtf");
  EXPECT_EQ(filter_->FilterFile(empty.c_str(), fresh.c_str()), E_FAIL);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  const std::string good = Write("good.rtf", "{\\rtf1 x}");
  const std::string noDirectory = folder_.File("none/out.rtf");
  EXPECT_EQ(filter_->FilterFile(good.c_str(), noDirectory.c_str()), E_FAIL);
}

TEST(FilterOutputBufferTest, AllocateAndSetLength) {
  FilterOutputBuffer* buffer = nullptr;
  ASSERT_EQ(com::CreateInstance<FilterOutputBuffer>(&buffer), S_OK);
  char* data = reinterpret_cast<char*>(0x1);
  uint32_t length = 99;
  buffer->GetData(&data, &length);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(length, 0u);
  char* storage = buffer->Allocate(4);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(std::string(storage, 5), std::string(5, '\0'));
  EXPECT_TRUE(buffer->SetLength(3));
  EXPECT_FALSE(buffer->SetLength(5));
  EXPECT_EQ(buffer->length(), 3u);
  EXPECT_TRUE(buffer->SetLength(4));
  buffer->Allocate(2);  // the length is the caller's to fix
  EXPECT_EQ(buffer->length(), 4u);
  EXPECT_EQ(buffer->capacity(), 2u);
  EXPECT_EQ(buffer->Release(), 0u);
}

}  // namespace
}  // namespace bte::rtf
