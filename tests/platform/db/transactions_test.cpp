// The workspace's transactions: nesting, rollback, grouped real commits.
#include <SQLiteCpp/Database.h>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

class TransactionTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    ws_.Flush();  // the table exists on disk; its rows are the test's
  }

  // Rows of Sample as another connection sees the file: only what was
  // really committed.
  int OnDisk() {
    SQLite::Database raw(path_.string(), SQLite::OPEN_READONLY);
    return raw.execAndGet("SELECT count(*) FROM Sample").getInt();
  }

  void Add(TableRecordset& rs, int number) {
    rs.AddNew();
    rs.Set("Number", number);
    rs.Update();
  }

  // A second database in the workspace, with the sample table.
  Database OtherDatabase() {
    Database other = ws_.CreateDatabase(folder_ / "other.mdb");
    other.AppendTable(SampleTable());
    return other;
  }

  std::vector<std::int64_t> All(TableRecordset& rs) {
    rs.MoveFirst();
    return NumbersFromHere(rs);
  }
};

using Numbers = std::vector<std::int64_t>;

TEST_F(TransactionTest, RolledBackRowIsGoneCommittedRowStays) {
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  ws_.CommitTrans();
  ws_.BeginTrans();
  Add(rs, 2);
  EXPECT_EQ(rs.RecordCount(), 2);
  ws_.Rollback();
  EXPECT_EQ(All(rs), (Numbers{1}));
  ws_.Close();
  Database again = ws_.OpenDatabase(path_);
  TableRecordset reread = again.OpenTable("Sample");
  EXPECT_EQ(All(reread), (Numbers{1}));
}

TEST_F(TransactionTest, CommittedRowsStayAfterAnErrorLaterInTheGroup) {
  TableRecordset rs = db_.OpenTable("Sample");
  for (int i = 1; i <= 3; ++i) {
    ws_.BeginTrans();
    Add(rs, i);
    ws_.CommitTrans();
  }
  // A record that the layer refuses, then one that the engine refuses.
  ws_.BeginTrans();
  rs.AddNew();
  rs.Set("Number", 4);
  EXPECT_THROW(rs.Set("Key", "far too long for ten"), Error);
  ws_.Rollback();
  ws_.BeginTrans();
  Add(rs, 5);
  EXPECT_THROW(db_.Execute("INSERT INTO NoSuchTable VALUES (1)"), Error);
  EXPECT_THROW(db_.Execute("INSERT INTO Sample (Number) VALUES ('x', 'y')"), Error);
  ws_.Rollback();
  EXPECT_EQ(OnDisk(), 0);  // all still in the group
  ws_.Close();
  EXPECT_EQ(OnDisk(), 3);
}

TEST_F(TransactionTest, RowsAreFoundBySeekBeforeTheRealCommit) {
  TableRecordset rs = db_.OpenTable("Sample");
  TableRecordset other = db_.OpenTable("Sample");
  other.SetIndex("idxNumber");
  for (int i = 1; i <= 5; ++i) {
    ws_.BeginTrans();
    Add(rs, i);
    ws_.CommitTrans();
    other.Seek("=", i);
    EXPECT_FALSE(other.NoMatch()) << i;
  }
  // A second handle on the same file shares the connection and the rows.
  Database second = ws_.OpenDatabase(path_);
  EXPECT_EQ(second.OpenTable("Sample").RecordCount(), 5);
  second.Close();
  EXPECT_TRUE(db_.IsOpen());
  EXPECT_EQ(OnDisk(), 0);
  ws_.Flush();
  EXPECT_EQ(OnDisk(), 5);
}

TEST_F(TransactionTest, NestedTransactionsCommitIntoTheOuterOne) {
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  ws_.BeginTrans();
  Add(rs, 2);
  ws_.Rollback();  // inner only
  ws_.BeginTrans();
  Add(rs, 3);
  ws_.CommitTrans();
  EXPECT_EQ(ws_.TransactionDepth(), 1);
  EXPECT_EQ(All(rs), (Numbers{1, 3}));
  ws_.Rollback();  // the outer one takes the committed inner one with it
  EXPECT_EQ(All(rs), (Numbers{}));
  EXPECT_EQ(ws_.TransactionDepth(), 0);
  EXPECT_THROW(ws_.CommitTrans(), Error);
  EXPECT_THROW(ws_.Rollback(), Error);
}

