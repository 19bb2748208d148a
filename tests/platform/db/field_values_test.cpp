// What Set stores, what it refuses, and what reads back from the file.
#include <cfloat>
#include <cmath>
#include <limits>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

struct StoreCase {
  std::string field;
  Value input;
  Value stored;   // read back after a reopen; ignored when refused
  bool refused = false;
};

void PrintTo(const StoreCase& c, std::ostream* os) {
  *os << c.field << " <- " << (c.input.IsNull() ? "Null" : c.input.AsText());
}

class StoreTest : public DbTest, public ::testing::WithParamInterface<StoreCase> {};

// Each case is set twice: as a copy (the first row) and moved by position
// (the second), since the two take different paths to the field.
TEST_P(StoreTest, StoresConvertedValueOrRefusesNamingTableAndField) {
  const StoreCase& c = GetParam();
  {
    TableRecordset rs = db_.OpenTable("Sample");
    ws_.BeginTrans();
    for (const bool moved : {false, true}) {
      rs.AddNew();
      rs.Set("Key", "row");
      auto set = [&] {
        if (moved) rs.Set(rs.FieldIndex(c.field), Value(c.input));
        else rs.Set(c.field, c.input);
      };
      if (!c.refused) {
        set();
        rs.Update();
        continue;
      }
      try {
        set();
        FAIL() << "accepted, moved: " << moved;
      } catch (const ValueRefused& e) {  // not an engine error: the caller may go on
        EXPECT_EQ(e.table(), "Sample");
        EXPECT_EQ(e.field(), c.field);
        EXPECT_NE(std::string(e.what()).find("Sample." + c.field), std::string::npos) << e.what();
      }
      rs.CancelUpdate();
    }
    if (c.refused) {
      ws_.Rollback();
      EXPECT_EQ(rs.RecordCount(), 0);
      return;
    }
    ws_.CommitTrans();
  }
  ws_.Close();
  Database again = ws_.OpenDatabase(path_);
  TableRecordset rs = again.OpenTable("Sample");
  for (int row = 0; row < 2; ++row, rs.MoveNext()) {
    ASSERT_FALSE(rs.Eof()) << row;
    const Value got = rs.Get(c.field);
    if (c.stored.IsReal() && got.IsReal())
      EXPECT_EQ(got.Real(), c.stored.Real()) << row;  // exact: precision is the point
    else
      EXPECT_EQ(got, c.stored) << row;
  }
}

const std::string kTenWide = "ÄÖÜäöüßéèê";  // 10 characters, 20 bytes

INSTANTIATE_TEST_SUITE_P(
    Text, StoreTest,
    ::testing::Values(StoreCase{"Key", Value("0012"), Value("0012")},
                      StoreCase{"Key", Value("  ab  "), Value("  ab  ")},
                      StoreCase{"Key", Value(""), Value("")},
                      StoreCase{"Key", Value(), Value()},
                      StoreCase{"Key", Value("1234567890"), Value("1234567890")},
                      StoreCase{"Key", Value("12345678901"), {}, true},
                      StoreCase{"Key", Value(kTenWide), Value(kTenWide)},
                      StoreCase{"Key", Value(kTenWide + "x"), {}, true},
                      StoreCase{"Key", Value(7), Value("7")},
                      StoreCase{"Key", Value(12.5), Value("12.5")},
                      StoreCase{"Key", Value(std::numeric_limits<double>::infinity()), {}, true},
                      StoreCase{"Note", Value(std::string(200000, 'm')), Value(std::string(200000, 'm'))},
                      StoreCase{"Note", Value(""), Value("")},
                      StoreCase{"Note", Value("007"), Value("007")}));

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, StoreTest,
    ::testing::Values(StoreCase{"Number", Value(2147483647), Value(2147483647)},
                      StoreCase{"Number", Value(std::int64_t{2147483648}), {}, true},
                      StoreCase{"Number", Value(std::int64_t{-2147483648}), Value(std::int64_t{-2147483648})},
                      StoreCase{"Number", Value(std::int64_t{-2147483649}), {}, true},
                      StoreCase{"Number", Value("0001234567"), Value(1234567)},
                      StoreCase{"Number", Value(" 42 "), Value(42)},
                      StoreCase{"Number", Value("12a"), {}, true},
                      StoreCase{"Number", Value(""), {}, true},
                      StoreCase{"Number", Value(2.5), Value(2)},
                      StoreCase{"Number", Value(3.5), Value(4)},
                      StoreCase{"Number", Value(-2.5), Value(-2)},
                      StoreCase{"Number", Value(3e9), {}, true},
                      StoreCase{"Number", Value(), Value()},
                      StoreCase{"Small", Value(32767), Value(32767)},
                      StoreCase{"Small", Value(32768), {}, true},
                      StoreCase{"Small", Value(-32768), Value(-32768)},
                      StoreCase{"Small", Value(-32769), {}, true},
                      StoreCase{"Small", Value("-00017"), Value(-17)}));

