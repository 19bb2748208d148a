// Snapshots of one SELECT.
#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

class SqlTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    TableRecordset rs = db_.OpenTable("Sample");
    int n = 0;
    for (const char* key : {"b", "A", "c", "a", "B"}) AddRow(rs, key, ++n);
  }

  static std::vector<std::string> Keys(SqlRecordset& q) {
    std::vector<std::string> keys;
    for (q.MoveFirst(); !q.Eof(); q.MoveNext()) keys.push_back(q.Get("Key").AsText());
    return keys;
  }
};

using Texts = std::vector<std::string>;

TEST_F(SqlTest, WalksInTheQuerysOrderWithAnExactCount) {
  SqlRecordset q = db_.OpenSql("SELECT Key, Number FROM Sample ORDER BY Key, Number DESC");
  EXPECT_EQ(q.ColumnNames(), (Texts{"Key", "Number"}));
  q.MoveLast();
  EXPECT_EQ(q.RecordCount(), 5);
  EXPECT_EQ(q.Get("number"), Value(3));
  q.MoveFirst();
  // Text sorts without regard to case.
  EXPECT_EQ(Keys(q), (Texts{"a", "A", "B", "b", "c"}));
  q.MoveNext();
  EXPECT_TRUE(q.Eof());
  EXPECT_THROW(q.Get("Key"), Error);
  EXPECT_THROW(q.Get("NoSuchColumn"), Error);
}

TEST_F(SqlTest, WalksManyRowsForwardAndJumpsToEitherEnd) {
  db_.Execute(
      "WITH RECURSIVE n(i) AS (SELECT 6 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
      "INSERT INTO Sample (Number, Note) SELECT i, 'row ' || i FROM n");
  SqlRecordset q = db_.OpenSql("SELECT Note, Number FROM Sample ORDER BY Number DESC");
  std::vector<std::int64_t> numbers;
  for (; !q.Eof(); q.MoveNext()) {
    numbers.push_back(q.Get("Number").AsInteger());
    if (numbers.back() > 5) {
      EXPECT_EQ(q.Get(0), Value("row " + std::to_string(numbers.back())));
    }
  }
  std::vector<std::int64_t> expected;
  for (std::int64_t i = 300; i >= 1; --i) expected.push_back(i);
  EXPECT_EQ(numbers, expected);
  q.MoveLast();
  EXPECT_EQ(q.Get("Number"), Value(1));
  q.MoveFirst();
  q.MoveNext();
  EXPECT_EQ(q.Get("Number"), Value(299));
}

TEST_F(SqlTest, IsASnapshot) {
  SqlRecordset q = db_.OpenSql("SELECT Key FROM Sample WHERE Number > ?", {Value(2)});
  EXPECT_EQ(q.RecordCount(), 3);
  TableRecordset rs = db_.OpenTable("Sample");
  AddRow(rs, "d", 6);
  db_.Execute("UPDATE Sample SET Key = 'changed'");
  EXPECT_EQ(q.RecordCount(), 3);
  EXPECT_EQ(Keys(q), (Texts{"c", "a", "B"}));
}

TEST_F(SqlTest, BindsValuesInsteadOfSplicingThem) {
  TableRecordset rs = db_.OpenTable("Sample");
  AddRow(rs, "O'Brien", 7);
  SqlRecordset q = db_.OpenSql("SELECT Number FROM Sample WHERE Key = ?1 OR Key = ?2",
                               {Value("o'brien"), Value("x' OR '1'='1")});
  EXPECT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.Get(0), Value(7));
  EXPECT_THROW(db_.OpenSql("SELECT * FROM Sample WHERE Key = ?"), Error);
  EXPECT_THROW(db_.OpenSql("SELECT * FROM Sample WHERE Key = ?", {Value(1), Value(2)}), Error);
}

TEST_F(SqlTest, EmptyResultIsEofWithCountZero) {
  SqlRecordset q = db_.OpenSql("SELECT * FROM Sample WHERE Number > 100");
  EXPECT_TRUE(q.Eof());
  q.MoveLast();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.RecordCount(), 0);
}

TEST_F(SqlTest, ColumnsAreNamedAsTheQueryNamesThem) {
  db_.AppendTable({"DalkMain", {{"CallSign", FieldType::kText, 10}, {"rowid", FieldType::kLong, 0}}, {}});
  db_.Execute("INSERT INTO DalkMain VALUES (?, ?)", {Value("E123"), Value(9)});
  SqlRecordset q = db_.OpenSql("SELECT DalkMain.CallSign, dalkmain.rowid, 1 AS oid FROM DalkMain");
  EXPECT_EQ(q.ColumnNames(), (Texts{"CallSign", "rowid", "oid"}));
  EXPECT_EQ(q.Get("callsign"), Value("E123"));
  EXPECT_EQ(q.Get("ROWID"), Value(9));
}

TEST_F(SqlTest, RefusesWhatIsNotOneSelect) {
  EXPECT_THROW(db_.OpenSql("DELETE FROM Sample"), Error);
  EXPECT_THROW(db_.OpenSql("SELECT 1; SELECT 2"), Error);
  EXPECT_THROW(db_.OpenSql("SELECT * FROM NoSuchTable"), Error);
  EXPECT_THROW(db_.OpenSql(""), Error);
  EXPECT_EQ(db_.OpenTable("Sample").RecordCount(), 5);
  SqlRecordset fine = db_.OpenSql("SELECT count(*) FROM Sample; -- a comment");
  EXPECT_EQ(fine.Get(0), Value(5));
  for (const char* control : {"BEGIN", "COMMIT", "ROLLBACK", "SAVEPOINT x", "RELEASE x", "VACUUM"})
    EXPECT_THROW(db_.Execute(control), Error) << control;
}

TEST_F(SqlTest, CloseDropsTheSnapshot) {
  auto temp_tables = [&] {
    return db_.OpenSql("SELECT count(*) FROM sqlite_temp_schema WHERE type = 'table'").Get(0);
  };
  EXPECT_EQ(temp_tables(), Value(0));  // the probe's own snapshot is gone again
  SqlRecordset q = db_.OpenSql("SELECT * FROM Sample");
  EXPECT_EQ(temp_tables(), Value(1));
  q.Close();
  EXPECT_EQ(temp_tables(), Value(0));
  EXPECT_THROW(q.MoveFirst(), Error);
}

TEST_F(SqlTest, ARollbackThatUndoesTheSnapshotIsReported) {
  TableRecordset rs = db_.OpenTable("Sample");
  SqlRecordset before = db_.OpenSql("SELECT Number FROM Sample");
  ws_.BeginTrans();
  AddRow(rs, "x", 10);
  SqlRecordset inside = db_.OpenSql("SELECT Number FROM Sample");
  EXPECT_EQ(inside.RecordCount(), 6);
  ws_.Rollback();
  EXPECT_THROW(inside.MoveFirst(), Error);
  EXPECT_EQ(before.RecordCount(), 5);

  // Made inside a transaction that was committed: it stays.
  ws_.BeginTrans();
  AddRow(rs, "y", 11);
  SqlRecordset committed = db_.OpenSql("SELECT Number FROM Sample");
  ws_.CommitTrans();
  ws_.BeginTrans();
  AddRow(rs, "z", 12);
  ws_.Rollback();
  EXPECT_EQ(committed.RecordCount(), 6);
  committed.MoveLast();
  EXPECT_EQ(committed.Get(0), Value(11));
}

}  // namespace
}  // namespace morvane::db::testing
