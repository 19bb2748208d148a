// The bookkeeping rows and the compaction, on a freshly built output database.
#include "run/process_log.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "platform/text/text.h"
#include "platform/ui/recording_ui.h"
#include "run/ktb_database.h"
#include "run/run_context.h"
#include "support/temp_dir.h"

namespace morvane::engine {
namespace {
namespace fs = std::filesystem;

constexpr std::int64_t kLongMax = 2147483647;

// Sets the file's modification time to the given local date and time.
void SetLocalModificationTime(const fs::path& path, int year, int month, int day, int hour,
                              int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  const struct timespec times[2] = {{t, 0}, {t, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class ProcessLogTest : public ::testing::Test {
 protected:
  ProcessLogTest() : run_(ui_, workspace_, Paths()) {}

  void SetUp() override { engine::BuildKtbDatabase(run_); }

  RunPaths Paths() const {
    RunPaths paths;
    paths.table_main = (folder_ / "main.dat").string();
    paths.input_dir = folder_.path().string() + "/";
    paths.output = Output().string();
    return paths;
  }
  fs::path Output() const { return folder_ / "dalkdb.mdb"; }

  // Writes one ProcessLog row as a step does: opens, writes, closes.
  void LogStep() {
    db::Database database = workspace_.OpenDatabase(Output());
    db::TableRecordset process_log = database.OpenTable("ProcessLog");
    WriteProcessLogRecord(run_, process_log);
  }

  // The fields of every row of `table`, in stored order.
  std::vector<std::vector<db::Value>> Rows(const std::string& table) {
    db::Database database = workspace_.OpenDatabase(Output());
    db::TableRecordset rs = database.OpenTable(table);
    std::vector<std::vector<db::Value>> rows;
    for (; !rs.Eof(); rs.MoveNext()) {
      std::vector<db::Value> row;
      for (std::size_t i = 0; i < rs.Definition().fields.size(); ++i)
        row.push_back(rs.Get(static_cast<int>(i)));
      rows.push_back(std::move(row));
    }
    return rows;
  }

  // The compaction's temporary files ("DalkTemp-" and six characters) left in `folder`.
  static std::vector<std::string> TemporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().filename().string().rfind("DalkTemp-", 0) == 0) names.push_back(entry.path().filename());
    return names;
  }

  testing::TempDir folder_;
  ui::RecordingUi ui_;
  db::Workspace workspace_;
  RunContext run_;
};

TEST_F(ProcessLogTest, RowCarriesTheStepsState) {
  run_.step_current = 7;
  run_.log_action_text = "Finished processing  <  address.dat  >  data !";
  run_.input_file_len = 1234;
  run_.record_counter = 56;
  LogStep();

  const auto rows = Rows("ProcessLog");
  ASSERT_EQ(rows.size(), 1u);
  const auto& row = rows[0];
  EXPECT_EQ(row[0], db::Value(7));
  EXPECT_EQ(row[1], db::Value("Finished processing  <  address.dat  >  data !"));
  ASSERT_TRUE(row[2].IsText());
  EXPECT_TRUE(std::regex_match(row[2].Text(),
                               std::regex(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M)")))
      << row[2].Text();
  ASSERT_TRUE(row[3].IsInteger());
  EXPECT_GT(row[3].Integer(), 0);
  EXPECT_LE(row[3].Integer(), static_cast<std::int64_t>(fs::file_size(Output())));
  EXPECT_EQ(row[4], db::Value(1234));
  EXPECT_EQ(row[5], db::Value(56));
}

// Rows still grouped in memory when the step ends count towards the size:
// it is the file's length once they are on disk.
TEST_F(ProcessLogTest, TheSizeIsTakenAfterThePendingRowsAreWritten) {
  const auto before = fs::file_size(Output());
  db::Database database = workspace_.OpenDatabase(Output());  // held open: a close would write them
  db::TableRecordset lice = database.OpenTable("Lice");
  for (int i = 0; i < 2000; ++i) {
    workspace_.BeginTrans();
    lice.AddNew();
    lice.Set("LiceName", std::string(60, 'n'));
    lice.Update();
    workspace_.CommitTrans();
  }
  ASSERT_EQ(fs::file_size(Output()), before);  // still grouped, not on disk
  LogStep();
  const auto after = fs::file_size(Output());
  EXPECT_GT(after, before);
  EXPECT_EQ(Rows("ProcessLog")[0][3], db::Value(static_cast<std::int64_t>(after)));
}

// Characters, not bytes: the cut falls after the first "é".
TEST_F(ProcessLogTest, ActionTextIsCutToFiftyCharacters) {
  run_.log_action_text = std::string(49, 'x') + "\xC3\xA9\xC3\xA9" + "tail";
  LogStep();
  EXPECT_EQ(Rows("ProcessLog")[0][1], db::Value(std::string(49, 'x') + "\xC3\xA9"));
}

TEST_F(ProcessLogTest, CountsBeyondTheLongRangeAreHeldAtItsEnd) {
  run_.input_file_len = std::int64_t{1} << 31;
  run_.record_counter = 5'000'000'000;
  LogStep();
  const auto row = Rows("ProcessLog")[0];
  EXPECT_EQ(row[4], db::Value(kLongMax));
  EXPECT_EQ(row[5], db::Value(kLongMax));

  EXPECT_EQ(ClampToLong(kLongMax), kLongMax);
  EXPECT_EQ(ClampToLong(kLongMax + 1), kLongMax);
  EXPECT_EQ(ClampToLong(-5'000'000'000), -kLongMax - 1);
}

TEST_F(ProcessLogTest, SameStepNumberTwiceGivesTwoRows) {
  run_.step_current = 40;
  LogStep();
  LogStep();
  EXPECT_EQ(Rows("ProcessLog").size(), 2u);
}

TEST_F(ProcessLogTest, DataSourceRowNamesTheExportAndItsDate) {
  struct Case {
    int year, month, day, hour, minute, second;
    const char* date;
    const char* time;
  };
  folder_.Write("main.dat", "1|x|^|\n");
  for (const Case& c : {Case{2013, 3, 5, 13, 2, 3, "2013.03.05", "1:02:03 PM"},
                        Case{2009, 12, 31, 0, 5, 9, "2009.12.31", "12:05:09 AM"},
                        Case{2013, 3, 22, 10, 15, 30, "2013.03.22", "10:15:30 AM"}}) {
    SCOPED_TRACE(c.date);
    SetLocalModificationTime(folder_ / "main.dat", c.year, c.month, c.day, c.hour, c.minute,
                             c.second);
    WriteDataSourceRecord(run_);
    const auto rows = Rows("DataSource");
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(),
              (std::vector<db::Value>{db::Value("DALK"), db::Value(c.date), db::Value(c.time)}));
  }
  EXPECT_EQ(Rows("ProcessLog").size(), 0u);
}

TEST_F(ProcessLogTest, DataSourceWithoutMainFileNamesIt) {
  try {
    WriteDataSourceRecord(run_);
    FAIL() << "no error reported";
  } catch (const StepError& e) {
    EXPECT_EQ(e.file(), (folder_ / "main.dat").string());
  }
  EXPECT_EQ(Rows("DataSource").size(), 0u);
}

TEST(CompactionResultTextTest, SizesAndRatio) {
  EXPECT_EQ(CompactionResultText(2'000'000, 1'500'000),
            "Uncompressed file size: 2,000,000\nCompressed file size: 1,500,000  |  "
            "Compression ratio: 25.0");
  EXPECT_EQ(CompactionResultText(0, 0),
            "Uncompressed file size: 0\nCompressed file size: 0  |  Compression ratio: 0.0");
  EXPECT_EQ(CompactionResultText(0, 4096),
            "Uncompressed file size: 0\nCompressed file size: 4,096  |  Compression ratio: 0.0");
}

// Rows kept in a table whose stored order differs from its key order, and a
// table emptied before the compaction, so the file has room to shrink.
TEST_F(ProcessLogTest, CompactionKeepsEveryRowInOrder) {
  {
    db::Database database = workspace_.OpenDatabase(Output());
    workspace_.BeginTrans();
    db::TableRecordset kept = database.OpenTable("SpcCndLice");
    db::TableRecordset dropped = database.OpenTable("SpcCndSite");
    for (int i = 0; i < 400; ++i) {
      kept.AddNew();
      kept.Set("CsFnKey", "K" + std::to_string(1000 - i));
      kept.Set("SpecCond", std::string(static_cast<std::size_t>(i % 7) * 100, 'c'));
      kept.Update();
      dropped.AddNew();
      dropped.Set("PathSiteKey", "P" + std::to_string(i));
      dropped.Set("SpecCond", std::string(2000, 'd'));
      dropped.Update();
    }
    workspace_.CommitTrans();
  }
  {
    db::Database database = workspace_.OpenDatabase(Output());
    database.Execute("DELETE FROM \"SpcCndSite\"");
  }
  workspace_.Flush();
  const auto rows_before = Rows("SpcCndLice");
  ASSERT_EQ(rows_before.size(), 400u);
  const auto defs_before = workspace_.OpenDatabase(Output()).TableDefs();
  folder_.Write("DalkTemp.mdb", "the user's own file");
  const std::int64_t size_before = static_cast<std::int64_t>(fs::file_size(Output()));

  ASSERT_TRUE(CompactDalkDatabase(run_, "Compacting DALK database !"));

  const std::int64_t size_after = static_cast<std::int64_t>(fs::file_size(Output()));
  EXPECT_LT(size_after, size_before);
  EXPECT_EQ(testing::TempDir::Read(folder_ / "DalkTemp.mdb"), "the user's own file");
  EXPECT_EQ(TemporariesIn(folder_.path()), std::vector<std::string>{});
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(Rows("SpcCndLice"), rows_before);
  EXPECT_EQ(Rows("SpcCndSite").size(), 0u);
  EXPECT_EQ(workspace_.OpenDatabase(Output()).TableDefs(), defs_before);

  const auto status = ui_.CaptionHistory(ui::kStatusWindow, "lblStatus");
  ASSERT_GE(status.size(), 2u);
  EXPECT_EQ(status[status.size() - 2],
            "Compacting DALK database !\nCurrent file size (bytes):   " +
                text::Format(static_cast<double>(size_before), "###,###,##0") +
                "\n\nPlease wait . . . . ");
  EXPECT_EQ(status.back(), CompactionResultText(size_before, size_after));
}

// The database is still held open: the compaction fails before anything is
// written.
TEST_F(ProcessLogTest, FailedCompactionLeavesTheDatabaseAndTheRunGoesOn) {
  run_.step_current = 37;
  LogStep();
  workspace_.Flush();
  const std::string bytes_before = testing::TempDir::Read(Output());

  {
    db::Database held = workspace_.OpenDatabase(Output());
    EXPECT_FALSE(CompactDalkDatabase(run_, "Compacting DALK database !"));
  }

  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].buttons, ui::Buttons::kOk);
  EXPECT_EQ(ui_.Messages()[0].text.rfind("The output database could not be compacted in the folder " +
                                             folder_.path().string() + ":\n", 0), 0u);
  EXPECT_EQ(testing::TempDir::Read(Output()), bytes_before);

  run_.step_current = 38;
  LogStep();
  const auto rows = Rows("ProcessLog");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], db::Value(37));
  EXPECT_EQ(rows[1][0], db::Value(38));
}

// An output without free pages is not rewritten; the step reports as ever,
// with equal sizes.
TEST_F(ProcessLogTest, AnAlreadyCompactDatabaseIsLeftAsItIsAndReported) {
  LogStep();
  workspace_.Flush();
  struct stat before {};
  ASSERT_EQ(::stat(Output().c_str(), &before), 0);
  const std::string bytes_before = testing::TempDir::Read(Output());

  ASSERT_TRUE(CompactDalkDatabase(run_, "Compacting DALK database !"));

  struct stat after {};
  ASSERT_EQ(::stat(Output().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(std::pair(after.st_mtim.tv_sec, after.st_mtim.tv_nsec),
            std::pair(before.st_mtim.tv_sec, before.st_mtim.tv_nsec));
  EXPECT_TRUE(testing::TempDir::Read(Output()) == bytes_before) << "the database changed";
  EXPECT_EQ(TemporariesIn(folder_.path()), std::vector<std::string>{});
  EXPECT_TRUE(ui_.Messages().empty());
  const std::string size = text::Format(static_cast<double>(bytes_before.size()), "###,###,##0");
  EXPECT_EQ(ui_.CaptionHistory(ui::kStatusWindow, "lblStatus").back(),
            "Uncompressed file size: " + size + "\nCompressed file size: " + size +
                "  |  Compression ratio: 0.0");
}

TEST_F(ProcessLogTest, ThroughASymbolicLinkTheLinksTargetIsCompacted) {
  {  // free pages, so that there is something to compact
    db::Database database = workspace_.OpenDatabase(Output());
    db::TableRecordset rs = database.OpenTable("SpcCndSite");
    for (int i = 0; i < 50; ++i) {
      rs.AddNew();
      rs.Set("SpecCond", std::string(2000, 'd'));
      rs.Update();
    }
    database.Execute("DELETE FROM \"SpcCndSite\"");
  }
  workspace_.Flush();
  fs::create_directory(folder_ / "store");
  const fs::path target = folder_ / "store" / "real.mdb";
  fs::rename(Output(), target);
  fs::create_symlink(target, Output());
  struct stat before {};
  ASSERT_EQ(::stat(target.c_str(), &before), 0);

  ASSERT_TRUE(CompactDalkDatabase(run_, "Compacting DALK database !"));

  EXPECT_TRUE(fs::is_symlink(Output()));
  EXPECT_EQ(fs::read_symlink(Output()), target);
  struct stat after {};
  ASSERT_EQ(::stat(target.c_str(), &after), 0);
  EXPECT_NE(after.st_ino, before.st_ino);  // replaced by its compacted copy
  EXPECT_EQ(TemporariesIn(folder_ / "store"), std::vector<std::string>{});
  EXPECT_EQ(TemporariesIn(folder_.path()), std::vector<std::string>{});
}

TEST_F(ProcessLogTest, AStopDuringCompactionLeavesTheDatabaseAsItWas) {
  {
    db::Database database = workspace_.OpenDatabase(Output());
    db::TableRecordset rs = database.OpenTable("SpcCndLice");
    for (int i = 0; i < 3000; ++i) {
      rs.AddNew();
      rs.Set("CsFnKey", "K" + std::to_string(i));
      rs.Set("SpecCond", std::string(300, 'c'));
      rs.Update();
    }
  }
  workspace_.Flush();
  const std::string bytes_before = testing::TempDir::Read(Output());
  ui_.RequestStop();
  EXPECT_THROW(CompactDalkDatabase(run_, "Compacting DALK database !"), RunStopped);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_TRUE(testing::TempDir::Read(Output()) == bytes_before) << "the database changed";
  EXPECT_EQ(TemporariesIn(folder_.path()), std::vector<std::string>{});
}

TEST_F(ProcessLogTest, CompactionOfAMissingFileIsReported) {
  fs::remove(Output());
  EXPECT_FALSE(CompactDalkDatabase(run_, "Compacting DALK database !"));
  EXPECT_EQ(ui_.Messages().size(), 1u);
  EXPECT_FALSE(fs::exists(Output()));
  EXPECT_EQ(TemporariesIn(folder_.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace morvane::engine