TEST_F(TransactionTest, EveryWriteOfATransactionIsRolledBackNotOnlyItsFirstRow) {
  TableRecordset rs = db_.OpenTable("Sample");
  Add(rs, 1);
  ws_.BeginTrans();
  Add(rs, 2);
  Add(rs, 3);
  rs.MoveFirst();
  rs.Edit();
  rs.Set("Number", 10);
  rs.Update();
  EXPECT_EQ(All(rs), (Numbers{10, 2, 3}));
  ws_.Rollback();
  EXPECT_EQ(All(rs), (Numbers{1}));
  // The same after a query in between, and for a lone row as well.
  ws_.BeginTrans();
  Add(rs, 4);
  SqlRecordset query = db_.OpenSql("SELECT Number FROM Sample");
  EXPECT_EQ(query.RecordCount(), 2);
  Add(rs, 5);
  ws_.Rollback();
  ws_.BeginTrans();
  Add(rs, 6);
  ws_.Rollback();
  EXPECT_EQ(All(rs), (Numbers{1}));
  ws_.Close();
  EXPECT_EQ(OnDisk(), 1);
}

TEST_F(TransactionTest, DatabasesJoinTheOpenTransactionsAtTheirFirstWrite) {
  Database other = OtherDatabase();
  TableRecordset a = db_.OpenTable("Sample");
  TableRecordset b = other.OpenTable("Sample");
  ws_.BeginTrans();
  Add(a, 1);
  ws_.BeginTrans();
  Add(b, 2);  // joins both levels at once
  ws_.CommitTrans();
  ws_.BeginTrans();
  Add(b, 3);
  ws_.Rollback();
  EXPECT_EQ(All(b), (Numbers{2}));
  ws_.Rollback();
  EXPECT_EQ(All(a), (Numbers{}));
  EXPECT_EQ(All(b), (Numbers{}));
}

TEST_F(TransactionTest, ClosingADatabaseRollsBackItsOpenTransactions) {
  Database other = OtherDatabase();
  {
    TableRecordset a = db_.OpenTable("Sample");
    TableRecordset b = other.OpenTable("Sample");
    ws_.BeginTrans();
    Add(a, 1);
    ws_.CommitTrans();
    ws_.BeginTrans();
    Add(a, 2);
    Add(b, 3);
    db_.Close();  // rolls back row 2, commits row 1
    ws_.CommitTrans();
  }
  EXPECT_EQ(OnDisk(), 1);
  EXPECT_EQ(other.OpenTable("Sample").RecordCount(), 1);
}

TEST_F(TransactionTest, WorkspaceCloseRollsBackFlushesAndStaysUsable) {
  Database other = OtherDatabase();
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  ws_.CommitTrans();
  ws_.BeginTrans();
  ws_.BeginTrans();
  Add(rs, 2);
  ws_.Close();
  EXPECT_EQ(ws_.TransactionDepth(), 0);
  EXPECT_FALSE(db_.IsOpen());
  EXPECT_FALSE(other.IsOpen());
  EXPECT_THROW(rs.MoveFirst(), Error);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"other.mdb", "test.mdb"}));  // no journals

  Database again = ws_.OpenDatabase(path_);
  TableRecordset reread = again.OpenTable("Sample");
  EXPECT_EQ(All(reread), (Numbers{1}));
  ws_.BeginTrans();
  Add(reread, 5);
  ws_.CommitTrans();
  ws_.Close();
  EXPECT_EQ(OnDisk(), 2);
}

TEST_F(TransactionTest, GroupLimitCommitsForReal) {
  ws_.SetGroupLimit(3);
  TableRecordset rs = db_.OpenTable("Sample");
  for (int i = 1; i <= 4; ++i) {
    ws_.BeginTrans();
    Add(rs, i);
    ws_.CommitTrans();
  }
  EXPECT_EQ(OnDisk(), 3);
  Add(rs, 5);  // outside a transaction: one more grouped commit
  Add(rs, 6);
  EXPECT_EQ(OnDisk(), 6);
}

