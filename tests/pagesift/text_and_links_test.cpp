// Character references, link kinds, popup links and path resolution.
#include <atomic>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/pagesift/html_test_support.h"

namespace {

namespace fs = std::filesystem;

struct DecodeCase {
  std::string text;
  std::string decoded;
};

class HtmlToText : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(HtmlToText, DecodesReferences) {
  CByteString out("stale", -1);
  const std::string& text = GetParam().text;
  EXPECT_EQ(CHtmlPack::HtmlToText(out, text.data(), static_cast<int>(text.size())), 1);
  EXPECT_EQ(std::string(out.View()), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HtmlToText,
    ::testing::Values(DecodeCase{"a &amp; b", "a & b"}, DecodeCase{"&lt;p&gt;", "<p>"},
                      DecodeCase{"&#65;&#x42;&#X43;", "ABC"}, DecodeCase{"&nbsp;", "\xc2\xa0"},
                      DecodeCase{"caf&eacute;", "caf\xc3\xa9"}, DecodeCase{"&ndash;", "\xe2\x80\x93"},
                      DecodeCase{"&NotEqualTilde;", "\xe2\x89\x82\xcc\xb8"},
                      DecodeCase{"&amp", "&"}, DecodeCase{"&notit;", "\xc2\xacit;"},
                      DecodeCase{"&bogus; & &; &#; &#x;", "&bogus; & &; &#; &#x;"},
                      DecodeCase{"&#0;&#xD800;&#x110000;", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
                      DecodeCase{"&#128;&#150;&#159;", "\xe2\x82\xac\xe2\x80\x93\xc5\xb8"},
                      DecodeCase{"&#99999999999999;", "\xef\xbf\xbd"}, DecodeCase{"&#1234", "\xd3\x92"},
                      DecodeCase{std::string("a\0&lt;", 6), std::string("a\0<", 3)}, DecodeCase{"", ""}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.text); });

TEST(HtmlToText, MinusOneReadsUpToTheZeroByteAndNullGivesNothing) {
  CByteString out;
  CHtmlPack::HtmlToText(out, "x&gt;y", -1);
  EXPECT_EQ(out.View(), "x>y");
  CHtmlPack::HtmlToText(out, "x&gt;y", 3);
  EXPECT_EQ(out.View(), "x&g");
  CHtmlPack::HtmlToText(out, nullptr, -1);
  EXPECT_TRUE(out.IsEmpty());
}

struct HrefCase {
  const char* href;
  int type;
  const char* popupTarget;  // empty: no valid popup
};

class Hrefs : public ::testing::TestWithParam<HrefCase> {};

TEST_P(Hrefs, AreClassified) {
  EXPECT_EQ(CHtmlPack::GetAnchorHrefType(GetParam().href), GetParam().type);
  EXPECT_EQ(CHtmlPopupAnchorVORK::IsValid(GetParam().href), *GetParam().popupTarget ? 1 : 0);
  EXPECT_STREQ(CHtmlPopupAnchorVORK(GetParam().href).GetTarget(), GetParam().popupTarget);
}

INSTANTIATE_TEST_SUITE_P(
    Links, Hrefs,
    ::testing::Values(HrefCase{"topic.htm", pagesift::kHrefFile, ""},
                      HrefCase{"../css/x.css#a", pagesift::kHrefFile, ""},
                      HrefCase{"C:\\help\\x.htm", pagesift::kHrefFile, ""},
                      HrefCase{"http://example.com/", pagesift::kHrefExternal, ""},
                      HrefCase{"mailto:a@b", pagesift::kHrefExternal, ""},
                      HrefCase{"ms-its:x.chm::/a.htm", pagesift::kHrefExternal, ""},
                      HrefCase{"#section", pagesift::kHrefFragment, ""},
                      HrefCase{"  ", pagesift::kHrefEmpty, ""},
                      HrefCase{nullptr, pagesift::kHrefEmpty, ""},
                      HrefCase{"javascript:void(0)", pagesift::kHrefPopup, ""},
                      HrefCase{"javascript:ShowPopup('gloss.htm#t')", pagesift::kHrefPopup, "gloss.htm#t"},
                      HrefCase{"JavaScript:popup( \"a b.htm\", 1)", pagesift::kHrefPopup, "a b.htm"},
                      HrefCase{"javascript:show('x.htm')", pagesift::kHrefPopup, ""},
                      HrefCase{"javascript:popup('')", pagesift::kHrefPopup, ""},
                      HrefCase{"javascript:popup('open", pagesift::kHrefPopup, ""}),
    [](const auto& info) { return bte::testing::InputName(info.index, info.param.href ? info.param.href : "null"); });

// A project with a project file at its root, topics in HTML/, a style sheet
// in CSS/ and a folder name with a space.
class FileLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "HTML" / "sub dir");
    fs::create_directories(root_ / "CSS");
    Touch(root_ / "proj.hhp");
    Touch(root_ / "HTML" / "topic.htm");
    Touch(root_ / "HTML" / "Other.htm");
    Touch(root_ / "HTML" / "sub dir" / "a b.htm");
    Touch(root_ / "CSS" / "style.css");
    Touch(folder_.path() / "outside_pagesift.htm");
  }
  static void Touch(const fs::path& path) { WriteBytes(path.string(), "<p>x</p>"); }
  std::string Resolve(const char* link) {
    CHtmlFileEx topic((root_ / "HTML" / "topic.htm").c_str());
    EXPECT_EQ(topic.Analyse(), 1);
    return std::string(topic.GetFilePathName(link).View());
  }
  std::string Under(const fs::path& relative) { return (root_ / relative).string(); }

  TempFolder folder_;
  const fs::path root_ = folder_.path() / "project";
};

