// A table's indexes dropped while its rows go in, and built again however
// the work ends.
#include "platform/db/deferred_indexes.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "db_test_support.h"

namespace morvane::db {
namespace {

class DeferredIndexesTest : public testing::DbTest {
 protected:
  // Name and statement of each stored index of the sample table.
  std::string Indexes() {
    SqlRecordset rs = db_.OpenSql(
        "SELECT name || ': ' || sql FROM sqlite_schema WHERE type = 'index' "
        "AND tbl_name = 'Sample' ORDER BY rowid");
    std::string all;
    for (; !rs.Eof(); rs.MoveNext()) all += rs.Get(0).AsText() + "\n";
    return all;
  }

  void AddRows() {
    TableRecordset rs = db_.OpenTable("Sample");
    AddRow(rs, Value("b"), Value(2));
    AddRow(rs, Value("A"), Value(1));
  }

  void ExpectSeekFindsByIndex() {
    TableRecordset rs = db_.OpenTable("Sample");
    rs.SetIndex("idxKey");
    rs.Seek("=", Value("a"));  // the index keeps the field's collation
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("Number"), Value(std::int64_t{1}));
  }
};

TEST_F(DeferredIndexesTest, DropsTheIndexesAndBuildsThemAgainAsTheyWere) {
  const std::string before = Indexes();
  ASSERT_NE(before, "");
  {
    DeferredIndexes deferred(db_, "sample");  // the table's name in any case
    EXPECT_EQ(Indexes(), "");
    AddRows();
    deferred.Rebuild();
    EXPECT_EQ(Indexes(), before);
  }
  EXPECT_EQ(Indexes(), before);
  ExpectSeekFindsByIndex();
}

TEST_F(DeferredIndexesTest, KeepsTheIndexesItIsToldToKeep) {
  const std::string before = Indexes();
  {
    DeferredIndexes deferred(db_, "Sample", {"IDXKEY"});
    EXPECT_EQ(Indexes().find("idxNumber"), std::string::npos);
    AddRows();
    ExpectSeekFindsByIndex();  // the kept index serves a Seek meanwhile
  }
  EXPECT_EQ(Indexes(), before);
}

TEST_F(DeferredIndexesTest, AnErrorStillLeavesTheIndexes) {
  const std::string before = Indexes();
  try {
    DeferredIndexes deferred(db_, "Sample");
    AddRows();
    throw std::runtime_error("the work failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Indexes(), before);
  ExpectSeekFindsByIndex();
}

TEST_F(DeferredIndexesTest, ARollbackThatBringsAnIndexBackIsNoError) {
  const std::string before = Indexes();
  ws_.BeginTrans();
  {
    DeferredIndexes deferred(db_, "Sample");
    ws_.Rollback();  // undoes the drops
    EXPECT_EQ(Indexes(), before);
    deferred.Rebuild();
  }
  EXPECT_EQ(Indexes(), before);
}

}  // namespace
}  // namespace morvane::db
