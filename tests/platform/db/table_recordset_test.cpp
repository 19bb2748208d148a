// Table-type recordsets: stored order, index order, Seek, editing, misuse.
#include "platform/db/internal/recordset_access.h"

#include <regex>
#include <sstream>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

using Numbers = std::vector<std::int64_t>;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Whether a query plan searches table Sample through `index` on `field`, in
// the words that SQLite's releases share ("SEARCH [TABLE] Sample USING
// [COVERING] INDEX Sample.idxKey (Key=?)"), not one release's exact text.
bool SearchesIndex(const std::string& plan, const std::string& index, const std::string& field) {
  const std::regex search("^SEARCH (TABLE )?Sample USING (COVERING )?INDEX (Sample\\.)?" + index +
                          " \\(" + field + "=\\?\\)");
  std::istringstream lines(plan);
  for (std::string line; std::getline(lines, line);)
    if (std::regex_search(line, search)) return true;
  return false;
}

TEST(QueryPlanWords, AreReadAsEveryReleaseWritesThem) {
  const std::pair<const char*, bool> plans[] = {
      {"SEARCH Sample USING INDEX Sample.idxKey (Key=?)\n", true},
      {"SEARCH TABLE Sample USING INDEX idxKey (Key=?)\n", true},
      {"SEARCH Sample USING COVERING INDEX Sample.idxKey (Key=?)\n", true},
      {"SCAN Sample\nUSE TEMP B-TREE FOR ORDER BY\n", false},
      {"SEARCH Sample USING INDEX Sample.idxNumber (Number=?)\n", false},
  };
  for (const auto& [plan, searches] : plans)
    EXPECT_EQ(SearchesIndex(plan, "idxKey", "Key"), searches) << plan;
}

class RecordsetTest : public DbTest {
 protected:
  // Rows (Key, Number) in this insertion order.
  void Fill(const std::vector<std::pair<Value, Value>>& rows) {
    TableRecordset rs = db_.OpenTable("Sample");
    for (const auto& [key, number] : rows) AddRow(rs, key, number);
  }
};

TEST_F(RecordsetTest, EmptyTableIsEofWithCountZero) {
  TableRecordset rs = db_.OpenTable("Sample");
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(rs.RecordCount(), 0);
  rs.MoveLast();
  EXPECT_TRUE(rs.Eof());
  rs.MoveFirst();
  rs.MoveNext();
  rs.MovePrevious();
  EXPECT_TRUE(rs.Eof());
  EXPECT_THROW(rs.Get("Key"), Error);
  EXPECT_THROW(rs.Edit(), Error);
}

TEST_F(RecordsetTest, StoredOrderIsInsertionOrderForwardAndBackward) {
  Fill({{"c", 1}, {"a", 2}, {"b", 3}});
  TableRecordset rs = db_.OpenTable("Sample");
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{1, 2, 3}));
  rs.MoveNext();  // past the end stays there
  EXPECT_TRUE(rs.Eof());
  rs.MovePrevious();  // from past the end: the last row
  EXPECT_EQ(rs.Get("Number"), Value(3));
  rs.MovePrevious();
  rs.MovePrevious();
  EXPECT_EQ(rs.Get("Number"), Value(1));
  rs.MovePrevious();
  EXPECT_TRUE(rs.Eof());  // before the first row
  rs.MoveNext();
  EXPECT_EQ(rs.Get("Number"), Value(1));
  rs.MoveLast();
  EXPECT_EQ(rs.Get("Key"), Value("b"));
}

TEST_F(RecordsetTest, EditsKeepStoredOrderAndTheCurrentRow) {
  Fill({{"a", 1}, {"b", 2}, {"c", 3}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.MoveNext();
  rs.Edit();
  rs.Set("Number", 20);
  rs.Update();
  EXPECT_EQ(rs.Get("Number"), Value(20));
  EXPECT_EQ(rs.Get("Key"), Value("b"));
  rs.MoveFirst();
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{1, 20, 3}));
}