INSTANTIATE_TEST_SUITE_P(
    FloatingPoint, StoreTest,
    ::testing::Values(StoreCase{"Ratio", Value(0.1), Value(static_cast<double>(0.1f))},
                      StoreCase{"Ratio", Value("1.5"), Value(1.5)},
                      StoreCase{"Ratio", Value(3), Value(3.0)},
                      StoreCase{"Ratio", Value("abc"), {}, true},
                      StoreCase{"Ratio", Value(1e39), {}, true},
                      StoreCase{"Precise", Value(0.1), Value(0.1)},
                      StoreCase{"Precise", Value(" 1e-3 "), Value(0.001)},
                      StoreCase{"Precise", Value(std::numeric_limits<double>::quiet_NaN()), {}, true},
                      StoreCase{"Precise", Value("nan"), {}, true},
                      StoreCase{"Precise", Value(), Value()}));

TEST_F(DbTest, UnwrittenFieldsReadBackAsNullNotEmptyText) {
  TableRecordset rs = db_.OpenTable("Sample");
  rs.AddNew();
  rs.Set("Number", 1);
  rs.Update();
  rs.MoveFirst();
  for (const char* field : {"Key", "Small", "Ratio", "Precise", "Note"})
    EXPECT_TRUE(rs.Get(field).IsNull()) << field;
}

TEST_F(DbTest, StoredValuesKeepTheirSqliteStorageClass) {
  TableRecordset rs = db_.OpenTable("Sample");
  rs.AddNew();
  rs.Set("Key", "0012");
  rs.Set("Number", "0012");
  rs.Set("Small", 3);
  rs.Set("Ratio", 1);
  rs.Set("Precise", 2);
  rs.Set("Note", "0.50");
  rs.Update();
  SqlRecordset q = db_.OpenSql(
      "SELECT typeof(Key), typeof(Number), typeof(Small), typeof(Ratio), typeof(Precise), "
      "typeof(Note), Key, Note FROM Sample");
  EXPECT_EQ(q.Get(0), Value("text"));
  EXPECT_EQ(q.Get(1), Value("integer"));
  EXPECT_EQ(q.Get(2), Value("integer"));
  EXPECT_EQ(q.Get(3), Value("real"));
  EXPECT_EQ(q.Get(4), Value("real"));
  EXPECT_EQ(q.Get(5), Value("text"));
  EXPECT_EQ(q.Get(6), Value("0012"));
  EXPECT_EQ(q.Get(7), Value("0.50"));
}

TEST_F(DbTest, AppendChunkAppendsToTheBuffer) {
  TableRecordset rs = db_.OpenTable("Sample");
  rs.AddNew();
  rs.AppendChunk("Note", "abc");  // Null counts as ""
  rs.AppendChunk("Note", "def");
  rs.Set("Key", "");
  rs.AppendChunk("Key", "0123456789");
  EXPECT_THROW(rs.AppendChunk("Key", "x"), Error);  // 11 characters
  EXPECT_THROW(rs.AppendChunk("Number", "1"), Error);
  EXPECT_EQ(rs.Get("Note"), Value("abcdef"));
  rs.Update();
  rs.MoveFirst();
  EXPECT_EQ(rs.Get("Note"), Value("abcdef"));
  EXPECT_EQ(rs.Get("Key"), Value("0123456789"));

  rs.Edit();
  rs.AppendChunk("Note", std::string(100000, 'z'));
  rs.Update();
  EXPECT_EQ(rs.Get("Note").Text().size(), 100006u);
}

}  // namespace
}  // namespace morvane::db::testing
