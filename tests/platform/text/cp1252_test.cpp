#include <iconv.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

TEST(Cp1252ToUtf8, DecodesTheSpecialsAndTheUndefinedBytes) {
  struct Case {
    std::string bytes, utf8;
  };
  const Case cases[] = {
      {"", ""},
      {"plain |^|", "plain |^|"},
      {"\x80", "\xE2\x82\xAC"},                      // €
      {"\x81", "\xC2\x81"},                          // undefined: U+0081
      {"\x8D\x8F\x90\x9D", "\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"\x8A\x9A", "\xC5\xA0\xC5\xA1"},              // Š š
      {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"\x96\x97", "\xE2\x80\x93\xE2\x80\x94"},      // – —
      {"\x99", "\xE2\x84\xA2"},                      // ™
      {"\x9F", "\xC5\xB8"},                          // Ÿ
      {"\xA0", "\xC2\xA0"},
      {"caf\xE9", "caf\xC3\xA9"},
      {"\xFF", "\xC3\xBF"},
      {"12345678\xE9", "12345678\xC3\xA9"},          // past the first eight bytes
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1252ToUtf8(c.bytes), c.utf8);
}

// Every defined byte decodes as the C library's own Windows-1252 table says.
TEST(Cp1252ToUtf8, AgreesWithTheSystemTable) {
  iconv_t cd = iconv_open("UTF-8", "CP1252");
  if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP1252 table in this C library";
  int compared = 0;
  for (int b = 0x80; b <= 0xFF; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    char in[1] = {static_cast<char>(b)};
    char out[8] = {};
    char* in_p = in;
    char* out_p = out;
    std::size_t in_left = 1, out_left = sizeof out;
    ASSERT_NE(iconv(cd, &in_p, &in_left, &out_p, &out_left), static_cast<std::size_t>(-1));
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(b))), std::string(out, out_p))
        << "byte " << b;
    ++compared;
  }
  iconv_close(cd);
  EXPECT_EQ(compared, 123);
}

TEST(IsAscii, LooksAtEveryByte) {
  EXPECT_TRUE(IsAscii(""));
  EXPECT_TRUE(IsAscii("0123456789abcdefghij|^|"));
  for (std::size_t at : {0u, 3u, 7u, 8u, 15u, 16u, 22u}) {
    std::string s(23, 'a');
    s[at] = '\xE9';
    EXPECT_FALSE(IsAscii(s)) << "high byte at " << at;
  }
}

}  // namespace
}  // namespace morvane::text