TEST_F(TransactionTest, GroupLimitOfOneCommitsEveryRow) {
  ws_.SetGroupLimit(1);
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  EXPECT_EQ(OnDisk(), 0);
  ws_.CommitTrans();
  EXPECT_EQ(OnDisk(), 1);
}

TEST_F(TransactionTest, WritesOfSeveralRecordsAtOnceCountAsThatManyCommits) {
  ws_.SetGroupLimit(5);
  TableRecordset rs = db_.OpenTable("Sample");
  const int number[] = {rs.FieldIndex("Number")};
  auto queue = [&](int n) {
    Value v[] = {n};
    rs.QueueNew(number, v);
  };
  ws_.BeginTrans();
  queue(1);
  queue(2);
  rs.WriteQueued();
  ws_.CommitTrans(2);
  queue(3);
  queue(4);
  rs.WriteQueued();  // outside a transaction: a commit for each row
  EXPECT_EQ(OnDisk(), 0);
  ws_.BeginTrans();
  queue(5);
  rs.WriteQueued();
  ws_.CommitTrans(1);
  EXPECT_EQ(OnDisk(), 5);
}

// A queued write of one row takes no savepoint, as an AddNew does not; a
// rollback still undoes it, alone or after further writes.
TEST_F(TransactionTest, RolledBackQueuedWritesAreUndoneWhateverTheirRowCount) {
  TableRecordset rs = db_.OpenTable("Sample");
  const int number[] = {rs.FieldIndex("Number")};
  auto write = [&](const std::vector<int>& numbers) {
    for (int n : numbers) {
      Value v[] = {n};
      rs.QueueNew(number, v);
    }
    rs.WriteQueued();
  };
  write({1});
  const std::vector<std::vector<std::vector<int>>> cases = {{{2}}, {{2}, {3, 4}}, {{2, 3}, {4}}};
  for (const auto& writes : cases) {
    ws_.BeginTrans();
    for (const auto& w : writes) write(w);
    ws_.Rollback();
    EXPECT_EQ(All(rs), (Numbers{1}));
  }
}

TEST_F(TransactionTest, FlushLeavesAnOpenTransactionAlone) {
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  ws_.Flush();
  EXPECT_EQ(OnDisk(), 0);
  ws_.CommitTrans();
  ws_.Flush();
  EXPECT_EQ(OnDisk(), 1);
}

TEST_F(TransactionTest, AGroupThatTheEngineRolledBackIsReportedNotLost) {
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  Add(rs, 1);
  ws_.CommitTrans();
  ws_.Flush();
  ws_.BeginTrans();
  Add(rs, 2);
  ws_.CommitTrans();
  // A full disk: SQLite answers it by rolling back the whole transaction.
  db_.Execute("PRAGMA max_page_count = 1");
  ws_.BeginTrans();
  rs.AddNew();
  rs.Set("Note", std::string(100000, 'f'));
  EXPECT_THROW(rs.Update(), Error);
  ws_.Rollback();
  EXPECT_THROW(ws_.Flush(), Error);  // row 2 is gone, and that is said
  ws_.Close();
  EXPECT_EQ(OnDisk(), 1);
}

TEST_F(TransactionTest, FileLengthIsCurrentAfterFlush) {
  TableRecordset rs = db_.OpenTable("Sample");
  for (int i = 0; i < 2000; ++i) {
    ws_.BeginTrans();
    rs.AddNew();
    rs.Set("Note", std::string(500, 'n'));
    rs.Update();
    ws_.CommitTrans();
  }
  const auto before = std::filesystem::file_size(path_);
  ws_.Flush();
  const auto after = std::filesystem::file_size(path_);
  EXPECT_GT(after, before + 1000000);
  SQLite::Database raw(path_.string(), SQLite::OPEN_READONLY);
  const std::int64_t pages = raw.execAndGet("PRAGMA page_count").getInt64();
  const std::int64_t page_size = raw.execAndGet("PRAGMA page_size").getInt64();
  EXPECT_EQ(static_cast<std::int64_t>(after), pages * page_size);
}

}  // namespace
}  // namespace morvane::db::testing
