#include "run/convert_date.h"

#include <gtest/gtest.h>

namespace morvane::engine {
namespace {

TEST(ConvertDateTest, BuildsYearMonthAndDayAsTheyStand) {
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
      {"Jan  0 2010", "20100100"},
      {"Mar 32 2010", "20100332"},
      {"Apr  x 2010", "2010040x"},
      {"Jun xx 2011", "2011060xx"},
      {"Foo 12 2001", "2001Foo12"},
      {"jan  5 2010", "2010jan05"},
      {"Jul  5 10", "100705"},
      {"Aug", "080"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(ConvertDate(c.in), c.out);
  }
}

}  // namespace
}  // namespace morvane::engine
