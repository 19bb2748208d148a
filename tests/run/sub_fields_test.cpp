#include "run/sub_fields.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace morvane::engine {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitSubFieldsTest, TrimsEachFieldAndStopsAtTheLimit) {
  const struct {
    std::string record;
    int count;
    Fields fields;
    std::string record_after;
  } cases[] = {
      {"x||y", 5, {"x", "", "y"}, "x||y|"},
      {"a | Y |b", 3, {"a", "Y", "b"}, "a | Y |b|"},
      {"1|2|3|4|5", 3, {"1", "2", "3"}, "1|2|3|4|5|"},
      {"|", 2, {"", ""}, "||"},
      {"", 4, {}, ""},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.record);
    EXPECT_EQ(SplitSubFields(c.record, c.count), c.fields);
    EXPECT_EQ(c.record, c.record_after);
  }
}

TEST(SplitSubFieldsTest, RefusesACountOutsideTheTable) {
  std::string record = "a|b";
  EXPECT_THROW(SplitSubFields(record, 61), std::out_of_range);
  EXPECT_THROW(SplitSubFields(record, 0), std::out_of_range);
}

}  // namespace
}  // namespace morvane::engine
