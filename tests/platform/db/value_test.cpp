#include "platform/db/value.h"

#include <gtest/gtest.h>

namespace morvane::db {
namespace {

TEST(ValueTest, NullAndEmptyTextDiffer) {
  EXPECT_TRUE(Value().IsNull());
  EXPECT_FALSE(Value("").IsNull());
  EXPECT_NE(Value(), Value(""));
  EXPECT_EQ(Value(""), Value(std::string()));
}

struct LenientCase {
  Value value;
  std::string text;
  double number;
  std::int64_t whole;
};

class ValueLenientTest : public ::testing::TestWithParam<LenientCase> {};

TEST_P(ValueLenientTest, ReadsAsTextNumberAndWholeNumber) {
  const LenientCase& c = GetParam();
  EXPECT_EQ(c.value.AsText(), c.text);
  EXPECT_DOUBLE_EQ(c.value.AsDouble(), c.number);
  EXPECT_EQ(c.value.AsInteger(), c.whole);
}

TEST(ValueTest, AssignTextMakesATextOfAnyValue) {
  for (Value v : {Value(), Value(7), Value(2.5), Value("a longer text than the next")}) {
    v.AssignText("ab");
    EXPECT_EQ(v, Value("ab"));
    v.AssignText("");
    EXPECT_EQ(v, Value(""));  // empty, not Null
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ValueLenientTest,
    ::testing::Values(LenientCase{Value(), "", 0, 0},
                      LenientCase{Value(7), "7", 7, 7},
                      LenientCase{Value(std::int64_t{-3000000000}), "-3000000000", -3e9, -3000000000},
                      LenientCase{Value(12.5), "12.5", 12.5, 12},   // halves to even
                      LenientCase{Value(13.5), "13.5", 13.5, 14},
                      LenientCase{Value(0.1), "0.1", 0.1, 0},
                      LenientCase{Value("0012"), "0012", 12, 12},
                      LenientCase{Value("12.5 dBW"), "12.5 dBW", 12.5, 12},
                      LenientCase{Value("  -4"), "  -4", -4, -4},
                      LenientCase{Value("1e3x"), "1e3x", 1000, 1000},
                      LenientCase{Value("N/A"), "N/A", 0, 0},
                      LenientCase{Value("inf"), "inf", 0, 0},
                      LenientCase{Value(""), "", 0, 0}));

}  // namespace
}  // namespace morvane::db
