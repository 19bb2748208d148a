// The sample export through all 42 steps, with the databases built from the
// SQL under samples/databases/, as a first ./run has them, and the
// registration-number database given to the headless tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "support/temp_dir.h"

namespace morvane::app {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct CallSignRow {
  std::string call_signs, rad_svc;
  std::int64_t freq_count = 0, call_sign_count = 0;
};

// The antenna-site database's call-sign rows by site key.
std::map<std::string, CallSignRow> CallSignRows(const fs::path& ant_site_db) {
  db::Workspace ws;
  db::Database db = ws.OpenDatabase(ant_site_db);
  std::map<std::string, CallSignRow> rows;
  db::TableRecordset rs = db.OpenTable("AntSiteCallSign");
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
    rows[rs.Get("AntSiteKey").AsText()] = {rs.Get("CallSigns").AsText(), rs.Get("RadSvc").AsText(),
                                           rs.Get("FreqCount").AsInteger(),
                                           rs.Get("CallSignCount").AsInteger()};
  return rows;
}

class WholeRunTest : public ::testing::Test {
 protected:
  WholeRunTest() {
    fs::create_directory(dir_ / "export");
    for (const auto& entry : fs::directory_iterator(MORVANE_SAMPLES_DIR))
      if (entry.path().extension() == ".dat") fs::copy_file(entry.path(), dir_ / "export" / entry.path().filename());
    const std::string scripts = std::string(MORVANE_SOURCE_DIR) + "/scripts/";
    const std::string command = "cd " + dir_.path().string() + " && " + scripts + "sample-databases.sh " +
                                MORVANE_SAMPLES_DIR + "/databases db && " + scripts +
                                "sample-settings.sh . export db > morvane.ini";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }

  void Run() {
    const std::string command = "cd " + dir_.path().string() + " && " + MORVANE_BINARY_DIR +
                                "/morvane-headless --registration-db db/einkwd.mdb morvane.ini > out.txt";
    ASSERT_EQ(std::system(command.c_str()), 0) << TempDir::Read(dir_ / "out.txt");
  }

  TempDir dir_;
};

TEST_F(WholeRunTest, TheSampleExportRunsEveryStepOnceAndFillsTheKtbTables) {
  const TempDir& dir = dir_;
  Run();

  db::Workspace ws;
  db::Database db = ws.OpenDatabase(dir / "dalkdb.mdb");
  std::vector<std::int64_t> steps, expected;
  for (int step = 1; step <= 42; ++step) expected.push_back(step);
  db::TableRecordset log = db.OpenTable("ProcessLog");
  for (log.MoveFirst(); !log.Eof(); log.MoveNext()) steps.push_back(log.Get("ActionCounter").AsInteger());
  EXPECT_EQ(steps, expected);

  for (const char* table : {"Lice", "LiceEinKwd", "Freq", "FreqList", "MfgModList", "AntMain", "SiteInfo",
                            "SiteEsCoord", "SiteSat", "PathRecord", "SpcCndAnt", "SpcCndFreq",
                            "SpcCndLice", "SpcCndSite"})
    EXPECT_GT(db.OpenTable(table).RecordCount(), 0) << table;

  // The sample databases' keys are the ones the site loader stores: sites
  // are found in A and in B, and the others are new to C.
  db::SqlRecordset flags = db.OpenSql("SELECT DISTINCT TowerFlag FROM DalkSite ORDER BY TowerFlag");
  std::string found;
  for (flags.MoveFirst(); !flags.Eof(); flags.MoveNext()) found += flags.Get(0).AsText();
  EXPECT_EQ(found, "123");

  // Each path record's side carries the antenna-site key of its site.
  db::SqlRecordset unkeyed = db.OpenSql(
      "SELECT count(*) FROM PathRecord WHERE (TxAntennaKey IS NOT NULL AND TxAntSiteKey IS NULL) "
      "OR (RxAntennaKey IS NOT NULL AND RxAntSiteKey IS NULL)");
  EXPECT_EQ(unkeyed.Get(0).AsInteger(), 0);
}

TEST_F(WholeRunTest, ASecondRunCountsTheFrequenciesAgainButListsNoCallSignTwice) {
  const auto before = CallSignRows(dir_ / "db" / "AntSiteDb.mdb");  // the sample rows
  Run();
  const auto first = CallSignRows(dir_ / "db" / "AntSiteDb.mdb");
  Run();
  const auto second = CallSignRows(dir_ / "db" / "AntSiteDb.mdb");
  ASSERT_EQ(second.size(), first.size());
  std::int64_t counted = 0;
  for (const auto& [key, row] : first) {
    const std::int64_t earlier = before.count(key) ? before.at(key).freq_count : 0;
    const CallSignRow& again = second.at(key);
    EXPECT_EQ(again.freq_count - row.freq_count, row.freq_count - earlier) << key;
    EXPECT_EQ(again.call_signs, row.call_signs) << key;
    EXPECT_EQ(again.rad_svc, row.rad_svc) << key;
    EXPECT_EQ(again.call_sign_count, row.call_sign_count) << key;
    counted += row.freq_count - earlier;
  }
  EXPECT_GT(counted, 0);
}

}  // namespace
}  // namespace morvane::app