TEST_F(FileLinks, NameNoFileOutsideTheProjectOrWithASchemeOrAbsolutePath) {
  for (const char* link : {"../../outside_pagesift.htm", "../..", "..", "http://x/a.htm", "mailto:x",
                           "/etc/passwd", "C:\\x.htm", "c:/x.htm", "#top", "", "?q", "javascript:popup('a.htm')"}) {
    EXPECT_EQ(Resolve(link), "") << link;
  }
  EXPECT_EQ(CHtmlFileEx(CByteString("x", -1), nullptr).GetFilePathName("a.htm").GetLength(), 0);
}

TEST_F(FileLinks, WithoutAProjectFileTheTopicsFolderIsTheRoot) {
  fs::remove(root_ / "proj.hhp");
  EXPECT_EQ(Resolve("../CSS/style.css"), "");
  EXPECT_EQ(Resolve("sub dir/a b.htm"), Under("HTML/sub dir/a b.htm"));
}

TEST_F(FileLinks, AnExplicitRootWins) {
  CHtmlFileEx topic((root_ / "HTML" / "topic.htm").c_str());
  EXPECT_EQ(std::string(topic.GetFilePathName("../CSS/style.css").View()), Under("CSS/style.css"));
  topic.SetProjectRoot((root_ / "HTML").c_str());
  EXPECT_EQ(topic.GetFilePathName("../CSS/style.css").GetLength(), 0);
  EXPECT_EQ(topic.GetProjectRoot(), Under("HTML"));
}

// Each document lists a folder afresh: a file added since an earlier
// document's look is found by the next one.
TEST_F(FileLinks, AFileAddedLaterIsFoundByTheNextDocument) {
  EXPECT_EQ(Resolve("other.htm"), Under("HTML/Other.htm"));
  Touch(root_ / "HTML" / "other.htm");
  EXPECT_EQ(Resolve("other.htm"), Under("HTML/other.htm"));
}

TEST_F(FileLinks, OnlyRegularFilesExist) {
  EXPECT_EQ(CHtmlPack::IsExistingFile(Under("CSS/style.css").c_str()), 1);
  EXPECT_EQ(CHtmlPack::IsExistingFile(Under("CSS").c_str()), 0);
  EXPECT_EQ(CHtmlPack::IsExistingFile(Under("none").c_str()), 0);
  EXPECT_EQ(CHtmlPack::IsExistingFile(""), 0);
  EXPECT_EQ(CHtmlPack::IsExistingFile(nullptr), 0);
}