TEST_F(RecordsetTest, LastAddedRowIdIsTheRowIdOfTheLastRowAddedAndNotOfAnEdit) {
  db_.Execute("INSERT INTO Sample (rowid, Key, Number) VALUES (40, 'x', 4)");
  TableRecordset rs = db_.OpenTable("Sample");
  EXPECT_EQ(rs.LastAddedRowId(), 0);
  AddRow(rs, "y", 5);
  rs.MoveFirst();
  rs.Edit();
  rs.Set("Number", 6);
  rs.Update();
  EXPECT_EQ(rs.LastAddedRowId(), 41);
}

TEST_F(RecordsetTest, RowsAddedDuringAWalkDoNotConfuseIt) {
  Fill({{"a", 1}, {"b", 2}});
  TableRecordset walker = db_.OpenTable("Sample");
  TableRecordset writer = db_.OpenTable("Sample");
  std::vector<std::int64_t> seen;
  for (; !walker.Eof(); walker.MoveNext()) {
    const std::int64_t n = walker.Get("Number").AsInteger();
    seen.push_back(n);
    if (n < 3) AddRow(writer, "z", n + 10);  // appended: the walk reaches it
    // A row added through the walker itself does not move it.
    if (n == 1) {
      walker.AddNew();
      walker.Set("Number", 100);
      walker.Update();
      EXPECT_EQ(walker.Get("Number"), Value(1));
    }
  }
  EXPECT_EQ(seen, (Numbers{1, 2, 11, 100, 12}));
}

TEST_F(RecordsetTest, IndexOrderIgnoresCaseKeepsDuplicatesInStoredOrderAndNullsFirst) {
  Fill({{"b", 1}, {"A", 2}, {Value(), 3}, {"a", 4}, {"B", 5}, {Value(), 6}, {"c", 7}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.SetIndex("idxKey");
  rs.MoveFirst();
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{3, 6, 2, 4, 1, 5, 7}));
  // And backwards.
  std::vector<std::int64_t> back;
  for (rs.MoveLast(); !rs.Eof(); rs.MovePrevious()) back.push_back(rs.Get("Number").AsInteger());
  EXPECT_EQ(back, (Numbers{7, 5, 1, 4, 2, 6, 3}));
  // Back to stored order.
  rs.SetIndex("");
  rs.MoveFirst();
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_THROW(rs.SetIndex("idxNoSuch"), Error);
}

TEST_F(RecordsetTest, SeekLandsOnTheFirstDuplicateWithoutRegardToCaseAndWalksOn) {
  Fill({{"K2", 1}, {"k1", 2}, {"K1", 3}, {"k2", 4}, {"k1", 5}, {"K3", 6}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.SetIndex("idxKey");
  rs.Seek("=", "K1");
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{2, 3, 5, 1, 4, 6}));
  rs.Seek("=", "k2");
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Get("Number"), Value(1));
  rs.Seek("=", "k4");
  EXPECT_TRUE(rs.NoMatch());
  EXPECT_TRUE(rs.Eof());
  rs.Seek("=", Value());
  EXPECT_TRUE(rs.NoMatch());
}

struct SeekCase {
  std::string op;
  Value key;
  std::int64_t lands_on;  // Number of the row; 0 for NoMatch
};

