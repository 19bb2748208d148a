// Step 41: registrants of the Freq rows copied from the registration-number
// database into LiceEinKwd.
#include "convert/registration_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "run/rejected_data.h"
#include "schema/ktb/ktb_tables.h"
#include "support/sql_database.h"
#include "support/temp_dir.h"
#include "support/value_printer.h"

namespace morvane::convert {
namespace {

using db::Value;
using Row = std::vector<Value>;

// 1001 with every field distinct, 2002 with Null values, 3003 with a country
// longer than LiceEinKwd's four characters, 1 the lowest number.
constexpr const char* kRegistrants = R"(
INSERT INTO EinKwdTable (EinKey, KwdKey, EntityName) VALUES ('110000001', 1, 'Aspen Relay');
INSERT INTO EinKwdTable VALUES ('521234567', 1001, 'Alder Uplink Inc', 'Alder Group', 'Corporation',
  'Private', '12 Mast Road', 'Suite 4', 'PO Box 77', 'Dayton', 'OH', '45402', 'USA',
  'noc@alder.example', '937-555-0101', 'CORES', '20090115', '20120301');
INSERT INTO EinKwdTable (EinKey, KwdKey, EntityName, City) VALUES (NULL, 2002, 'Birch Teleport', 'Reno');
INSERT INTO EinKwdTable (EinKey, KwdKey, EntityName, Country) VALUES ('339876543', 3003, 'Cedar Sat', 'CANADA');
)";

const Row kAlder = {Value("521234567"), Value(std::int64_t{1001}), Value("Alder Uplink Inc"),
                    Value("Alder Group"), Value("Corporation"), Value("Private"),
                    Value("12 Mast Road"), Value("Suite 4"), Value("PO Box 77"), Value("Dayton"),
                    Value("OH"), Value("45402"), Value("USA"), Value("noc@alder.example"),
                    Value("937-555-0101"), Value("CORES"), Value("20090115"), Value("20120301"),
                    Value()};

class RegistrationDataTest : public ::testing::Test {
 protected:
  RegistrationDataTest() {
    db::Database db = ws_.CreateDatabase(output_);
    for (const auto& spec : schema::KtbTables())
      if (spec.def.name == "Freq" || spec.def.name == "LiceEinKwd" || spec.def.name == "ProcessLog")
        db.AppendTable(spec.def);
    paths_.output = output_.string();
    run_ = std::make_unique<engine::RunContext>(ui_, ws_, paths_);
    run_->set_rejected(&rejected_);
    run_->step_current = 41;
    run_->input_file_len = 4321;
  }

  void AddFreq(const Value& reg_num, const Value& status = Value("9"), int copies = 1) {
    db::Database db = ws_.OpenDatabase(output_);
    db::TableRecordset freq = db.OpenTable("Freq");
    for (int i = 0; i < copies; ++i) {
      freq.AddNew();
      freq.Set("FreqKey", "F" + std::to_string(++freq_count_));
      freq.Set("CsFnKey", "E0001~SES-1");
      freq.Set("QalRegNum", reg_num);
      freq.Set("StatusCode", status);
      freq.Update();
    }
  }

  void Run() {
    testing::BuildSqlDatabaseFromFile(registration_, "registration/einkwd.sql", kRegistrants);
    PopulateLiceEinKwdTable(*run_, dir_ / "einkwd" / "einkwd.mdb");  // found in any letter case
    ws_.Close();
  }

  std::vector<Row> Rows(const std::string& table) {
    db::Database db = ws_.OpenDatabase(output_);
    db::TableRecordset rs = db.OpenTable(table);
    std::vector<Row> rows;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      Row row;
      for (const auto& f : rs.Definition().fields) row.push_back(rs.Get(f.name));
      rows.push_back(std::move(row));
    }
    return rows;
  }

  std::vector<Value> KwdKeys() {
    std::vector<Value> keys;
    for (const Row& row : Rows("LiceEinKwd")) keys.push_back(row[1]);
    return keys;
  }

