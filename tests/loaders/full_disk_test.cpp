// An engine error while a loader stores its rows (a full disk, simulated
// with the engine's page limit; a statement that fails): the step stops and
// says which records are not in the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "convert/es_fixture.h"
#include "convert/es_populate.h"
#include "platform/db/database.h"
#include "platform/db/error.h"
#include "support/loader_fixture.h"
#include "support/sql_database.h"

namespace morvane::loaders {
namespace {

// The first record that `message` says is not in DalkPurpose (0 when it
// names none), checked against the table: every record before it is there.
long FirstMissingRecord(testing::LoaderFixture& f, const std::string& message) {
  const std::string said = "DalkPurpose holds the rows of the records of purpose.dat before line ";
  const auto at = message.find(said);
  EXPECT_NE(at, std::string::npos) << message;
  if (at == std::string::npos) return 0;
  const long first_missing = std::stol(message.substr(at + said.size()));
  EXPECT_NE(message.find("the records from line " + std::to_string(first_missing) + " on are not in the database"),
            std::string::npos);
  const auto keys = f.Rows("DalkPurpose", {"FilingKey"});
  EXPECT_EQ(static_cast<long>(keys.size()), first_missing - 1);
  if (!keys.empty()) {
    EXPECT_EQ(keys.back()[0], db::Value(std::int64_t{1000000 + first_missing - 1}));
  }
  return first_missing;
}

TEST(FullDiskTest, TheStepStopsAndNamesTheFirstRecordThatIsNotStored) {
  testing::LoaderFixture f;
  std::string content;
  for (int i = 1; i <= 30000; ++i) content += std::to_string(1000000 + i) + "|" + std::string(80, 'p') + "|^|\n";
  f.WriteDataSet("purpose.dat", content);
  db::Workspace& ws = f.run().workspace();
  ws.SetGroupLimit(1000);
  db::Database limited = ws.OpenDatabase(f.OutputPath());  // the loader shares its connection
  limited.Execute("PRAGMA max_page_count=" +
                  std::to_string(std::filesystem::file_size(f.OutputPath()) / 4096 + 300));

  std::string message;
  try {
    f.Run(testing::LoaderNamed("PopulatePurposeTable"), 26);
  } catch (const db::Error& e) {
    EXPECT_TRUE(e.DiskFull());
    message = e.what();
  }
  limited.Close();
  ws.Close();
  EXPECT_GT(FirstMissingRecord(f, message), 0);
}

// A statement that fails on its own (here a trigger of the file refuses a
// record) stops the step as well; the rows stored with it are undone, and
// the message names the first record that is not in the table. The step
// begins with the commits before it (the trigger's too) waiting in the
// group: a record stored alone, first, is named all the same.
TEST(FullDiskTest, AFailingStatementNamesTheFirstRecordThatIsNotStored) {
  const struct {
    int records, refused;
    long first_missing_from, first_missing_to;
  } cases[] = {
      {200, 150, 101, 150},  // the rows before the progress shown at 100 stay
      {1, 1, 1, 1},
  };
  for (const auto& c : cases) {
    testing::LoaderFixture f;
    std::string content;
    for (int i = 1; i <= c.records; ++i)
      content += std::to_string(1000000 + i) + "|purpose " + std::to_string(i) + "|^|\n";
    f.WriteDataSet("purpose.dat", content);
    db::Workspace& ws = f.run().workspace();
    db::Database output = ws.OpenDatabase(f.OutputPath());
    output.Execute("CREATE TRIGGER Refuse BEFORE INSERT ON DalkPurpose WHEN NEW.FilingKey = " +
                   std::to_string(1000000 + c.refused) + " BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_GT(ws.PendingCommits(), 0u);
    std::string message;
    try {
      f.Run(testing::LoaderNamed("PopulatePurposeTable"), 26);
    } catch (const db::Error& e) {
      message = e.what();
    }
    output.Close();
    ws.Close();
    const long first_missing = FirstMissingRecord(f, message);
    EXPECT_GE(first_missing, c.first_missing_from);
    EXPECT_LE(first_missing, c.first_missing_to);
  }
}

// Runs `step` with `file` limited to `pages` more pages than it has: the
// message of the error that stops it, "" when the step fits. `after_a_step`:
// the step begins as every step but a run's first does, with a commit of the
// step before still waiting in the group, and that first group takes every
// row of the step, so that the stop falls in it.
std::string MessageWithRoomFor(db::Workspace& ws, const std::filesystem::path& file, db::Access access, int pages,
                               bool after_a_step, const std::function<void()>& step) {
  ws.SetGroupLimit(40);
  db::Database limited = ws.OpenDatabase(file, access);  // the step shares its connection
  if (after_a_step) {
    limited.Execute("CREATE TABLE StepBefore (Done INTEGER)");
    ws.SetGroupLimit(100000);
  }
  limited.Execute("PRAGMA max_page_count=" + std::to_string(std::filesystem::file_size(file) / 4096 + pages));
  std::string message;
  try {
    step();
  } catch (const db::Error& e) {
    EXPECT_TRUE(e.DiskFull()) << e.what();
    message = e.what();
  }
  limited.Close();
  try {
    ws.Close();
  } catch (const db::Error&) {  // the group that the stop lost
  }
  return message;
}

std::string LoadWithRoomFor(int pages, bool after_a_step, const char* procedure, const char* file,
                            std::string (*record)(int)) {
  testing::LoaderFixture f;
  std::string content;
  for (int i = 1; i <= 400; ++i) content += record(i);
  f.WriteDataSet(file, content);
  return MessageWithRoomFor(f.run().workspace(), f.OutputPath(), db::Access::kOwn, pages, after_a_step,
                            [&] { f.Run(testing::LoaderNamed(procedure), 20); });
}

// The filings of ConvertWithRoomFor's conversion rows in the query's order
// (by call sign, as text).
std::vector<long> FilingsInQueryOrder(int rows) {
  std::vector<std::string> call_signs;
  for (int i = 1; i <= rows; ++i) call_signs.push_back("KA" + std::to_string(i));
  std::sort(call_signs.begin(), call_signs.end());
  std::vector<long> filings;
  for (const std::string& call_sign : call_signs) filings.push_back(std::stol(call_sign.substr(2)));
  return filings;
}

// `message` checked against what step 39 left in `file`: every conversion row
// before the one it names has all its rows there, none after it has any,
// nor that row itself unless the message says that some of its rows are in;
// when it says the file holds every row, every conversion row has all.
void ExpectRowsAsSaid(const std::filesystem::path& file, bool ant_site_db, int rows, const std::string& message) {
  // Per table of the file: the filing of each row, one row per conversion row.
  const std::vector<std::string> filing_of_each_row =
      ant_site_db ? std::vector<std::string>{"SELECT substr(AntSiteKey, 2) FROM AntSiteInfo",
                                             "SELECT substr(AntSiteKey, 2) FROM AntSiteCallSign"}
                  : std::vector<std::string>{"SELECT substr(PathSiteKey, 3, 10) FROM Freq",
                                             "SELECT CAST(Freq AS INTEGER) FROM FreqList",
                                             "SELECT substr(PathSiteKey, 3, 10) FROM PathRecord",
                                             "SELECT substr(AntSiteKey, 2) FROM SiteInfo",
                                             "SELECT substr(PathAntKey, 3, 10) FROM AntMain",
                                             "SELECT substr(PathSiteKey, 3, 10) FROM SiteSat"};
  std::map<long, std::size_t> held;
  for (const std::string& select : filing_of_each_row)
    for (const std::string& filing : testing::QueryRows(file, select)) ++held[std::stol(filing)];
  const std::vector<long> filings = FilingsInQueryOrder(rows);
  std::size_t whole = 0;  // the conversion rows wholly in the file, from the first
  while (whole < filings.size() && held[filings[whole]] == filing_of_each_row.size()) ++whole;
  std::size_t touched = filings.size();  // the conversion rows with some row in the file, to the last
  while (touched > 0 && held[filings[touched - 1]] == 0) --touched;

  if (message.find("This file holds every row that this step wrote; ") != std::string::npos) {
    EXPECT_EQ(whole, filings.size()) << message;
    return;
  }
  const std::string said = "the conversion's rows before row ";
  const auto at = message.find(said);
  ASSERT_NE(at, std::string::npos) << message;
  const std::size_t named = std::stoul(message.substr(at + said.size()));
  ASSERT_TRUE(named >= 1 && named <= filings.size()) << message;
  const std::string filing = std::to_string(filings[named - 1]);
  EXPECT_NE(message.find("(call sign KA" + filing + ", filing key " + filing + ")"), std::string::npos) << message;
  EXPECT_GE(whole, named - 1) << message;
  const bool some_of_named_in = message.find("; the rows of that row") == std::string::npos;
  EXPECT_LE(touched, some_of_named_in ? named : named - 1) << message;
  if (message.find(" up to the step's last save") != std::string::npos) {
    EXPECT_GE(touched, named) << message;  // those rows were saved
  }
}

std::string ConvertWithRoomFor(int pages, bool in_ant_site_db, int rows = 150, bool after_a_step = false) {
  testing::EsFixture f;
  for (int i = 1; i <= rows; ++i) {
    const std::string n = std::to_string(i);
    f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES (" + n +
          ", '1', 'KA" + n + "', 'SES', 'LIC');"
          "INSERT INTO DalkSite (SiteKey, FilingKey, TowerSiteKey, SiteStreet1) VALUES (" + n + ", " + n + ", 'T" +
          n + "', '" + std::string(80, 'a' + i % 26) + "');"
          "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (" + n + ", " + n + ");"
          "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) VALUES (" + n + ", " +
          n + ", '0000" + n + ".5', 'R')");
  }
  f.CloseDatabase();
  f.run().step_current = 39;
  const engine::RunPaths& paths = f.run().paths();
  const std::filesystem::path file = in_ant_site_db ? paths.ant_site_db : paths.output;
  const std::string message =
      MessageWithRoomFor(f.run().workspace(), file, in_ant_site_db ? db::Access::kUserWrite : db::Access::kOwn, pages,
                         after_a_step, [&] { convert::EsPopulateKtbTables(f.run()); });
  if (!message.empty()) ExpectRowsAsSaid(file, in_ant_site_db, rows, message);
  return message;
}

// The disk is filled at every point of a step, a page at a time, until the
// step fits: each stop says which rows the file holds and which it lacks,
// also when the step's first group of commits holds the step before's.
TEST(FullDiskTest, EveryFullDiskStopOfAStepSaysWhichRowsAreNotInTheFile) {
  const struct {
    const char* step;
    std::function<std::string(int, bool)> run;
    int stride;  // pages added each time
  } cases[] = {
      {"main.dat", [](int pages, bool after_a_step) {
         return LoadWithRoomFor(pages, after_a_step, "PopulateMainTable", "main.dat", [](int i) {
           return std::to_string(i) + "|1|CALL" + std::to_string(i) + std::string(69, '|') + "|^|\n";
         });
       }, 1},
      {"nat_serv.dat", [](int pages, bool after_a_step) {
         return LoadWithRoomFor(pages, after_a_step, "PopulateNatureOfServiceTable", "nat_serv.dat",
                                [](int i) { return std::to_string(i) + "|FSS|^|\n"; });
       }, 1},
      {"step 39, output", [](int pages, bool after_a_step) {
         return ConvertWithRoomFor(pages, false, 150, after_a_step);
       }, 3},
      {"step 39, AntSiteDb", [](int pages, bool after_a_step) {
         return ConvertWithRoomFor(pages, true, 150, after_a_step);
       }, 1},
  };
  for (const auto& c : cases) {
    for (const bool after_a_step : {false, true}) {
      int stops = 0;
      for (int pages = 1; pages < 200; pages += c.stride) {
        const std::string message = c.run(pages, after_a_step);
        if (message.empty()) break;
        ++stops;
        EXPECT_NE(message.find(" holds "), std::string::npos)
            << c.step << (after_a_step ? " after a step, " : ", ") << pages << " pages: " << message;
      }
      EXPECT_GT(stops, 1) << c.step;
    }
  }
}

// A query that gives no row leaves the indexes as the one place where the
// step can find the disk full.
TEST(FullDiskTest, Step39WithoutRowsStoppedAtItsIndexesSaysSo) {
  const std::string message = ConvertWithRoomFor(0, false, 0);
  EXPECT_NE(message.find(" not all of the indexes that it builds at its end are in it."), std::string::npos)
      << message;
}

}  // namespace
}  // namespace morvane::loaders