class SeekTest : public RecordsetTest, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekTest, LandsOnTheNearestRowInTheDirectionOfTheComparison) {
  // Numbers as keys: 10 (twice), 20, 30 (twice); Null once.
  Fill({{"r1", 20}, {"r2", 10}, {"r3", 30}, {"r4", Value()}, {"r5", 10}, {"r6", 30}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.SetIndex("idxNumber");
  const SeekCase& c = GetParam();
  rs.Seek(c.op, c.key);
  if (c.lands_on == 0) {
    EXPECT_TRUE(rs.NoMatch());
    EXPECT_TRUE(rs.Eof());
  } else {
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Get("Key"), Value("r" + std::to_string(c.lands_on)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Comparisons, SeekTest,
    ::testing::Values(SeekCase{"=", Value(10), 2}, SeekCase{"=", Value(30), 3},
                      SeekCase{"=", Value("0000000020"), 1},  // converted to the Long
                      SeekCase{"=", Value(" 20 "), 1}, SeekCase{"=", Value(20.0), 1},
                      SeekCase{"=", Value("twenty"), 0}, SeekCase{"=", Value("99999999999"), 0},
                      SeekCase{"=", Value(15), 0}, SeekCase{">=", Value(15), 1},
                      SeekCase{">=", Value(10), 2}, SeekCase{">", Value(10), 1},
                      SeekCase{">", Value(30), 0}, SeekCase{"<=", Value(30), 6},
                      SeekCase{"<=", Value(25), 1}, SeekCase{"<", Value(20), 5},
                      SeekCase{"<", Value(10), 0}));

TEST_F(RecordsetTest, SeekConvertsItsKeyToATextField) {
  Fill({{"0012", 1}, {"12", 2}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.SetIndex("idxKey");
  rs.Seek("=", 12);
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Get("Number"), Value(2));
  rs.Seek("=", "0012");
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Get("Number"), Value(1));
}

TEST_F(RecordsetTest, EveryIndexStatementSearchesItsIndex) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  for (const char* index : {"idxKey", "idxNumber"}) {
    rs.SetIndex(index);
    const std::string seek = internal::RecordsetAccess::SeekSql(rs, "=");
    const std::string plan = internal::RecordsetAccess::QueryPlan(rs, seek);
    const std::string field = index == std::string("idxKey") ? "Key" : "Number";
    EXPECT_TRUE(SearchesIndex(plan, index, field)) << plan;
    for (const std::string& sql : internal::RecordsetAccess::IndexWalkSql(rs)) {
      const std::string p = internal::RecordsetAccess::QueryPlan(rs, sql);
      EXPECT_TRUE(Contains(p, std::string("INDEX Sample.") + index)) << sql << "\n" << p;
      EXPECT_FALSE(Contains(p, "TEMP B-TREE")) << sql << "\n" << p;
    }
  }
}

TEST_F(RecordsetTest, WalkingManyDuplicatesIsNotQuadratic) {
  // Each move past a duplicate is one index search, not a scan of the
  // duplicates before it: 20,000 equal keys walk in well under a second.
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  for (int i = 0; i < 20000; ++i) {
    rs.AddNew();
    rs.Set("Key", "same");
    rs.Set("Number", i);
    rs.Update();
  }
  ws_.CommitTrans();
  rs.SetIndex("idxKey");
  rs.Seek("=", "SAME");
  std::int64_t expected = 0;
  bool in_order = true;
  for (; !rs.Eof(); rs.MoveNext()) in_order = in_order && rs.Get("Number") == Value(expected++);
  EXPECT_TRUE(in_order);
  EXPECT_EQ(expected, 20000);
}

TEST_F(RecordsetTest, FieldIndexAndNamesIgnoreCase) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("SAMPLE");
  EXPECT_EQ(rs.FieldIndex("number"), 1);
  EXPECT_EQ(rs.Get(1), Value(1));
  EXPECT_EQ(rs.Get("NUMBER"), Value(1));
  EXPECT_THROW(rs.FieldIndex("Nope"), Error);
  EXPECT_THROW(rs.Get(6), Error);
  EXPECT_THROW(rs.Get(-1), Error);
  // A name whose text changes in place is looked up by its new text.
  std::string name = "Small";
  for (const auto& [spelling, field] : {std::pair{"Small", 2}, {"Ratio", 3}, {"RATIO", 3}}) {
    name.replace(0, name.size(), spelling);
    EXPECT_EQ(rs.FieldIndex(name), field) << spelling;
  }
  name.replace(0, name.size(), "Other");
  EXPECT_THROW(rs.FieldIndex(name), Error);
  EXPECT_THROW(rs.FieldIndex(std::string_view{}), Error);  // a name without text
}

TEST_F(RecordsetTest, MisuseThrowsInsteadOfCrashing) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  EXPECT_THROW(rs.Update(), Error);               // no AddNew or Edit
  EXPECT_THROW(rs.Set("Key", "x"), Error);        // no AddNew or Edit
  EXPECT_THROW(rs.Seek("=", "a"), Error);         // no index
  rs.SetIndex("idxKey");
  EXPECT_THROW(rs.Seek("<>", "a"), Error);        // no such comparison
  rs.MoveLast();
  rs.MoveNext();
  EXPECT_THROW(rs.Edit(), Error);                 // at EOF
  rs.AddNew();
  EXPECT_THROW(rs.MoveFirst(), Error);            // an edit is open
  EXPECT_THROW(rs.Seek("=", "a"), Error);
  EXPECT_TRUE(rs.Editing());
  rs.AddNew();                                    // a new AddNew drops the open one
  rs.CancelUpdate();
  EXPECT_FALSE(rs.Editing());
  EXPECT_EQ(rs.RecordCount(), 1);

  TableRecordset empty;
  EXPECT_THROW(empty.MoveFirst(), Error);
  EXPECT_THROW(empty.Eof(), Error);
  rs.Close();
  EXPECT_THROW(rs.MoveFirst(), Error);
  EXPECT_THROW(rs.RecordCount(), Error);
  rs.Close();  // twice is fine
}

TEST_F(RecordsetTest, ClosingTheDatabaseClosesItsRecordsets) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  SqlRecordset q = db_.OpenSql("SELECT * FROM Sample");
  db_.Close();
  EXPECT_FALSE(db_.IsOpen());
  EXPECT_THROW(rs.MoveNext(), Error);
  EXPECT_THROW(rs.Get("Key"), Error);
  EXPECT_THROW(rs.AddNew(), Error);
  EXPECT_THROW(q.MoveNext(), Error);
  EXPECT_THROW(db_.OpenTable("Sample"), Error);
  EXPECT_THROW(db_.TableDefs(), Error);
  EXPECT_THROW(db_.Execute("DELETE FROM Sample"), Error);
  db_.Close();

