// The sample export through all 42 steps, with the databases built from the
// SQL under samples/databases/, as a first ./run has them, and the
// registration-number database given to the headless tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "support/temp_dir.h"

namespace morvane::app {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(WholeRunTest, TheSampleExportRunsEveryStepOnceAndFillsTheKtbTables) {
  TempDir dir;
  fs::create_directory(dir / "export");
  for (const auto& entry : fs::directory_iterator(MORVANE_SAMPLES_DIR))
    if (entry.path().extension() == ".dat") fs::copy_file(entry.path(), dir / "export" / entry.path().filename());
  const std::string scripts = std::string(MORVANE_SOURCE_DIR) + "/scripts/";
  const std::string command =
      "cd " + dir.path().string() + " && " + scripts + "sample-databases.sh " + MORVANE_SAMPLES_DIR +
      "/databases db && " + scripts + "sample-settings.sh . export db > morvane.ini && " +
      MORVANE_BINARY_DIR + "/morvane-headless --registration-db db/einkwd.mdb morvane.ini > out.txt";
  ASSERT_EQ(std::system(command.c_str()), 0) << TempDir::Read(dir / "out.txt");

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
}

}  // namespace
}  // namespace morvane::app