  std::vector<std::string> RejectedLines() {
    rejected_.Close();
    std::istringstream in(testing::TempDir::Read(dir_ / "baddata.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testing::TempDir dir_;
  std::filesystem::path output_ = dir_ / "dalkdb.mdb";
  std::filesystem::path registration_ = dir_ / "EinKwd" / "EinKwd.MDB";
  db::Workspace ws_;
  ui::RecordingUi ui_;
  engine::RunPaths paths_;
  engine::RejectedData rejected_{dir_ / "baddata.txt"};
  std::unique_ptr<engine::RunContext> run_;
  int freq_count_ = 0;

 private:
  bool made_ = std::filesystem::create_directory(dir_ / "EinKwd");
};

TEST_F(RegistrationDataTest, TheFirstRowsRegistrantIsCopiedWithEveryField) {
  AddFreq(Value("1001"));
  Run();
  EXPECT_EQ(Rows("LiceEinKwd"), std::vector<Row>{kAlder});
  const auto log = Rows("ProcessLog");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0][0], Value(std::int64_t{41}));
  EXPECT_EQ(log[0][1], Value("Lice data!"));
  EXPECT_EQ(log[0][4], Value(std::int64_t{4321}));  // the input size the previous step left
  EXPECT_EQ(log[0][5], Value(std::int64_t{1}));
  EXPECT_EQ(ui_.Caption("frmStatus", "lblStatus"),
            "Processing 'LiceEinKwdTable' data !  Please wait . . . .");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(RegistrationDataTest, OneRowPerNumberAndOnlyForTakenRowsOfKnownNumbers) {
  AddFreq(Value("2002"), Value("9"), 10);
  AddFreq(Value("4004"));               // not in the registration database
  AddFreq(Value("1001"), Value("2"));   // not an active assignment
  AddFreq(Value("0000000000"));
  AddFreq(Value("0000000001"));
  AddFreq(Value(""));
  AddFreq(Value("   "));
  AddFreq(Value());
  AddFreq(Value("1001.5"));             // not a whole number: finds nothing
  AddFreq(Value("9999999999"));         // beyond Long
  Run();
  EXPECT_EQ(KwdKeys(), (std::vector<Value>{Value(std::int64_t{1}), Value(std::int64_t{2002})}));
  const auto rows = Rows("LiceEinKwd");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1][0], Value(""));        // a Null EinKey
  EXPECT_EQ(rows[1][2], Value("Birch Teleport"));
  EXPECT_EQ(rows[1][7], Value());          // other Null values stay Null
  EXPECT_EQ(rows[1][9], Value("Reno"));
  EXPECT_EQ(Rows("ProcessLog")[0][5], Value(std::int64_t{19}));
  EXPECT_TRUE(RejectedLines().empty());
}

TEST_F(RegistrationDataTest, ARegistrantTooLongForItsFieldsIsSetAsideAndTheRunGoesOn) {
  AddFreq(Value("3003"), Value("9"), 3);
  AddFreq(Value("1001"));
  Run();
  EXPECT_EQ(KwdKeys(), std::vector<Value>{Value(std::int64_t{1001})});
  rejected_.Write("later step", "key 1", "still open", "value");  // not closed by the step
  const auto lines = RejectedLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("LiceEinKwd\tregistration number 3003\t", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("Country"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].substr(lines[0].size() - 7), "\tCANADA");
  EXPECT_EQ(lines[1], "later step\tkey 1\tstill open\tvalue");
}

TEST_F(RegistrationDataTest, AnEmptyFreqTableLogsNoRowsAtAHundredPercent) {
  Run();
  EXPECT_TRUE(Rows("LiceEinKwd").empty());
  ASSERT_EQ(Rows("ProcessLog").size(), 1u);
  EXPECT_EQ(Rows("ProcessLog")[0][5], Value(std::int64_t{0}));
  EXPECT_EQ(ui_.Caption("frmStatus", "lblPercentCompleted"), "  100.0");
  EXPECT_EQ(ui_.Caption("frmStatus", "lblTotalRecords"), "0");
}