  Database none;
  EXPECT_FALSE(none.IsOpen());
  EXPECT_THROW(none.OpenTable("Sample"), Error);
}

TEST_F(RecordsetTest, EditOfARowThatWasRolledBackAwayIsRefused) {
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  rs.AddNew();
  rs.Set("Number", 1);
  rs.Update();
  rs.MoveFirst();
  ws_.Rollback();
  rs.Edit();  // the recordset still shows the row it read
  rs.Set("Number", 2);
  EXPECT_THROW(rs.Update(), Error);
  EXPECT_EQ(rs.RecordCount(), 0);
}

TEST_F(RecordsetTest, AnEditedIndexKeyMovesTheRowInTheWalkAndInEveryIndex) {
  Fill({{"a", 1}, {"b", 2}, {"c", 3}});
  TableRecordset rs = db_.OpenTable("Sample");
  rs.SetIndex("idxKey");
  rs.MoveFirst();
  rs.Edit();
  rs.Set("Key", "bb");
  rs.Update();
  EXPECT_EQ(rs.Get("Key"), Value("bb"));
  rs.MoveNext();  // on from the row's new place
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{3}));
  rs.MoveFirst();
  EXPECT_EQ(NumbersFromHere(rs), (Numbers{2, 1, 3}));
  rs.Seek("=", "a");
  EXPECT_TRUE(rs.NoMatch());
  rs.SetIndex("idxNumber");
  rs.Seek("=", 1);
  EXPECT_EQ(rs.Get("Key"), Value("bb"));
}

