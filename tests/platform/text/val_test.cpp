#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

struct ValCase {
  std::string text;
  double value;
};

void PrintTo(const ValCase& c, std::ostream* os) { *os << "Val(\"" << c.text << "\")"; }

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsTheNumericPrefix) {
  const ValCase& c = GetParam();
  EXPECT_EQ(Val(c.text), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValTest,
    ::testing::Values(
        ValCase{"12.5 dBW", 12.5}, ValCase{"1 23", 123}, ValCase{"-0.5", -0.5},
        ValCase{"3,5", 3}, ValCase{"N/A", 0}, ValCase{"", 0}, ValCase{"   ", 0},
        ValCase{".5", 0.5}, ValCase{"-.5", -0.5}, ValCase{"5.", 5}, ValCase{"-", 0},
        ValCase{".", 0}, ValCase{"+7", 7}, ValCase{"- 5", -5}, ValCase{"0012", 12},
        ValCase{"12abc", 12}, ValCase{"1.2.3", 1.2}, ValCase{"\t4\n2", 42},
        ValCase{"\r5", 0},  // a carriage return is not ignored
        ValCase{"1E3", 1000}, ValCase{"1e-2", 0.01}, ValCase{"2.5E+2", 250},
        ValCase{"2.5 E 2", 250}, ValCase{"1E", 1}, ValCase{"1E+", 1}, ValCase{"1Ex", 1},
        ValCase{"E5", 0}, ValCase{"0.1", 0.1}, ValCase{"11450.5", 11450.5},
        ValCase{"-2147483648", -2147483648.0}, ValCase{"1e-400", 0},
        ValCase{"0000000000000000000000000000000000000000000000000000000000000000000001.5", 1.5},
        ValCase{"42  ", 42}, ValCase{" 7.125xyz", 7.125}, ValCase{"4 ", 4}, ValCase{"-0.0625", -0.0625},
        ValCase{"9007199254740993", 9007199254740992.0}, ValCase{"0.000000000000000000001", 1e-21},
        ValCase{"123456789.123456789", 123456789.123456789}, ValCase{"0.1e1", 1}));

TEST(ValRange, BeyondDoubleIsInfinite) {
  EXPECT_EQ(Val("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Val("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Val(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
}

}  // namespace
}  // namespace morvane::text
