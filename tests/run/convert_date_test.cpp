#include "run/convert_date.h"

#include <gtest/gtest.h>

namespace morvane::engine {
namespace {

TEST(ConvertDateTest, ReadsTheExportsDates) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Jan  5 2010", "20100105"},
      {"Jan 05 2010", "20100105"},  // a leading zero reads like a blank
      {"Dec 31 1999 12:00AM", "19991231"},
      {"Feb 28 2013", "20130228"},
      {"Oct 10 2001", "20011010"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    auto result = ConvertDate(c.in);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, c.out);
  }
}

TEST(ConvertDateTest, RefusesWhatItCannotRead) {
  for (const char* in : {"Foo 12 2001", "jan  5 2010", "Jan  5 10", "Jan  5 201", "Jan xx 2010",
                         "Jan  0 2010", "Jan 32 2010", "Jan", "Jan  5 20a0"}) {
    SCOPED_TRACE(in);
    EXPECT_FALSE(ConvertDate(in).has_value());
  }
}

}  // namespace
}  // namespace morvane::engine