TEST_F(RecordsetTest, AnEditWritesTheFieldsSetAndLeavesTheOthers) {
  TableRecordset rs = db_.OpenTable("Sample");
  rs.AddNew();
  for (auto [field, value] : {std::pair<const char*, Value>{"Key", "k"}, {"Number", 7}, {"Small", 8},
                              {"Ratio", 0.5}, {"Precise", 2.25}, {"Note", "n"}})
    rs.Set(field, value);
  rs.Update();
  rs.MoveFirst();
  rs.Edit();
  rs.Set("Small", 9);
  rs.Set("Note", "n");  // as it stands
  rs.Update();
  rs.Edit();  // nothing set
  rs.Update();
  EXPECT_FALSE(rs.Editing());
  TableRecordset check = db_.OpenTable("Sample");
  const std::vector<Value> expected = {"k", 7, 9, 0.5, 2.25, "n"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(check.Get(i), expected[i]) << i;
}

TEST_F(RecordsetTest, AnEditAfterAnotherRecordsetChangedTheRowWritesWhatWasSet) {
  Fill({{"a", 1}});
  TableRecordset first = db_.OpenTable("Sample");
  TableRecordset second = db_.OpenTable("Sample");
  second.Edit();
  second.Set("Number", 2);
  second.Set("Note", "second");
  second.Update();
  first.Edit();  // still shows Number 1
  first.Set("Number", 1);
  first.Update();
  EXPECT_EQ(first.Get("Note"), Value("second"));
  TableRecordset check = db_.OpenTable("Sample");
  EXPECT_EQ(check.Get("Number"), Value(1));
  EXPECT_EQ(check.Get("Note"), Value("second"));
}

TEST_F(RecordsetTest, AnEditAfterAnotherProgramChangedTheRowBetweenCommitsWritesWhatWasSet) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.Flush();  // the file is unlocked: another program may write now
  {
    Workspace other;
    other.OpenDatabase(path_).Execute("UPDATE Sample SET Number = 5, Key = 'z'");
  }
  rs.Edit();  // still shows Number 1
  rs.Set("Number", 1);
  rs.Update();
  EXPECT_EQ(rs.Get("Key"), Value("z"));
  ws_.Flush();
  TableRecordset check = db_.OpenTable("Sample");
  EXPECT_EQ(check.Get("Number"), Value(1));
}

TEST_F(RecordsetTest, AnEditWhoseWriteCompletedAGroupLeavesTheRowOpenToOtherPrograms) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.SetGroupLimit(1);  // every write outside a transaction is a real commit
  rs.Edit();
  rs.Set("Number", 2);
  rs.Update();
  {
    Workspace other;
    other.OpenDatabase(path_).Execute("UPDATE Sample SET Number = 5");
  }
  rs.Edit();  // still shows Number 2
  rs.Set("Number", 2);
  rs.Update();
  TableRecordset check = db_.OpenTable("Sample");
  EXPECT_EQ(check.Get("Number"), Value(2));
}

TEST_F(RecordsetTest, AnEditThatChangesNothingOfADeletedRowIsRefused) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  db_.Execute("DELETE FROM Sample");
  rs.Edit();
  EXPECT_THROW(rs.Update(), Error);
  EXPECT_TRUE(rs.Eof());
}

TEST_F(RecordsetTest, ARolledBackEditLeavesTheRowAsItWas) {
  Fill({{"a", 1}});
  TableRecordset rs = db_.OpenTable("Sample");
  ws_.BeginTrans();
  rs.Edit();
  rs.Set("Number", 2);
  rs.Update();
  ws_.Rollback();
  rs.Edit();  // the recordset still shows Number 2
  rs.Set("Number", 2);
  rs.Set("Key", "b");
  rs.Update();
  TableRecordset check = db_.OpenTable("Sample");
  EXPECT_EQ(check.Get("Number"), Value(2));
  EXPECT_EQ(check.Get("Key"), Value("b"));
}

TEST_F(RecordsetTest, AnEditedValueThatTheColumnStoresOtherwiseIsShownAsStored) {
  db_.Execute("CREATE TABLE Made (Amount NUMERIC, Label BLOB)");
  db_.Execute("INSERT INTO Made VALUES (1, 'x')");
  TableRecordset rs = db_.OpenTable("Made");
  rs.Edit();
  rs.Set("Amount", "0012");  // a Memo field by its type; the column keeps numbers
  rs.Set("Label", "0012");
  rs.Update();
  EXPECT_EQ(rs.Get("Amount"), Value(std::int64_t{12}));
  EXPECT_EQ(rs.Get("Label"), Value("0012"));
}

