// How the tool prints bytes of the process code page: checked against the
// system's own Windows-1252 converter and a strict JSON parser.
#include <iconv.h>

#include <optional>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/utf8_text.h"

namespace {

using bte::cli::Utf8Text;

// The system's conversion of one byte, or nothing where it has none.
std::optional<std::string> SystemWindows1252(char byte) {
  iconv_t cd = iconv_open("UTF-8", "CP1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {byte}, out[8];
  char *from = in, *to = out;
  size_t left = 1, room = sizeof out;
  const bool ok = iconv(cd, &from, &left, &to, &room) != static_cast<size_t>(-1);
  iconv_close(cd);
  return ok ? std::optional<std::string>(std::string(out, to)) : std::nullopt;
}

TEST(Utf8Text, LoneHighBytesReadAsWindows1252) {
  if (!SystemWindows1252('\x80')) GTEST_SKIP() << "no CP1252 converter";
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const std::optional<std::string> expected = SystemWindows1252(static_cast<char>(byte));
    if (!expected) continue;  // the five bytes Windows maps to C1 controls
    EXPECT_EQ(Utf8Text(std::string(1, static_cast<char>(byte))), *expected) << byte;
  }
  EXPECT_EQ(Utf8Text("\x81"), "\u0081");
}

TEST(Utf8Text, MalformedSequencesAreBytesAndWellFormedOnesStay) {
  EXPECT_EQ(Utf8Text("Stra\xC3\x9F" "e \xF0\x9F\x99\x82"), "Stra\u00DFe \U0001F642");
  EXPECT_EQ(Utf8Text("\xC0\xAF"), "\u00C0\u00AF");             // overlong
  EXPECT_EQ(Utf8Text("\xED\xA0\x80"), "\u00ED\u00A0\u20AC");    // surrogate
  EXPECT_EQ(Utf8Text("\xF4\x90\x80\x80"), "\u00F4\u0090\u20AC\u20AC");  // above U+10FFFF
  EXPECT_EQ(Utf8Text("\xE2\x82"), "\u00E2\u201A");               // cut short
}

TEST(Utf8Text, AnyBytesGiveValidUtf8) {
  std::mt19937 random(20);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 16, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 7 == 0 ? random() % 0x40 + 0x80 : random());
    EXPECT_NO_THROW((void)nlohmann::json(Utf8Text(bytes)).dump()) << testing::PrintToString(bytes);
  }
}

}  // namespace
