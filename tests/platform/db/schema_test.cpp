// Table definitions: creation, reading back, and files made elsewhere.
#include <SQLiteCpp/Database.h>

#include <fstream>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

TEST_F(DbTest, TableDefsReadBackWhatWasCreated) {
  const std::vector<TableDef> tables = db_.TableDefs();
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0], SampleTable());
}

TEST_F(DbTest, TablesListInCreationOrderWithTheirNamesAsCreated) {
  const std::vector<std::string> names = {"Zeta", "Units Counts Table", "Group", "alpha", "Constraint"};
  for (const auto& name : names) {
    TableDef t{name, {{"Select", FieldType::kText, 5}, {"Order", FieldType::kLong, 0}}, {{"idxOrder", "order"}}};
    db_.AppendTable(t);
  }
  std::vector<std::string> listed;
  for (const auto& t : db_.TableDefs()) listed.push_back(t.name);
  std::vector<std::string> expected = {"Sample"};
  expected.insert(expected.end(), names.begin(), names.end());
  EXPECT_EQ(listed, expected);

  // Names with blanks and keywords work for every use, in any letter case.
  TableRecordset rs = db_.OpenTable("units counts table");
  EXPECT_EQ(rs.Definition().name, "Units Counts Table");
  rs.AddNew();
  rs.Set("select", "x");
  rs.Set("ORDER", 5);
  rs.Update();
  rs.SetIndex("IDXORDER");
  rs.Seek("=", 5);
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Get("Select"), Value("x"));
  // The index covers the field as the table spells it.
  EXPECT_EQ(rs.Definition().indexes[0], (IndexDef{"idxOrder", "Order"}));

  TableRecordset group = db_.OpenTable("Group");
  EXPECT_EQ(group.RecordCount(), 0);
}

TEST_F(DbTest, IndexNamesRepeatAcrossTables) {
  for (const char* name : {"DalkMain", "DalkSite", "DalkForm312"})
    db_.AppendTable({name, {{"FilingKey", FieldType::kLong, 0}}, {{"idxFilingKey", "FilingKey"}}});
  for (const char* name : {"DalkMain", "DalkSite", "DalkForm312"}) {
    auto t = db_.FindTable(name);
    ASSERT_TRUE(t);
    ASSERT_EQ(t->indexes.size(), 1u);
    EXPECT_EQ(t->indexes[0].name, "idxFilingKey");
    TableRecordset rs = db_.OpenTable(name);
    rs.AddNew();
    rs.Set("FilingKey", 77);
    rs.Update();
    rs.SetIndex("idxFilingKey");
    rs.Seek("=", 77);
    EXPECT_FALSE(rs.NoMatch()) << name;
  }
  EXPECT_FALSE(db_.FindTable("NoSuchTable"));
  EXPECT_THROW(db_.OpenTable("NoSuchTable"), Error);
}

struct BadTableCase {
  std::string why;
  TableDef table;
};

class AppendTableRefusalTest : public DbTest, public ::testing::WithParamInterface<BadTableCase> {};

TEST_P(AppendTableRefusalTest, RefusesAndLeavesNothing) {
  const auto before = db_.TableDefs();
  EXPECT_THROW(db_.AppendTable(GetParam().table), Error) << GetParam().why;
  EXPECT_EQ(db_.TableDefs(), before);
  // Nothing half-made stays in the file either (no orphan index).
  SqlRecordset q = db_.OpenSql("SELECT count(*) FROM sqlite_schema");
  EXPECT_EQ(q.Get(0), Value(3));  // Sample and its two indexes
}

const FieldDef kA{"A", FieldType::kText, 5};

INSTANTIATE_TEST_SUITE_P(
    Definitions, AppendTableRefusalTest,
    ::testing::Values(
        BadTableCase{"exists", SampleTable()},
        BadTableCase{"exists, other case", SampleTable("SAMPLE")},
        BadTableCase{"no name", {"", {kA}, {}}},
        BadTableCase{"no fields", {"T", {}, {}}},
        BadTableCase{"field without name", {"T", {{"", FieldType::kLong, 0}}, {}}},
        BadTableCase{"field twice", {"T", {kA, {"a", FieldType::kLong, 0}}, {}}},
        BadTableCase{"text size 0", {"T", {{"A", FieldType::kText, 0}}, {}}},
        BadTableCase{"text size 256", {"T", {{"A", FieldType::kText, 256}}, {}}},
        BadTableCase{"size on a Long", {"T", {{"A", FieldType::kLong, 4}}, {}}},
        BadTableCase{"index on a missing field", {"T", {kA}, {{"idxA", "A"}, {"idxB", "B"}}}},
        BadTableCase{"index twice", {"T", {kA}, {{"idxA", "A"}, {"IDXA", "A"}}}},
        BadTableCase{"index without name", {"T", {kA}, {{"", "A"}}}},
        // Passes the checks; the engine refuses the second index (its stored
        // name is taken by an index of the first table): all or nothing.
        BadTableCase{"engine refuses an index", {"Sample", {kA}, {}}}));

TEST_F(DbTest, AppendTableIsPartOfTheOpenTransaction) {
  ws_.BeginTrans();
  db_.AppendTable(SampleTable("Later"));
  EXPECT_TRUE(db_.FindTable("Later"));
  ws_.Rollback();
  EXPECT_FALSE(db_.FindTable("Later"));
  EXPECT_EQ(db_.TableDefs().size(), 1u);
}