// A file made elsewhere may carry triggers that write when a row is written.
TEST_F(RecordsetTest, WritesToATableWithTriggersShowAndUndoWhatTheTriggersDid) {
  db_.Execute("CREATE TABLE Made (Name TEXT(10), Hits INTEGER)");
  db_.Execute("CREATE TABLE Journal (Name TEXT(10))");
  db_.Execute("CREATE TRIGGER MadeHits AFTER UPDATE OF Name ON Made BEGIN "
              "UPDATE Made SET Hits = Hits + 1 WHERE rowid = NEW.rowid; END");
  db_.Execute("CREATE TRIGGER MadeJournal AFTER INSERT ON Made BEGIN "
              "INSERT INTO Journal VALUES (NEW.Name); END");
  db_.Execute("INSERT INTO Made VALUES ('a', 0)");
  TableRecordset rs = db_.OpenTable("Made");
  rs.Edit();
  rs.Set("Name", "b");
  rs.Update();
  EXPECT_EQ(rs.Get("Hits"), Value(1));
  ws_.BeginTrans();
  rs.AddNew();
  rs.Set("Name", "c");
  rs.Update();
  ws_.Rollback();
  EXPECT_EQ(db_.OpenTable("Journal").RecordCount(), 1);  // the first insert's row alone
}

TEST_F(RecordsetTest, QueuedRowsAreConvertedAsSetWouldAndAddedInOrderByOneWrite) {
  TableRecordset rs = db_.OpenTable("Sample");
  const int fields[] = {rs.FieldIndex("Number"), rs.FieldIndex("Key"), rs.FieldIndex("Ratio")};
  std::vector<std::vector<Value>> rows = {{"0012", "b", 2.5}, {7.5, 5, Value()}};
  for (auto& row : rows) rs.QueueNew(fields, row);
  EXPECT_EQ(rs.RecordCount(), 0);
  rs.WriteQueued();
  EXPECT_EQ(rs.QueuedRows(), 0u);
  rs.MoveFirst();
  EXPECT_EQ(rs.Get("Number"), Value(12));
  EXPECT_EQ(rs.Get("Key"), Value("b"));
  EXPECT_EQ(rs.Get("Ratio"), Value(2.5));
  EXPECT_TRUE(rs.Get("Small").IsNull());
  rs.MoveNext();
  EXPECT_EQ(rs.Get("Number"), Value(8));  // halves round to even
  EXPECT_EQ(rs.Get("Key"), Value("5"));
  EXPECT_TRUE(rs.Get("Ratio").IsNull());

  std::vector<Value> too_long = {1, "eleven char", Value()};
  EXPECT_THROW(rs.QueueNew(fields, too_long), ValueRefused);
  EXPECT_EQ(rs.QueuedRows(), 0u);
  for (std::size_t i = 0; i < rs.QueueCapacity(); ++i) {
    std::vector<Value> row = {static_cast<int>(i), "k", Value()};
    rs.QueueNew(fields, row);
  }
  std::vector<Value> one_more = {99, "k", Value()};
  EXPECT_THROW(rs.QueueNew(fields, one_more), Error);
  rs.WriteQueued();
  EXPECT_EQ(rs.RecordCount(), 2 + static_cast<std::int64_t>(rs.QueueCapacity()));
}

TEST_F(RecordsetTest, AQueuedWriteThatFailsStoresNoneOfItsRowsAndEmptiesTheQueue) {
  db_.Execute("CREATE UNIQUE INDEX OneEach ON Sample (Number)");
  TableRecordset rs = db_.OpenTable("Sample");
  const int number[] = {rs.FieldIndex("Number")};
  auto queue = [&](int n) {
    Value v[] = {n};
    rs.QueueNew(number, v);
  };
  for (int n : {1, 2, 1}) queue(n);
  EXPECT_THROW(rs.WriteQueued(), Error);
  EXPECT_EQ(rs.QueuedRows(), 0u);
  EXPECT_EQ(rs.RecordCount(), 0);
  queue(3);
  rs.WriteQueued();
  EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(RecordsetTest, ATableWithoutRowIdsIsNotOpened) {
  db_.Execute("CREATE TABLE Keyed (Code TEXT PRIMARY KEY) WITHOUT ROWID");
  EXPECT_THROW(db_.OpenTable("Keyed"), Error);
  EXPECT_NO_THROW(db_.OpenTable("Sample"));
}

}  // namespace
}  // namespace morvane::db::testing
