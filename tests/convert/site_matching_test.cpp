// Steps 28 and 29 against antenna-site databases built from SQL text.
#include "convert/site_matching.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/loader_fixture.h"
#include "support/sql_database.h"

namespace morvane::convert {
namespace {

using morvane::testing::BuildSqlDatabase;
using morvane::testing::BuildSqlDatabaseFromFile;
using morvane::testing::ExecuteSql;
using morvane::testing::QueryRows;
using morvane::testing::TempDir;
using Rows = std::vector<std::string>;

// The coordinate key of a site at latitude `lat` (the other parts fixed).
std::string Key(const std::string& lat, const std::string& datum = "NAD83") {
  return lat + "|W0770212.5|" + datum + "|0012.3";
}

struct Site {
  int key;
  std::string lat = "N0385351.5", lat_sec = "00140031.5", lon_sec = "-0277332.5";
  std::string nad = "83", street2 = "", city = "Reston";
  std::string flag_sql = "NULL, NULL";  // TowerSiteKey, TowerFlag as SQL
};

class SiteMatchingTest : public ::testing::Test {
 protected:
  SiteMatchingTest() {
    engine::RunPaths paths = fx_.run().paths();
    paths.ant_site_a = Build("a").string();
    paths.ant_site_b = Build("b").string();
    paths.ant_site_c = Build("c").string();
    paths.ant_site_d = Build("d").string();
    paths.ant_site_e = Build("e").string();
    paths.ant_site_db = Build("antsitedb").string();
    fx_.SetPaths(paths);
  }

  std::filesystem::path File(const std::string& name) const { return fx_.dir() / (name + ".mdb"); }
  std::filesystem::path Build(const std::string& name) {
    return BuildSqlDatabaseFromFile(File(name), "antsite/" + name + ".sql");
  }
  void Rebuild(const std::string& name, const std::string& sql) {
    std::filesystem::remove(File(name));
    BuildSqlDatabase(File(name), sql);
  }

  void AddSites(const std::vector<Site>& sites) {
    std::string sql = "BEGIN;";
    for (const Site& s : sites)
      sql += "INSERT INTO DalkSite (SiteKey, FilingKey, SiteStreet1, SiteStreet2, SiteCity, SiteCounty, "
                 "SiteState, SiteElevation, SiteLatDMS, SiteLatSec, SiteLonDMS, SiteLonSec, NadInd, "
                 "TowerSiteKey, TowerFlag) VALUES (" +
                     std::to_string(s.key) + ", 70, '12 Tower Road', '" + s.street2 + "', '" + s.city +
                     "', 'Fairfax', 'VA', '0012.3', '" + s.lat + "', '" + s.lat_sec + "', 'W0770212.5', '" +
                     s.lon_sec + "', '" + s.nad + "', " + s.flag_sql + ");";
    ExecuteSql(fx_.OutputPath(), sql + "COMMIT;");
  }

  void Run28() {
    fx_.run().step_current = 28;
    BuildAntSiteDataSet_A_B(fx_.run());
  }
  void Run29() {
    fx_.run().step_current = 29;
    BuildAntSiteDataSet_C_D_E(fx_.run());
  }
  // A fresh load of the same export: the staging rows lose their keys.
  void Reload() { ExecuteSql(fx_.OutputPath(), "UPDATE DalkSite SET TowerSiteKey = NULL, TowerFlag = NULL"); }

  Rows Sites() { return QueryRows(fx_.OutputPath(), "SELECT TowerSiteKey, TowerFlag FROM DalkSite ORDER BY rowid"); }
  // The entries of C or D: key, searched text, count.
  Rows Entries(const std::string& l) {
    return QueryRows(File(l == "C" ? "c" : "d"),
                     "SELECT TowerSiteKey" + l + ", TowerSiteInfo" + l + ", AntSite_Count" + l + " FROM AntSite_" +
                         l + " ORDER BY rowid");
  }
  std::string Status() { return fx_.ui().Caption("frmStatus", "lblStatus"); }

