// The keys of a table with their rows, held in little memory and confirmed
// against the table.
#include "convert/key_rows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/db/workspace.h"
#include "support/sql_database.h"
#include "support/temp_dir.h"

namespace morvane::convert {
namespace {

// Row i (row id i) holds the key "Key<i>x" and the count 1000 + i; row 20001
// repeats row 5's key in other letter case; row 20002 holds a long key.
class KeyRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string sql =
        "CREATE TABLE L (K TEXT COLLATE NOCASE, C INTEGER);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
        "INSERT INTO L SELECT 'Key' || i || 'x', 1000 + i FROM n;"
        "INSERT INTO L VALUES ('KEY5X', 7), (replace(hex(zeroblob(35000)), '0', 'q'), 8), (NULL, 9);";
    testing::BuildSqlDatabase(dir_ / "keys.mdb", sql);
    db_ = ws_.OpenDatabase(dir_ / "keys.mdb");
  }

  testing::TempDir dir_;
  db::Workspace ws_;
  db::Database db_;
};

TEST_F(KeyRowsTest, StoredKeysCompareAsTheNocaseIndexAndKeepTheirFirstRow) {
  KeyRows rows = StoredKeyRows(db_, "L", "K", "C");
  EXPECT_EQ(rows.size(), 20001u);
  struct Case {
    std::string key;
    std::int64_t row_id, count;
  };
  const Case found[] = {{"KEY1X", 1, 1001}, {"key19999X", 19999, 20999}, {"kEy5x", 5, 1005},
                        {std::string(70000, 'Q'), 20002, 8}, {"key777x", 777, 1777}};
  for (const Case& c : found) {
    KeyRows::Row* row = rows.Find(c.key);
    ASSERT_NE(row, nullptr) << c.key.substr(0, 20);
    EXPECT_EQ(row->row_id, c.row_id) << c.key.substr(0, 20);
    EXPECT_EQ(row->count, c.count) << c.key.substr(0, 20);
  }
  for (const char* absent : {"Key0x", "Key5", "Key20001x", "Key1x ", "K\xC3\xA9y1x", ""})
    EXPECT_EQ(rows.Find(absent), nullptr) << absent;
}

// Keys added past any reserve move their slots by reading the keys back;
// counts come from the table, so a raise that was not written is not held.
TEST_F(KeyRowsTest, AddedKeysAreFoundThroughGrowthAndCountsComeFromTheTable) {
  KeyRows rows(db_, "L", "K", "C");
  for (std::int64_t i = 1; i <= 20000; ++i) rows.Add("Key" + std::to_string(i) + "x", {i, 1});
  for (const std::int64_t i : {1, 5000, 20000}) {
    KeyRows::Row* row = rows.Find("KEY" + std::to_string(i) + "X");
    ASSERT_NE(row, nullptr) << i;
    EXPECT_EQ(row->row_id, i);
    EXPECT_EQ(row->count, 1000 + i);
  }
  rows.Find("key2x")->count = 55;
  EXPECT_EQ(rows.Find("KEY2X")->count, 55);  // the last key found is held
  rows.Find("key3x");
  EXPECT_EQ(rows.Find("KEY2X")->count, 1002);
  EXPECT_EQ(rows.Find("Key20001x"), nullptr);
}

TEST_F(KeyRowsTest, ARowIdOutsideTheTablesRangeIsRefused) {
  KeyRows rows(db_, "L", "K");
  for (const std::int64_t row_id : {std::int64_t{0}, std::int64_t{-3}, std::int64_t{1} << 32})
    EXPECT_THROW(rows.Add("k", {row_id, 0}), std::length_error) << row_id;
  EXPECT_EQ(rows.size(), 0u);
}

}  // namespace
}  // namespace morvane::convert