// The plain reading of a link, as a reference: decode, go up and down the
// folders from the topic's own, then match each name against its folder's
// entries (as written where that exists, else one differing in letter case).
std::string ModelResolve(const fs::path& root, std::string link) {
  link = link.substr(0, link.find_first_of("#?"));
  std::string path;
  for (size_t i = 0; i < link.size(); ++i) {
    if (link[i] == '%' && i + 2 < link.size() && std::isxdigit(static_cast<unsigned char>(link[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(link[i + 2]))) {
      path += static_cast<char>(std::stoi(link.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      path += link[i] == '\\' ? '/' : link[i];
    }
  }
  if (path.empty() || path[0] == '/') return "";
  std::vector<std::string> segments{"HTML"};
  std::stringstream parts(path);
  for (std::string part; std::getline(parts, part, '/');) {
    if (part.empty() || part == ".") continue;
    if (part != "..") {
      segments.push_back(part);
    } else if (segments.empty()) {
      return "";
    } else {
      segments.pop_back();
    }
  }
  if (segments.empty()) return "";
  fs::path resolved = root;
  for (const std::string& name : segments) {
    std::error_code error;
    std::string entry = name;
    if (!fs::exists(resolved / name, error)) {
      for (fs::directory_iterator it(resolved, error), end; !error && it != end; it.increment(error)) {
        if (bte::testing::EqualsIgnoringCase(it->path().filename().string(), name)) entry = it->path().filename();
      }
    }
    resolved /= entry;
  }
  return resolved.string();
}

// Links made of names that exist in other letter cases, escapes, "." and
// ".." in any order; many to a document, as a topic has. Between documents
// the project changes (a name's letter case, a file added or removed), so
// an answer remembered from an earlier document must give way.
TEST_F(FileLinks, ResolveAsThePlainReadingDoes) {
  const std::pair<fs::path, fs::path> renames[] = {
      {"HTML/sub dir", "HTML/Sub Dir"}, {"CSS/style.css", "CSS/Style.CSS"}, {"HTML/Other.htm", "HTML/other.htm"}};
  const char* const names[] = {"..", ".", "", "HTML", "html", "CSS", "css", "sub dir", "SUB DIR", "sub%20dir",
                               "%2e%2E", "Other.htm", "other.htm", "OTHER.HTM", "topic.htm", "a b.htm",
                               "A%20B.htm", "style.css", "missing.htm", "proj.hhp", "Proj.HHP"};
  std::mt19937 random(21);
  for (int document = 0; document < 40; ++document) {
    const auto& [from, to] = renames[random() % std::size(renames)];
    if (fs::exists(root_ / from)) {
      fs::rename(root_ / from, root_ / to);
    } else {
      fs::rename(root_ / to, root_ / from);
    }
    if (!fs::remove(root_ / "HTML" / "missing.htm")) Touch(root_ / "HTML" / "missing.htm");
    CHtmlFileEx topic((root_ / "HTML" / "topic.htm").c_str());
    for (int i = 0; i < 50; ++i) {
      std::string link = random() % 4 == 0 ? "./" : "";
      for (size_t n = 1 + random() % 5; n > 0; --n) {
        link += names[random() % std::size(names)];
        if (n > 1) link += random() % 3 == 0 ? "\\" : "/";
      }
      if (random() % 5 == 0) link += random() % 2 ? "#part" : "?q=1";
      EXPECT_EQ(std::string(topic.GetFilePathName(link.c_str()).View()), ModelResolve(root_, link)) << link;
    }
  }
}

// Threads that start together on a folder none has listed, as the threads
// of a build do: one lists it while the others wait, and every answer is
// still the plain reading's. Between rounds names change letter case, so a
// listing read for one round must give way in the next (right away, where
// the folder's fresh stamp keeps it from being remembered at all).
TEST_F(FileLinks, ThreadsStartingTogetherResolveAsThePlainReadingDoes) {
  constexpr int kFiles = 300, kThreads = 6, kRounds = 4;
  const fs::path crowd = root_ / "HTML" / "Crowd";
  fs::create_directories(crowd);
  for (int i = 0; i < kFiles; ++i) Touch(crowd / ("Topic" + std::to_string(i) + ".htm"));
  std::mt19937 random(7);
  for (int round = 0; round < kRounds; ++round) {
    for (int i = 0; i < 20; ++i) {
      const int k = static_cast<int>(random() % kFiles);
      const fs::path upper = crowd / ("Topic" + std::to_string(k) + ".htm");
      const fs::path lower = crowd / ("topic" + std::to_string(k) + ".htm");
      if (fs::exists(upper))
        fs::rename(upper, lower);
      else
        fs::rename(lower, upper);
    }
    std::vector<std::string> links, expected;
    for (int i = 0; i < 50; ++i) {
      links.push_back("crowd/TOPIC" + std::to_string(random() % kFiles) + ".htm");
      expected.push_back(ModelResolve(root_, links.back()));
    }
    std::atomic<bool> go{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&] {
        CHtmlFileEx topic((root_ / "HTML" / "topic.htm").c_str());
        while (!go.load()) std::this_thread::yield();
        for (size_t i = 0; i < links.size(); ++i)
          if (std::string(topic.GetFilePathName(links[i].c_str()).View()) != expected[i]) ++wrong;
      });
    go = true;
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(wrong.load(), 0) << "round " << round;
  }
}

}  // namespace