// Only read: opened read-only, a database in WAL mode stays as it is to the byte.
TEST_F(RegistrationDataTest, LeavesTheRegistrationDatabaseAsItIs) {
  testing::BuildSqlDatabaseFromFile(registration_, "registration/einkwd.sql", kRegistrants);
  testing::ExecuteSql(registration_, "PRAGMA journal_mode=WAL");
  const std::string before = testing::TempDir::Read(registration_);
  const auto time = std::filesystem::last_write_time(registration_);
  AddFreq(Value("1001"));
  PopulateLiceEinKwdTable(*run_, registration_);
  ws_.Close();
  EXPECT_EQ(KwdKeys(), std::vector<Value>{Value(std::int64_t{1001})});
  EXPECT_EQ(testing::TempDir::Read(registration_), before);
  EXPECT_EQ(std::filesystem::last_write_time(registration_), time);
  EXPECT_EQ(testing::QueryRows(registration_, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
}

TEST_F(RegistrationDataTest, AMissingDatabaseSaysSoAndWritesNothing) {
  AddFreq(Value("1001"));
  PopulateLiceEinKwdTable(*run_, dir_ / "elsewhere" / "einkwd.mdb");
  ws_.Close();
  EXPECT_EQ(ui_.Caption("frmStatus", "lblStatus"),
            " 'einkwd.mdb' data not found!  Exiting subroutine! ");
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "File not found, exiting  PopulateLiceEinKwdTable");
  EXPECT_EQ(ui_.Messages()[0].title, "Morvane");
  EXPECT_TRUE(Rows("ProcessLog").empty());
  EXPECT_TRUE(Rows("LiceEinKwd").empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "elsewhere"));

  // A database the user named, not the fixed place, stops the step instead.
  paths_.registration_named_by = "--registration-db";
  engine::RunContext named(ui_, ws_, paths_);
  try {
    PopulateLiceEinKwdTable(named, dir_ / "elsewhere" / "einkwd.mdb");
    ADD_FAILURE() << "no error";
  } catch (const engine::StepError& e) {
    EXPECT_EQ(std::string(e.what()), "The registration-number database named by --registration-db was not found: " +
                                         (dir_ / "elsewhere" / "einkwd.mdb").string() + ".");
  }
  EXPECT_EQ(ui_.Messages().size(), 1u);
}

TEST_F(RegistrationDataTest, AnUnusableDatabaseStopsTheStepNamingFileAndWhatIsMissing) {
  struct Case {
    std::string sql;
    const char* missing;
  };
  const std::string fields =
      "EinKey, KwdKey TEXT(10), EntityName, EntityOrg, EntityType, EntitySubType, Street1, Street2, "
      "POBox, City, State, ZipCode, Country, EmailAddress, TelephoneNumber, InputSource, RegDt, UpdDt";
  const Case cases[] = {
      {"CREATE TABLE EinKwd (KwdKey INTEGER);", "no table EinKwdTable"},
      {"CREATE TABLE EinKwdTable (EinKey TEXT(9), KwdKey INTEGER);", "no field EntityName"},
      {"CREATE TABLE EinKwdTable (" + fields + "); CREATE INDEX idxKwdKey ON EinKwdTable (EinKey);",
       "idxKwdKey"},
      {"CREATE TABLE EinKwdTable (" + fields + "); CREATE INDEX idxKwdKey ON EinKwdTable (KwdKey);",
       "letter case"},
  };
  AddFreq(Value("1001"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    std::filesystem::remove(registration_);
    testing::BuildSqlDatabase(registration_, c.sql);
    try {
      PopulateLiceEinKwdTable(*run_, registration_);
      ADD_FAILURE() << "no error";
    } catch (const engine::StepError& e) {
      EXPECT_EQ(e.file(), registration_.string());
      EXPECT_NE(std::string(e.what()).find(c.missing), std::string::npos) << e.what();
    }
    ws_.Close();
  }
  dir_.Write("EinKwd/EinKwd.MDB", "not a database at all");
  EXPECT_THROW(PopulateLiceEinKwdTable(*run_, registration_), engine::StepError);
  ws_.Close();
  // Spelled as neither, it is one of two files there: not "not found".
  dir_.Write("EinKwd/einkwd.mdb", "another file");
  EXPECT_THROW(PopulateLiceEinKwdTable(*run_, dir_ / "EinKwd" / "EINKWD.mdb"), engine::StepError);
  ws_.Close();
  EXPECT_TRUE(Rows("ProcessLog").empty());
  EXPECT_TRUE(Rows("LiceEinKwd").empty());
}

}  // namespace
}  // namespace morvane::convert