  morvane::testing::LoaderFixture fx_;
};

TEST_F(SiteMatchingTest, Step28FindsSitesInAThenB) {
  ExecuteSql(File("a"), "INSERT INTO AntSite_A VALUES "
                        "('A-1', lower('" + Key("N0000001.0") + "')), ('A-2', '" + Key("N0000002.0", "NAD27") +
                            "'), ('A-6', '" + Key("N0000006.0") + "'), ('A-7456789012345', '" + Key("N0000007.0") +
                            "'), ('A234567890123456', '" + Key("N0000008.0") + "')");
  ExecuteSql(File("b"), "INSERT INTO AntSite_B VALUES ('B-1', '" + Key("N0000001.0") + "', 7), ('B-8', '" +
                            Key("N0000008.0") + "', 4), ('B-9', '" + Key("N0000009.0") + "', NULL), " +
                            "('B234567890123456', '" + Key("N0000011.0") + "', 2)");
  AddSites({{1, "N0000001.0"},
            {2, "N0000002.0", "1.0", "1.0", "27"},
            {3, "N0000002.0", "1.0", "1.0", ""},
            {4, "N0000002.0", "1.0", "1.0", "99"},
            {5, "N0000002.0"},
            {6, "N0000006.0", "00000000.0", "00000000.0"},
            {7, "N0000007.0", "00000000.0"},
            {8, "N0000008.0"},
            {9, "N0000009.0"},
            {11, "N0000011.0"}});
  Run28();
  EXPECT_EQ(Sites(),
            (Rows{"A-1|1", "A-2|1", "A-2|1", "A-2|1", "|", "|", "A-7456789012345|1", "B-8|2", "B-9|2", "|"}));
  EXPECT_EQ(QueryRows(File("b"), "SELECT AntSite_CountB FROM AntSite_B ORDER BY rowid"), (Rows{"7", "5", "1", "2"}));
  ASSERT_EQ(fx_.ui().Messages().size(), 2u);
  EXPECT_EQ(fx_.ui().Messages()[0].text, "In BuildAntSiteDataSet_A_B : 8");
  // Notes about keys: the sites themselves were stored.
  EXPECT_EQ(fx_.run().rejected()->NoteCount(), 2);
  EXPECT_EQ(fx_.run().rejected()->Count(), 0);
  const Rows rejected = fx_.RejectedLines();
  ASSERT_EQ(rejected.size(), 2u);
  EXPECT_EQ(rejected[0], "AntSite_A " + File("a").string() +
                             "\tsite 8\tthe antenna-site key is longer than 15 characters; looked up in AntSite_B "
                             "instead\tA234567890123456");
  EXPECT_EQ(rejected[1].find("AntSite_B " + File("b").string() + "\tsite 11\t"), 0u) << rejected[1];
  EXPECT_EQ(Status(), "Finished processing  <  " + File("a").string() + "  >  data !\r\n  Step  1  of  12");
  EXPECT_EQ(QueryRows(fx_.OutputPath(), "SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog ORDER BY rowid"),
            (Rows{"28|DalkSite data!|10"}));
}

TEST_F(SiteMatchingTest, Step29KeysEverySiteLeftByStep28) {
  ExecuteSql(File("c"), "INSERT INTO AntSite_C VALUES ('C77 ', '" + Key("N0000003.0") + "|', NULL), "
                        "('C2', 'x', 1), ('C3', 'y', 1), ('C4', 'z', 1), "
                        "('C234567890123456', '" + Key("N0000009.0") + "|', 3)");
  const std::string address = "VA|Fairfax|Reston|12 Tower Road|0012.3|||||||";
  ExecuteSql(File("d"), "INSERT INTO AntSite_D VALUES ('D55   ', '" + address + "', 3)");
  const std::string none = "00000000.0";
  AddSites({{1, "N0000001.0", "1.0", "1.0", "83", "", "Reston", "'A-1', '1'"},
            {2, "N0000002.0", none, none, "83", "", "Reston", "'B-2', '2'"},
            {3, "N0000003.0"},
            {4, "N0000004.0"},
            {5, "N0000004.0"},
            {6, "N0000006.0", none, none},
            {7, "N0000007.0", none, none, "83", "   ", "Herndon"},
            {8, "N0000008.0", none, none, "83", "Suite 5", "Herndon"},
            {9, "N0000009.0"}});
  Run29();
  EXPECT_EQ(Sites(), (Rows{"A-1|1", "B-2|2", "C77 |3", "C1000006|3", "C1000006|3", "D55|4", "D1000002|4",
                           "D1000003|4", "|"}));
  EXPECT_EQ(Entries("C"), (Rows{"C77 |" + Key("N0000003.0") + "||1", "C2|x|1", "C3|y|1", "C4|z|1",
                                "C234567890123456|" + Key("N0000009.0") + "||3",
                                "C1000006|" + Key("N0000004.0") + "||2"}));
  EXPECT_EQ(Entries("D"), (Rows{"D55   |" + address + "|4",
                                "D1000002|VA|Fairfax|Herndon|12 Tower Road|0012.3||||||||1",
                                "D1000003|VA|Fairfax|Herndon|12 Tower Road / Suite 5|0012.3||||||||1"}));
  const Rows rejected = fx_.RejectedLines();
  ASSERT_EQ(rejected.size(), 1u);
  EXPECT_NE(rejected[0].find("\tsite 9\t"), std::string::npos) << rejected[0];
  EXPECT_EQ(Status(), "Finished processing  <  " + File("a").string() + "  >  data !\r\n  Step  1  of  12");
  EXPECT_EQ(fx_.ui().CaptionHistory("frmStatus", "lblStatus")[0],
            "Processing 'Site - AntSite C && D && E' data !  Please wait . . . .");
  EXPECT_EQ(QueryRows(fx_.OutputPath(), "SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog ORDER BY rowid"),
            (Rows{"29|Dalk Site data!|9"}));
}

// The match's count (or new entry) and the site's key are one transaction:
// when the site row refuses its key, the user's database keeps what it had.
TEST_F(SiteMatchingTest, ASiteThatCannotBeKeyedLeavesItsMatchAsItWas) {
  ExecuteSql(File("b"), "INSERT INTO AntSite_B VALUES ('B-1', '" + Key("N0000001.0") + "', 7)");
  ExecuteSql(File("c"), "INSERT INTO AntSite_C VALUES ('C-2', '" + Key("N0000002.0") + "|', 5)");
  ExecuteSql(File("d"), "INSERT INTO AntSite_D VALUES ('D-3', 'VA|Fairfax|Reston|12 Tower Road|0012.3|||||||', 3)");
  ExecuteSql(fx_.OutputPath(), "CREATE TRIGGER refuse BEFORE UPDATE ON DalkSite BEGIN SELECT RAISE(ABORT, 'no'); END");
  const struct {
    const char* name;
    Site site;
    int step;
  } cases[] = {{"counted in B", {1, "N0000001.0"}, 28},
               {"counted in C", {1, "N0000002.0"}, 29},
               {"added to C", {1, "N0000004.0"}, 29},
               {"counted in D", {1, "N0000003.0", "0", "0"}, 29},
               {"added to D", {1, "N0000003.0", "0", "0", "83", "", "Herndon"}, 29}};
  const auto entries = [&] {
    Rows all = QueryRows(File("b"), "SELECT * FROM AntSite_B");
    for (const char* l : {"C", "D"})
      for (const std::string& row : Entries(l)) all.push_back(row);
    return all;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Rows before = entries();
    ExecuteSql(fx_.OutputPath(), "DELETE FROM DalkSite");
    AddSites({c.site});
    EXPECT_ANY_THROW(c.step == 28 ? Run28() : Run29());
    fx_.run().workspace().Close();  // as the run driver does: rolls back, flushes what was committed
    EXPECT_EQ(entries(), before);
  }
}

TEST_F(SiteMatchingTest, NewNumbersFollowTheHighestExistingKeys) {
  ExecuteSql(File("c"), "INSERT INTO AntSite_C VALUES ('C1000050', 'p', 1), ('C20000000', 'q', 1), ('X9999999', 'r', 1)");
  ExecuteSql(File("d"), "INSERT INTO AntSite_D VALUES ('d0000007', 'p', 1), ('D0000001', 'q', 1)");
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0", "0", "0"}});
  Run29();
  EXPECT_EQ(Sites(), (Rows{"C1000051|3", "D1000003|4"}));
}

// The last key of seven digits is given; past it the step stops.
TEST_F(SiteMatchingTest, NoNewKeyPastTheLastOfSevenDigits) {
  ExecuteSql(File("c"), "INSERT INTO AntSite_C VALUES ('C9999998', 'p', 1)");
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0"}});
  try {
    Run29();
    ADD_FAILURE() << "a key past C9999999";
  } catch (const engine::StepError& e) {
    EXPECT_EQ(e.file(), File("c").string());
    EXPECT_STREQ(e.what(), "The database of the setting AntSite_C has no seven-digit key left.");
  }
  fx_.run().workspace().Close();
  EXPECT_EQ(Sites(), (Rows{"C9999999|3", "|"}));
  EXPECT_EQ(Entries("C"), (Rows{"C9999998|p|1", "C9999999|" + Key("N0000001.0") + "||1"}));
}

// Each run adds the same sites to the counts, and finds again the entries
// that the first run added, whether the address key fits D's field or is
// cut to its width.
class TwoRunsTest : public SiteMatchingTest, public ::testing::WithParamInterface<int> {};

TEST_P(TwoRunsTest, RaisesTheCountsAndAddsNoEntryTwice) {
  const int width = GetParam();
  Rebuild("d", "CREATE TABLE AntSite_D (TowerSiteKeyD TEXT(20), TowerSiteInfoD " +
                   (width ? "VARCHAR(" + std::to_string(width) + ")" : std::string("TEXT")) +
                   " COLLATE NOCASE, AntSite_CountD INTEGER);"
                   "CREATE INDEX idxTowerSiteInfoD ON AntSite_D (TowerSiteInfoD COLLATE NOCASE);");
  ExecuteSql(File("b"), "INSERT INTO AntSite_B VALUES ('B-1', '" + Key("N0000001.0") + "', NULL)");
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0"}, {3, "N0000003.0", "0", "0", "83", "Suite 500"}});
  for (int run = 0; run < 2; ++run) {
    Reload();
    Run28();
    Run29();
  }
  EXPECT_EQ(Sites(), (Rows{"B-1|2", "C1000001|3", "D1000001|4"}));
  EXPECT_EQ(QueryRows(File("b"), "SELECT AntSite_CountB FROM AntSite_B"), (Rows{"2"}));
  EXPECT_EQ(Entries("C"), (Rows{"C1000001|" + Key("N0000002.0") + "||2"}));
  const std::string address = "VA|Fairfax|Reston|12 Tower Road / Suite 500|0012.3|||||||";
  EXPECT_EQ(Entries("D"), (Rows{"D1000001|" + (width ? address.substr(0, width) : address) + "|2"}));
  EXPECT_EQ(QueryRows(fx_.OutputPath(), "SELECT ActionCounter FROM ProcessLog ORDER BY rowid"), (Rows{"28", "29", "28", "29"}));
}

INSTANTIATE_TEST_SUITE_P(DWidths, TwoRunsTest, ::testing::Values(0, 30));

// Users often keep several match tables in one file.
TEST_F(SiteMatchingTest, OneFileMayHoldSeveralDatabases) {
  std::string sql;
  for (const char* name : {"antsite/a.sql", "antsite/b.sql", "antsite/c.sql", "antsite/d.sql"})
    sql += morvane::testing::TestDataText(name);
  const std::string all = BuildSqlDatabase(fx_.dir() / "all.mdb", sql).string();
  ExecuteSql(all, "INSERT INTO AntSite_B VALUES ('B-1', '" + Key("N0000001.0") + "', 1)");
  engine::RunPaths paths = fx_.run().paths();
  paths.ant_site_a = paths.ant_site_b = paths.ant_site_c = paths.ant_site_d = all;
  fx_.SetPaths(paths);
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0"}, {3, "N0000003.0", "0", "0"}});
  Run28();
  Run29();
  EXPECT_EQ(Sites(), (Rows{"B-1|2", "C1000001|3", "D1000001|4"}));
  EXPECT_EQ(QueryRows(all, "SELECT AntSite_CountB FROM AntSite_B"), (Rows{"2"}));
}

// A and E are only read: opened read-only, a database in WAL mode stays as
// it is to the byte. B, which step 28 writes, keeps its WAL mode too.
TEST_F(SiteMatchingTest, LeavesTheDatabasesItReadsAsTheyAre) {
  for (const char* name : {"a", "b", "e"}) ExecuteSql(File(name), "PRAGMA journal_mode=WAL");
  ExecuteSql(File("a"), "INSERT INTO AntSite_A VALUES ('A-1', '" + Key("N0000001.0") + "')");
  ExecuteSql(File("b"), "INSERT INTO AntSite_B VALUES ('B-2', '" + Key("N0000002.0") + "', 1)");
  ExecuteSql(File("e"), "INSERT INTO AntSite_E VALUES ('E-1', 'x')");
  const std::string a = TempDir::Read(File("a")), e = TempDir::Read(File("e"));
  const auto a_time = std::filesystem::last_write_time(File("a"));
  const auto e_time = std::filesystem::last_write_time(File("e"));
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0"}});
  Run28();
  Run29();
  EXPECT_EQ(Sites(), (Rows{"A-1|1", "B-2|2"}));
  EXPECT_EQ(TempDir::Read(File("a")), a);
  EXPECT_EQ(TempDir::Read(File("e")), e);
  EXPECT_EQ(std::filesystem::last_write_time(File("a")), a_time);
  EXPECT_EQ(std::filesystem::last_write_time(File("e")), e_time);
  for (const char* name : {"a", "b", "e"})
    EXPECT_EQ(QueryRows(File(name), "PRAGMA journal_mode"), Rows{"wal"}) << name;
  EXPECT_EQ(QueryRows(File("b"), "SELECT AntSite_CountB FROM AntSite_B"), Rows{"2"});
}

TEST_F(SiteMatchingTest, AnEmptySiteTableIsAllDone) {
  engine::RunPaths paths = fx_.run().paths();
  paths.ant_site_e = "";
  fx_.SetPaths(paths);
  Run28();
  EXPECT_EQ(fx_.ui().Caption("frmStatus", "lblPercentCompleted"), "  100.0");
  Run29();
  EXPECT_EQ(fx_.ui().Caption("frmStatus", "lblPercentCompleted"), "  100.0");
  EXPECT_EQ(fx_.ui().CaptionHistory("frmStatus", "lblStatus")[4],
            "Processing 'Site - AntSite C && D && E' data !  Please wait . . . ."
            "\r\nAntSite_E  <    >  names no database: 0 rows counted");
  EXPECT_EQ(QueryRows(fx_.OutputPath(), "SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog ORDER BY rowid"),
            (Rows{"28|DalkSite data!|0", "29|Dalk Site data!|0"}));
}

TEST_F(SiteMatchingTest, ShowsProgressEveryHundredSites) {
  std::vector<Site> sites;
  for (int key = 1; key <= 250; ++key) sites.push_back({key, "N0000001.0", "0", "0"});
  AddSites(sites);
  Run28();
  EXPECT_EQ(fx_.ui().CaptionHistory("frmStatus", "lblRecordCount"), (Rows{"", "100", "200", "250"}));
}

// More sites than the walk reads at a time: every one is walked and keyed.
TEST_F(SiteMatchingTest, KeysEverySiteOfALongTable) {
  std::vector<Site> sites;
  for (int key = 1; key <= 1234; ++key) {
    sites.push_back({key, "N0000001.0", "0", "0"});
    sites.back().city = "Town " + std::to_string(key % 1200);
  }
  AddSites(sites);
  Run28();
  Run29();
  const Rows keyed = Sites();
  ASSERT_EQ(keyed.size(), 1234u);
  EXPECT_EQ(std::set<std::string>(keyed.begin(), keyed.end()).size(), 1200u);
  EXPECT_EQ(keyed[1200], keyed[0]);  // Town 0 again, found in D
  for (const std::string& site : keyed) EXPECT_EQ(site.substr(0, 1) + site.substr(8), "D|4");
  EXPECT_EQ(QueryRows(fx_.OutputPath(), "SELECT RecordsProcessed FROM ProcessLog ORDER BY rowid"),
            (Rows{"1234", "1234"}));
}

// A database that is not as the steps need it stops step 28 before
// anything is written: every user file and DalkSite stay as they were.
enum class Trouble {
  kNone,
  kDamaged,  // every page after the first overwritten: the schema reads, the tables do not
  kLocked,   // another program holds its write lock
  kFifo,     // the setting names a named pipe
};

struct StopCase {
  const char* name;
  const char* database;  // file name without ".mdb"; "einkwd" is the registration database
  const char* path;      // the setting's text; "@" keeps the built file
  const char* sql;       // replaces the database when not empty
  const char* reason;
  Trouble trouble = Trouble::kNone;
};

void DamageBeyondFirstPage(const std::filesystem::path& file) {
  std::string bytes = TempDir::Read(file);
  const std::size_t page = static_cast<unsigned char>(bytes[16]) << 8 | static_cast<unsigned char>(bytes[17]);
  ASSERT_GT(bytes.size(), page);
  for (std::size_t i = page; i < bytes.size(); ++i) bytes[i] = "garbage!"[i % 8];
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// The write lock of a database as another program holds it, until destroyed.
class WriteLock {
 public:
  explicit WriteLock(const std::filesystem::path& file) {
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  }
  ~WriteLock() { sqlite3_close_v2(db_); }  // rolls back

 private:
  sqlite3* db_ = nullptr;
};

class StopTest : public SiteMatchingTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, StopsBeforeAnythingIsWritten) {
  const StopCase& c = GetParam();
  const std::string database = c.database;
  if (database == "einkwd") BuildSqlDatabaseFromFile(File("einkwd"), "registration/einkwd.sql");
  if (*c.sql) Rebuild(c.database, c.sql);
  engine::RunPaths paths = fx_.run().paths();
  paths.registration_database = File("einkwd").string();  // missing unless built: a run goes on without it
  std::string* setting = database == "a"        ? &paths.ant_site_a
                         : database == "b"      ? &paths.ant_site_b
                         : database == "c"      ? &paths.ant_site_c
                         : database == "d"      ? &paths.ant_site_d
                         : database == "e"      ? &paths.ant_site_e
                         : database == "einkwd" ? &paths.registration_database
                                                : &paths.ant_site_db;
  if (std::string(c.path) != "@") *setting = c.path;
  if (c.trouble == Trouble::kFifo) {
    *setting = (fx_.dir() / "pipe.mdb").string();
    ASSERT_EQ(::mkfifo(setting->c_str(), 0600), 0);
  }
  fx_.SetPaths(paths);
  ExecuteSql(File("b"), "INSERT INTO AntSite_B VALUES ('B-1', '" + Key("N0000001.0") + "', 1)");
  AddSites({{1, "N0000001.0"}, {2, "N0000002.0"}});
  if (c.trouble == Trouble::kDamaged) DamageBeyondFirstPage(File(c.database));
  std::optional<WriteLock> lock;
  if (c.trouble == Trouble::kLocked) lock.emplace(File(c.database));
  const char* const names[] = {"a", "b", "c", "d", "e", "antsitedb", "einkwd"};
  std::vector<std::string> before;
  for (const char* name : names) before.push_back(TempDir::Read(File(name)));
  try {
    Run28();
    FAIL() << "no stop";
  } catch (const engine::StepError& e) {
    EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    if (c.trouble != Trouble::kNone) {
      EXPECT_EQ(e.file(), *setting);
    }
  }
  lock.reset();
  fx_.run().workspace().Close();
  std::vector<std::string> after;
  for (const char* name : names) after.push_back(TempDir::Read(File(name)));
  EXPECT_EQ(after, before);
  EXPECT_EQ(Sites(), (Rows{"|", "|"}));
  EXPECT_TRUE(QueryRows(fx_.OutputPath(), "SELECT * FROM ProcessLog").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StopTest,
    ::testing::Values(
        StopCase{"NoPath", "a", "", "", "The setting AntSite_A () names no database file"},
        StopCase{"None", "b", "NONE", "", "The setting AntSite_B (NONE) names no database file"},
        StopCase{"MissingFile", "c", "/nowhere/c.mdb", "", "names a file that does not exist"},
        StopCase{"MissingTable", "d", "@", "CREATE TABLE AntSite_X (x);", "has no table AntSite_D"},
        StopCase{"MissingField", "antsitedb", "@",
                 "CREATE TABLE AntSiteInfo (AntSiteKey TEXT COLLATE NOCASE);"
                 "CREATE INDEX idxAntSiteKey ON AntSiteInfo (AntSiteKey);",
                 "The setting AntSiteDb"},
        StopCase{"MissingIndex", "b", "@", "CREATE TABLE AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB);",
                 "has no index idxTowerSiteInfoB"},
        StopCase{"CaseSensitiveIndex", "a", "@",
                 "CREATE TABLE AntSite_A (TowerSiteKeyA TEXT, TowerSiteInfoA TEXT);"
                 "CREATE INDEX idxTowerSiteInfoA ON AntSite_A (TowerSiteInfoA);",
                 "compares letter case"},
        // Step 29 would stop on these after step 28 had raised B's count.
        StopCase{"LockedC", "c", "@", "", "names a file that cannot be written now", Trouble::kLocked},
        StopCase{"DamagedAntSiteDb", "antsitedb", "@", "", "names a file that is damaged", Trouble::kDamaged},
        StopCase{"DamagedE", "e", "@", "", "names a file that is damaged", Trouble::kDamaged},
        StopCase{"DamagedRegistrationDatabase", "einkwd", "@", "", "einkwd.mdb is damaged", Trouble::kDamaged},
        StopCase{"Folder", "d", "/", "", "The setting AntSite_D (/) names /, which is a folder, not a file"},
        StopCase{"Fifo", "b", "@", "", "which is a named pipe (FIFO), not a file", Trouble::kFifo}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::convert
