#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

TEST(Trim, RemovesBlanksOnlyAtTheChosenEnds) {
  struct Case {
    std::string in, both, left, right;
  };
  const Case cases[] = {
      {"  a b  ", "a b", "a b  ", "  a b"},
      {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},  // tabs stay
      {" \ta ", "\ta", "\ta ", " \ta"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {"x", "x", "x", "x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Trim(c.in), c.both) << '"' << c.in << '"';
    EXPECT_EQ(TrimLeft(c.in), c.left) << '"' << c.in << '"';
    EXPECT_EQ(TrimRight(c.in), c.right) << '"' << c.in << '"';
  }
}

// "Müller" has six characters in seven bytes; "€" is three bytes.
TEST(CharacterCounting, CountsCharactersNotBytes) {
  EXPECT_EQ(Length(""), 0u);
  EXPECT_EQ(Length("M\xC3\xBCller"), 6u);
  EXPECT_EQ(Length("\xE2\x82\xAC" "5"), 2u);

  struct Case {
    std::string got, expected;
  };
  const Case cases[] = {
      {Left("M\xC3\xBCller", 2), "M\xC3\xBC"},
      {Left("a", 2), "a"},
      {Left("abc", 0), ""},
      {Left("\xE2\x82\xAC\xE2\x82\xAC", 1), "\xE2\x82\xAC"},
      {Right("M\xC3\xBCller", 5), "\xC3\xBCller"},
      {Right("abc", 5), "abc"},
      {Right("abc", 0), ""},
      {Mid("M\xC3\xBCller", 2, 1), "\xC3\xBC"},
      {Mid("M\xC3\xBCller", 3), "ller"},
      {Mid("abc", 2), "bc"},
      {Mid("abc", 3, 5), "c"},
      {Mid("abc", 4), ""},
      {Mid("abc", 9, 2), ""},
      {Mid("abc", 1, 0), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

TEST(InStr, FindsWithoutRegardToCaseAndCountsCharacters) {
  struct Case {
    std::string hay, needle;
    std::size_t start, expected;
  };
  const Case cases[] = {
      {"D:/Exports/MAIN.DAT", "main.dat", 1, 12},
      {"c:/conv/main.dat", "MAIN.DAT", 1, 9},
      {"abcabc", "C", 1, 3},
      {"abcabc", "C", 4, 6},
      {"abcabc", "C", 7, 0},
      {"abc", "x", 1, 0},
      {"abc", "abcd", 1, 0},
      {"\xC3\xA9" "a", "A", 1, 2},                             // é counts as one character
      {"\xC3\x84rger \xC3\xBC" "ber", "\xC3\x9C" "BER", 1, 7},  // Ärger über / ÜBER
      {"\xC5\xB8" "x", "\xC3\xBF" "X", 1, 1},                   // Ÿ and ÿ
      {"abc", "", 2, 2},
      {"abc", "", 4, 4},
      {"abc", "", 5, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InStr(c.hay, c.needle, c.start), c.expected)
        << "InStr(\"" << c.hay << "\", \"" << c.needle << "\", " << c.start << ")";
  }
}

TEST(Affixes, CompareExactly) {
  EXPECT_TRUE(EndsWith("a|b|^|", "|^|"));
  EXPECT_FALSE(EndsWith("a|b|^| ", "|^|"));
  EXPECT_FALSE(EndsWith("^|", "|^|"));
  EXPECT_TRUE(StartsWith("Jan  5 2010", "Jan"));
  EXPECT_FALSE(StartsWith("jan  5 2010", "Jan"));
}

}  // namespace
}  // namespace morvane::text
