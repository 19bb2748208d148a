// Statements prepared once and run with new parameters.
#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

class PreparedTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    TableRecordset rs = db_.OpenTable("Sample");
    int n = 0;
    for (const char* key : {"b", "A", "c", "a", "B"}) AddRow(rs, key, n += 10);
  }

  // Key and Number of every row in stored order, read through `rs`.
  static std::vector<std::string> Rows(Database& db) {
    TableRecordset rs = db.OpenTable("Sample");
    std::vector<std::string> rows;
    for (; !rs.Eof(); rs.MoveNext())
      rows.push_back(rs.Get("Key").AsText() + rs.Get("Number").AsText());
    return rows;
  }
};

using Texts = std::vector<std::string>;

// A walk in slices that writes each row it reads, as the site matching does.
TEST_F(PreparedTest, QueryReadsEachRunWhileWritesGoOn) {
  PreparedSql slice = db_.Prepare("SELECT rowid, Key FROM Sample WHERE rowid > ?1 ORDER BY rowid LIMIT 2");
  PreparedSql write = db_.Prepare("UPDATE Sample SET Number = ?1 WHERE rowid = ?2");
  std::vector<std::int64_t> counts;
  std::int64_t after = 0;
  for (std::int64_t rows; (rows = slice.Run({Value(after)})) > 0;) {
    counts.push_back(rows);
    for (std::int64_t i = 0; i < rows; ++i) {
      after = slice.Get(i, 0).AsInteger();
      EXPECT_EQ(write.Run({Value(slice.Get(i, 1).AsText() == "a" ? 7 : 1), Value(after)}), 1);
    }
  }
  EXPECT_EQ(counts, (std::vector<std::int64_t>{2, 2, 1}));
  EXPECT_EQ(Rows(db_), (Texts{"b1", "A1", "c1", "a7", "B1"}));
  EXPECT_THROW(slice.Get(0, 0), Error);  // the last run found nothing
  slice.Run({Value(0)});
  EXPECT_EQ(slice.Get(1, 1), Value("A"));
  EXPECT_THROW(slice.Get(2, 0), Error);
  EXPECT_THROW(slice.Get(0, 2), Error);
  EXPECT_THROW(slice.Run(), Error);  // one parameter missing
}

TEST_F(PreparedTest, WritesFollowTheWorkspacesTransactions) {
  PreparedSql write = db_.Prepare("UPDATE Sample SET Key = ?1 WHERE Number >= ?2");
  ws_.BeginTrans();
  EXPECT_EQ(write.Run({Value("x"), Value(30)}), 3);
  ws_.Rollback();
  EXPECT_EQ(write.Run({Value("y"), Value(50)}), 1);  // outside a transaction: kept
  ws_.Close();
  Workspace again;
  Database reopened = again.OpenDatabase(path_);
  EXPECT_EQ(Rows(reopened), (Texts{"b10", "A20", "c30", "a40", "y50"}));
}

TEST_F(PreparedTest, RefusesTransactionControlAndWorksOnlyWhileOpen) {
  for (const char* sql : {"BEGIN", "COMMIT", "SAVEPOINT s", "VACUUM", "SELECT 1; SELECT 2"})
    EXPECT_THROW(db_.Prepare(sql), Error) << sql;
  PreparedSql count = db_.Prepare("SELECT count(*) FROM Sample");
  db_.Close();
  EXPECT_THROW(count.Run(), Error);
  count.Close();
  EXPECT_THROW(count.Run(), Error);
}

}  // namespace
}  // namespace morvane::db::testing
