#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

// A broken sequence shows as one U+FFFD for the bytes that could still have
// begun a valid one; a well-formed text shows unchanged.
TEST(Utf8, TellsWellFormedFromBrokenAndShowsTheBroken) {
  const std::string r = "\xEF\xBF\xBD";
  struct Case {
    std::string bytes, shown;
  };
  const Case cases[] = {
      {"", ""},
      {"G\xC3\xB3mez \xE2\x82\xAC \xF0\x9F\x93\xA1", "G\xC3\xB3mez \xE2\x82\xAC \xF0\x9F\x93\xA1"},
      {"\xED\x9F\xBF\xF4\x8F\xBF\xBF", "\xED\x9F\xBF\xF4\x8F\xBF\xBF"},  // U+D7FF, U+10FFFF
      {"caf\xE9|x", "caf" + r + "|x"},                  // a Windows-1252 byte
      {"\xB3", r},                                        // a lone continuation byte
      {"\xC0\xAF", r + r},                                // overlong
      {"\xE0\x9F\xBF\xF0\x8F\xBF\xBF", r + r + r + r + r + r + r},  // overlong
      {"\xED\xA0\x80", r + r + r},                        // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},                // above U+10FFFF
      {"\xF5\x80", r + r},
      {"\xE2\x82", r},                                    // cut short at the end
      {"\xF0\x9F\x93|", r + "|"},                         // cut short by a bar
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    EXPECT_EQ(IsUtf8(c.bytes), c.bytes == c.shown);
    EXPECT_EQ(ReplaceInvalidUtf8(c.bytes), c.shown);
  }
}

}  // namespace
}  // namespace morvane::text