TEST_F(DbTest, EngineRefusalInsideAppendTableUndoesTheTable) {
  // "T.x" as a table name plus index "idx" gives the stored index name
  // "T.x.idx", which the table "T" with index "x.idx" already took.
  db_.AppendTable({"T", {kA}, {{"x.idx", "A"}}});
  const auto before = db_.TableDefs();
  EXPECT_THROW(db_.AppendTable({"T.x", {kA}, {{"idx", "A"}}}), Error);
  EXPECT_EQ(db_.TableDefs(), before);
  EXPECT_FALSE(db_.FindTable("T.x"));
}

// A database written with plain SQL, as the user's antenna-site databases
// may be.
class ForeignDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_ / "AntSite.db";
    SQLite::Database raw(path_.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    raw.exec(
        "CREATE TABLE AntSite_A (TowerSiteInfoA VARCHAR(80), TowerSiteKeyA TEXT, "
        "  AntSite_CountB INT, Height REAL, Extra, Flag CHAR(1), Id INTEGER PRIMARY KEY);"
        "CREATE INDEX idxTowerSiteInfoA ON AntSite_A (TowerSiteInfoA COLLATE NOCASE);"
        "CREATE INDEX \"AntSite_A.idxPair\" ON AntSite_A (TowerSiteKeyA, Height);"
        "CREATE INDEX idxExpr ON AntSite_A (lower(Flag));"
        "CREATE INDEX idxPartial ON AntSite_A (Flag) WHERE Flag IS NOT NULL;"
        "CREATE INDEX idxCount ON AntSite_A (AntSite_CountB);"
        "CREATE TABLE Other (Code TEXT UNIQUE, Name TEXT);"
        "INSERT INTO AntSite_A (TowerSiteInfoA, TowerSiteKeyA, AntSite_CountB) VALUES "
        "  ('40-1-2.0 N|75-1-2.0 W|NAD83|100', 'T000001', 3),"
        "  ('41-0-0.0 N|70-0-0.0 W|NAD27|12', 'T000002', NULL);");
  }

  TempFolder folder_;
  std::filesystem::path path_;
};

TEST_F(ForeignDatabaseTest, ReadsTablesFieldsAndIndexesFromTheFile) {
  Workspace ws;
  Database db = ws.OpenDatabase(path_);
  const auto tables = db.TableDefs();
  ASSERT_EQ(tables.size(), 2u);
  const TableDef expected{
      "AntSite_A",
      {{"TowerSiteInfoA", FieldType::kText, 80},
       {"TowerSiteKeyA", FieldType::kMemo, 0},
       {"AntSite_CountB", FieldType::kLong, 0},
       {"Height", FieldType::kDouble, 0},
       {"Extra", FieldType::kMemo, 0},
       {"Flag", FieldType::kMemo, 0},
       {"Id", FieldType::kLong, 0}},
      // The two-column index on its first column, with its table prefix
      // taken off; expression and partial indexes left out. idxPair keeps its
      // text column's case-sensitive comparison; a number has no case.
      {{"idxTowerSiteInfoA", "TowerSiteInfoA", false},
       {"idxPair", "TowerSiteKeyA", true},
       {"idxCount", "AntSite_CountB", false}}};
  EXPECT_EQ(tables[0], expected);
  // UNIQUE's automatic index is SQLite's own, not one of the table's.
  EXPECT_EQ(tables[1], (TableDef{"Other", {{"Code", FieldType::kMemo, 0}, {"Name", FieldType::kMemo, 0}}, {}}));
}

TEST_F(ForeignDatabaseTest, ReadingLeavesTheFileAsItWas) {
  auto bytes = [&] {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = bytes();
  {
    Workspace ws;
    Database db = ws.OpenDatabase(path_);
    TableRecordset rs = db.OpenTable("AntSite_A");
    rs.SetIndex("idxTowerSiteInfoA");
    rs.Seek(">=", "");
    EXPECT_FALSE(rs.NoMatch());
    EXPECT_EQ(db.OpenSql("SELECT count(*) FROM Other").Get(0), Value(0));
  }
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"AntSite.db"}));
}

TEST_F(ForeignDatabaseTest, SeeksAndEditsWithTheFilesOwnIndexes) {
  Workspace ws;
  Database db = ws.OpenDatabase(path_);
  TableRecordset rs = db.OpenTable("AntSite_A");
  rs.SetIndex("idxTowerSiteInfoA");
  // The index's NOCASE differs from the column's BINARY: still a Seek.
  rs.Seek("=", "40-1-2.0 n|75-1-2.0 w|nad83|100");
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Get("TowerSiteKeyA"), Value("T000001"));
  ws.BeginTrans();
  rs.Edit();
  rs.Set("AntSite_CountB", rs.Get("AntSite_CountB").AsInteger() + 1);
  rs.Update();
  ws.CommitTrans();
  rs.SetIndex("idxPair");
  rs.Seek("=", "T000002");
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_TRUE(rs.Get("AntSite_CountB").IsNull());
  ws.Close();

  SQLite::Database raw(path_.string());
  EXPECT_EQ(raw.execAndGet("SELECT AntSite_CountB FROM AntSite_A WHERE Id = 1").getInt(), 4);
}

}  // namespace
}  // namespace morvane::db::testing
