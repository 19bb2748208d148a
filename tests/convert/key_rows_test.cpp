// The in-memory keys of a table with their rows.
#include "convert/key_rows.h"

#include <gtest/gtest.h>

namespace morvane::convert {
namespace {

TEST(KeyRowsTest, KeysCompareAsTheNocaseIndexAndKeepTheirFirstRowThroughGrowth) {
  KeyRows rows;
  EXPECT_EQ(rows.Find("A"), nullptr);
  // Enough keys for several growths and entry blocks; a long key of its own.
  for (int i = 0; i < 20000; ++i) rows.Add("Key" + std::to_string(i) + "x", {i + 100, i});
  const std::string long_key(70000, 'q');
  rows.Add(long_key, {7, 8});
  EXPECT_EQ(rows.size(), 20001u);
  const std::pair<const char*, std::int64_t> found[] = {
      {"Key0x", 100}, {"KEY0X", 100}, {"key19999X", 20099}, {"kEy777x", 877}};
  for (const auto& [key, row_id] : found) {
    ASSERT_NE(rows.Find(key), nullptr) << key;
    EXPECT_EQ(rows.Find(key)->row_id, row_id) << key;
  }
  for (const char* absent : {"Key0", "Key20000x", "Key0x ", "Kéy0x", ""})
    EXPECT_EQ(rows.Find(absent), nullptr) << absent;
  EXPECT_EQ(rows.Find(std::string(70000, 'Q'))->count, 8);
  rows.Find("key5x")->count = 55;
  EXPECT_EQ(rows.Find("KEY5X")->count, 55);
}

}  // namespace
}  // namespace morvane::convert
