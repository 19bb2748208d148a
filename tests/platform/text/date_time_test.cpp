#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

TEST(GeneralDateTime, UsesTheTwelveHourClock) {
  struct Case {
    DateTime t;
    std::string text;
  };
  const Case cases[] = {
      {{2013, 3, 22, 10, 15, 30}, "3/22/2013 10:15:30 AM"},
      {{2013, 3, 22, 12, 5, 9}, "3/22/2013 12:05:09 PM"},
      {{2013, 3, 22, 0, 5, 9}, "3/22/2013 12:05:09 AM"},
      {{2013, 3, 22, 13, 2, 3}, "3/22/2013 1:02:03 PM"},
      {{1999, 12, 31, 23, 59, 59}, "12/31/1999 11:59:59 PM"},
      {{2010, 1, 5, 0, 0, 0}, "1/5/2010 12:00:00 AM"},
  };
  for (const Case& c : cases) EXPECT_EQ(GeneralDateTime(c.t), c.text);
}

DateTime Local(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

TEST(DateTimeNow, IsTheLocalClock) {
  const std::time_t before = std::time(nullptr);
  const DateTime now = DateTime::Now();
  const std::time_t after = std::time(nullptr);
  bool matched = false;
  for (std::time_t t = before; t <= after; ++t) matched = matched || now == Local(t);
  EXPECT_TRUE(matched) << GeneralDateTime(now);
}

}  // namespace
}  // namespace morvane::text
