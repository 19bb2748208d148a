// The Convert command and the run driver, headless.
#include "app/convert_command.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/fsuid.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/run_driver.h"
#include "app/settings.h"
#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/db/workspace.h"
#include "platform/files/file_claim.h"
#include "platform/files/path_lock.h"
#include "platform/text/text.h"
#include "platform/ui/recording_ui.h"
#include "platform/ui/stop_signals.h"
#include "run/ktb_database.h"
#include "run/process_log.h"
#include "run/rejected_data.h"
#include "run/staging_database.h"
#include "support/ant_site_db.h"
#include "support/sql_database.h"
#include "support/temp_dir.h"
#include "support/value_printer.h"

namespace morvane::app {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using Kind = ConvertOutcome::Kind;

constexpr const char* kFinished = "F I N I S H E D   build DALK database!";

// Lets every user read everything under `folder` and enter its folders.
void LetOthersRead(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    fs::permissions(entry.path(), fs::perms::others_read | (entry.is_directory() ? fs::perms::others_exec : fs::perms::none),
                    fs::perm_options::add);
  fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
}

// While it lives, this thread's file operations are those of a user who
// may write nothing in `read_only`: root becomes nobody (setfsuid: this
// thread only), any other user loses the right to write `read_only`.
class NobodyFiles {
 public:
  explicit NobodyFiles(fs::path read_only) : read_only_(std::move(read_only)) {
    if (root_) {
      ::setfsgid(65534);
      ::setfsuid(65534);
    } else {
      fs::permissions(read_only_, fs::perms::owner_write, fs::perm_options::remove);
    }
  }
  ~NobodyFiles() {
    if (root_) {
      ::setfsuid(0);
      ::setfsgid(0);
    } else {
      fs::permissions(read_only_, fs::perms::owner_write, fs::perm_options::add);
    }
  }
  NobodyFiles(const NobodyFiles&) = delete;
  NobodyFiles& operator=(const NobodyFiles&) = delete;

 private:
  const bool root_ = ::geteuid() == 0;
  fs::path read_only_;
};

// The bytes of the antenna-site databases that a run writes: B, C, D and
// AntSiteDb.
std::vector<std::string> UserFiles(const engine::RunPaths& paths) {
  std::vector<std::string> bytes;
  for (const std::string& file : {paths.ant_site_b, paths.ant_site_c, paths.ant_site_d, paths.ant_site_db})
    bytes.push_back(TempDir::Read(file));
  return bytes;
}

class ConvertCommandTest : public ::testing::Test {
 protected:
  ConvertCommandTest() {
    fs::create_directory(dir_ / "export");
    for (const auto& entry : fs::directory_iterator(MORVANE_SAMPLES_DIR))
      if (entry.path().extension() == ".dat") fs::copy_file(entry.path(), dir_ / "export" / entry.path().filename());
    paths_.table_main = (dir_ / "export" / "main.dat").string();
    paths_.input_dir = (dir_ / "export").string() + "/";
    paths_.output = (dir_ / "dalkdb.mdb").string();
    testing::BuildAntSiteDatabases(dir_.path(), paths_);
  }

  // Column `field` of every row of `table` in the output database.
  std::vector<db::Value> Column(const std::string& table, const std::string& field) {
    db::Workspace ws;
    db::Database db = ws.OpenDatabase(paths_.output);
    db::TableRecordset rs = db.OpenTable(table);
    std::vector<db::Value> values;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) values.push_back(rs.Get(field));
    return values;
  }

  bool Shown(const std::string& window, const std::string& control, const std::string& text) {
    for (const auto& caption : ui_.CaptionHistory(window, control))
      if (caption == text) return true;
    return false;
  }

  TempDir dir_;
  engine::RunPaths paths_;
  ui::RecordingUi ui_;
};

TEST_F(ConvertCommandTest, NoLeavesEverythingAsItWas) {
  ui_.QueueAnswer(ui::Answer::kNo);
  const auto outcome = ConvertCommand(ui_, paths_);
  EXPECT_EQ(outcome.kind, Kind::kDeclined);
  EXPECT_FALSE(fs::exists(paths_.output));
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[1].text, "Convertion of this data base has been aborted !");
  EXPECT_EQ(ui_.Messages()[1].title, "Initilize " + paths_.output + " ?");
  EXPECT_EQ(ui_.Messages()[0].default_button, 1);  // No
}

// The data set files but main.dat are named in other letter case, as a file
// system that ignores case may leave them.
TEST_F(ConvertCommandTest, AWholeRunLogsEveryStepItHasAndCompactsTwice) {
  for (const auto& entry : fs::directory_iterator(MORVANE_SAMPLES_DIR))
    if (const std::string name = entry.path().filename().string(); name != "main.dat" && name.ends_with(".dat"))
      fs::rename(dir_ / "export" / name, dir_ / "export" / (name == "site.dat" ? "Site.Dat" : text::ToUpper(name)));
  dir_.Write("export/baddata.txt", "left over from an earlier run");
  paths_.registration_database = (dir_ / "no" / "einkwd.mdb").string();
  const auto outcome = ConvertCommand(ui_, paths_);
  ASSERT_EQ(outcome.kind, Kind::kCompleted) << outcome.failure;
  EXPECT_EQ(outcome.rejected, 0);

  // Every step logs itself, except step 41, whose registration-number
  // database is missing: it says so once.
  std::vector<db::Value> expected_steps;
  for (int step = 1; step <= 42; ++step)
    if (step != 41) expected_steps.push_back(db::Value(std::int64_t{step}));
  ASSERT_EQ(ui_.Messages().size(), 2u);  // the question, then the missing database
  EXPECT_EQ(ui_.Messages()[1].text, "File not found, exiting  PopulateLiceEinKwdTable");
  const auto steps = Column("ProcessLog", "ActionCounter");
  EXPECT_EQ(steps, expected_steps);
  const auto texts = Column("ProcessLog", "ActionText");
  const auto inputs = Column("ProcessLog", "InputFileSize");
  ASSERT_EQ(texts.size(), steps.size());
  std::map<std::int64_t, std::string> text_of;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    text_of[steps[i].Integer()] = texts[i].Text();
    if (texts[i].Text() == "Compacting DALK database !") {
      EXPECT_EQ(inputs[i], db::Value(std::int64_t{0}));
    }
  }
  EXPECT_EQ(text_of[38], "Compacting DALK database !");
  EXPECT_EQ(text_of[42], "Compacting DALK database !");
  EXPECT_EQ(text_of[40], text_of[34]);  // the transmitters are loaded twice
  EXPECT_EQ(Column("DataSource", "ExportDatabase"), std::vector<db::Value>{db::Value("DALK")});
  EXPECT_FALSE(Column("DalkSite", "SiteKey").empty());  // from Site.Dat

  EXPECT_EQ(fs::file_size(dir_ / "export" / "baddata.txt"), 0u);
  for (const auto& entry : fs::directory_iterator(dir_.path()))
    EXPECT_EQ(entry.path().filename().string().rfind("DalkTemp", 0), std::string::npos) << entry.path();
  EXPECT_TRUE(Shown("frmStatus", "lblStatus", kFinished));
  // The steps that write no number of their own show theirs all the same.
  for (const char* step : {"28", "29", "38", "41", "42"})
    EXPECT_TRUE(Shown("frmStatus", "lblStepCurrent", step)) << step;
  EXPECT_EQ(ui_.Caption("frmStatus", "lblStepTotal"), "");  // unloaded at the end
  EXPECT_TRUE(Shown("frmStatus", "lblStepTotal", "42"));
  EXPECT_EQ(ui_.Caption("frmMorvane", "lblStatus"), "FINISHED converting the data set!");
  EXPECT_TRUE(ui_.Visible("frmMorvane", "cmdConvert"));
}

TEST_F(ConvertCommandTest, AMainDataSetNotNamedExactlyMainDatIsRefusedBeforeTheQuestion) {
  fs::rename(dir_ / "export" / "main.dat", dir_ / "export" / "Main.dat");
  dir_.Write("dalkdb.mdb", "the last good output");
  const std::string missing =
      "The file 'main.dat' was not found!\r\n\r\nYou need to redefine the path to this file."
      "\r\n\r\nSelect  \"Setup | Modify File Location\"  on the menu bar.";
  const auto outcome = ConvertCommand(ui_, paths_);
  EXPECT_EQ(outcome.kind, Kind::kFailed);
  ASSERT_EQ(ui_.Messages().size(), 1u);  // no question: nothing is deleted
  EXPECT_EQ(ui_.Messages()[0].text, missing);
  EXPECT_EQ(ui_.Messages()[0].title, "Morvane");
  EXPECT_EQ(TempDir::Read(paths_.output), "the last good output");
  EXPECT_FALSE(fs::exists(dir_ / "export" / "baddata.txt"));
  EXPECT_FALSE(Shown("frmStatus", "lblStatus", kFinished));
  EXPECT_EQ(ui_.Caption("frmMorvane", "lblStatus"),
            "The conversion stopped: the file 'main.dat' was not found: " + paths_.table_main + ".");

  // Main checks it too, before any step.
  db::Workspace ws;
  engine::RunContext run(ui_, ws, paths_);
  engine::RejectedData rejected(dir_ / "baddata.txt");
  EXPECT_EQ(RunSteps(run, rejected).failure, "the file 'main.dat' was not found: " + paths_.table_main + ".");
  EXPECT_EQ(ui_.Messages().back().text, missing);
  EXPECT_FALSE(fs::exists(dir_ / "export" / "baddata.txt"));
}

TEST_F(ConvertCommandTest, AMissingOrEmptyOutputPathStopsBeforeTheQuestion) {
  for (const char* output : {"NONE", "", "  "}) {
    SCOPED_TRACE(output);
    ui::RecordingUi ui;
    paths_.output = output;
    const auto outcome = ConvertCommand(ui, paths_);
    EXPECT_EQ(outcome.kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // no question: nothing is deleted
    EXPECT_EQ(ui.Messages()[0].text.rfind("No output database is set", 0), 0u);
    EXPECT_EQ(ui.Caption("frmMorvane", "lblStatus"), "The conversion stopped: no output database is set.");
  }
}

TEST_F(ConvertCommandTest, AnOutputThatIsOneOfTheRunsInputsIsRefusedBeforeTheQuestion) {
  fs::create_directory(dir_ / "reg");
  paths_.registration_database = dir_.Write("reg/einkwd.mdb", "registrants").string();
  fs::create_hard_link(paths_.ant_site_b, dir_ / "other name.mdb");
  fs::remove(dir_ / "export" / "fx.dat");  // made as the output, it would be read as fx.dat
  paths_.settings_file = dir_.Write("morvane.ini", "[OutputFiles]\n").string();
  dir_.Write("export/baddata.txt", "the lines of the last run");
  const struct {
    std::string output;
    fs::path input;
    std::string what;
  } cases[] = {
      {(dir_ / "export" / "SITE.DAT").string(), dir_ / "export" / "site.dat",
       "the data set file site.dat of the export"},
      {(dir_ / "export" / "FX.DAT").string(), dir_ / "export" / "fx.dat", "the data set file fx.dat of the export"},
      {(dir_ / "other name.mdb").string(), paths_.ant_site_b, "the database of the setting AntSite_B"},
      {(dir_ / "REG" / "EinKwd.mdb").string(), paths_.registration_database, "the registration-number database"},
      {(dir_ / "Morvane.INI").string(), paths_.settings_file, "the settings file of Morvane"},
      {(dir_ / "export" / "BadData.txt").string(), dir_ / "export" / "baddata.txt",
       "the rejected-data file baddata.txt of the export"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    ui::RecordingUi ui;
    paths_.output = c.output;
    const std::string before = TempDir::Read(c.input);
    const auto outcome = ConvertCommand(ui, paths_);
    EXPECT_EQ(outcome.kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // no question: nothing is deleted
    EXPECT_EQ(ui.Messages()[0].text.rfind("The output database " + c.output + " is " + c.what + " (" +
                                              c.input.string() + ").", 0), 0u)
        << ui.Messages()[0].text;
    EXPECT_EQ(TempDir::Read(c.input), before);
  }
}

TEST_F(ConvertCommandTest, ASecondConversionIntoTheSameDatabaseIsRefusedAndChangesNothing) {
  dir_.Write("dalkdb.mdb", "built by the first conversion");
  auto first = files::PathLock::TryLock(dir_ / "." / "dalkdb.mdb");
  ASSERT_TRUE(first);
  const auto outcome = ConvertCommand(ui_, paths_);
  EXPECT_EQ(outcome.kind, Kind::kFailed);
  ASSERT_EQ(ui_.Messages().size(), 1u);  // refused before the question
  EXPECT_EQ(ui_.Messages()[0].text.rfind("The output database " + paths_.output +
                                             " is in use by another conversion", 0), 0u);
  EXPECT_EQ(TempDir::Read(dir_ / "dalkdb.mdb"), "built by the first conversion");
  first.reset();
  EXPECT_EQ(ConvertCommand(ui_, paths_).kind, Kind::kCompleted);
}

// The user's databases that a run writes are claimed as its output is: one
// that another conversion holds is named, and nothing changes.
TEST_F(ConvertCommandTest, AUserDatabaseThatAnotherConversionWritesIsRefused) {
  const std::pair<std::string engine::RunPaths::*, const char*> written[] = {
      {&engine::RunPaths::ant_site_b, "AntSite_B"},
      {&engine::RunPaths::ant_site_c, "AntSite_C"},
      {&engine::RunPaths::ant_site_d, "AntSite_D"},
      {&engine::RunPaths::ant_site_db, "AntSiteDb"},
  };
  fs::create_directory(dir_ / "elsewhere");
  for (const auto& [path, setting] : written)
    for (const bool as_file : {false, true}) {
    SCOPED_TRACE(std::string(setting) + (as_file ? " held through a hard link in another folder" : " held by name"));
    ui::RecordingUi ui;
    const std::string bytes_before = TempDir::Read(paths_.*path);
    const fs::path link = dir_ / "elsewhere" / (std::string(setting) + ".mdb");
    if (as_file) fs::create_hard_link(paths_.*path, link);
    auto by_name = as_file ? std::nullopt : files::PathLock::TryLock(paths_.*path);
    auto held = as_file ? files::FileClaim::TryTake(link) : std::nullopt;
    ASSERT_TRUE(by_name || held);
    const auto outcome = ConvertCommand(ui, paths_);
    EXPECT_EQ(outcome.kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // refused before the question
    EXPECT_EQ(ui.Messages()[0].text.rfind("The database " + paths_.*path + " (setting " + setting +
                                              ") is being used by another conversion", 0), 0u)
        << ui.Messages()[0].text;
    EXPECT_TRUE(TempDir::Read(paths_.*path) == bytes_before);
    EXPECT_FALSE(fs::exists(paths_.output));
  }
}

// The claims hold from before the question to the end of the steps, and a
// file that two settings name is claimed once, not refused as another
// conversion's.
TEST_F(ConvertCommandTest, TheRunHoldsItsClaimsToItsEnd) {
  testing::ExecuteSql(paths_.ant_site_b, testing::TestDataText("antsite/c.sql"));
  paths_.ant_site_c = paths_.ant_site_b;
  bool refused_by_name = false, refused_as_file = false;
  const std::vector<Step> steps = {{20, "ClaimsB", [&](engine::RunContext&) {
                                      refused_by_name = !files::PathLock::TryLock(paths_.ant_site_b);
                                      refused_as_file = !files::FileClaim::TryTake(paths_.ant_site_b);
                                    }}};
  const auto outcome = ConvertCommand(ui_, paths_, steps);
  ASSERT_EQ(outcome.kind, Kind::kCompleted) << outcome.failure;
  EXPECT_EQ(ui_.Messages()[0].text.rfind("If you select YES", 0), 0u) << ui_.Messages()[0].text;
  EXPECT_TRUE(refused_by_name);
  EXPECT_TRUE(refused_as_file);
  EXPECT_TRUE(files::FileClaim::TryTake(paths_.ant_site_b));  // released at the end
}

// C and D in one file: under two names (a hard link, or a symbolic link and
// its target) the run completes and stores exactly what it stores when both
// settings give one path.
TEST_F(ConvertCommandTest, OneFileNamedByTwoSettingsIsOneDatabase) {
  testing::ExecuteSql(paths_.ant_site_c, testing::TestDataText("antsite/d.sql"));
  const fs::path empty = dir_ / "c and d.empty";
  fs::copy_file(paths_.ant_site_c, empty);
  fs::create_directory(dir_ / "elsewhere");
  std::vector<std::string> one_path;
  for (const std::string how : {"one path", "a hard link", "a symbolic link"}) {
    SCOPED_TRACE(how);
    fs::copy_file(empty, paths_.ant_site_c, fs::copy_options::overwrite_existing);
    engine::RunPaths paths = paths_;
    paths.ant_site_d = paths_.ant_site_c;
    if (how != "one path") {
      paths.ant_site_d = (dir_ / "elsewhere" / "d.mdb").string();
      fs::remove(paths.ant_site_d);
      if (how == "a hard link") fs::create_hard_link(paths_.ant_site_c, paths.ant_site_d);
      else fs::create_symlink(paths_.ant_site_c, paths.ant_site_d);
    }
    ui::RecordingUi ui;
    const auto outcome = ConvertCommand(ui, paths);
    ASSERT_EQ(outcome.kind, Kind::kCompleted) << outcome.failure;
    std::vector<std::string> stored = testing::QueryRows(paths_.ant_site_c, "SELECT * FROM AntSite_C");
    for (const auto& row : testing::QueryRows(paths.ant_site_d, "SELECT * FROM AntSite_D")) stored.push_back(row);
    for (const auto& row : testing::QueryRows(paths_.output, "SELECT SiteKey, TowerSiteKey, TowerFlag FROM DalkSite ORDER BY SiteKey"))
      stored.push_back(row);
    if (how != "one path") {
      EXPECT_EQ(stored, one_path);
    }
    one_path = stored;
  }
  EXPECT_FALSE(testing::QueryRows(paths_.ant_site_c, "SELECT * FROM AntSite_C").empty());
}

// What would stop a run later is refused before the question, while nothing
// has changed: a user's database that cannot be used, one that may be there
// but cannot be reached, data set files that are missing or may not be read,
// an export folder that cannot take baddata.txt, an output that is not a file
// Convert may replace.
TEST_F(ConvertCommandTest, ARunThatCannotFinishIsRefusedBeforeTheQuestion) {
  dir_.Write("dalkdb.mdb", "the last good output");
  // A copy of the export in the folder `name`, which the run then reads.
  const auto export_copy = [&](engine::RunPaths& p, const char* name) {
    fs::copy(dir_ / "export", dir_ / name);
    p.table_main = (dir_ / name / "main.dat").string();
    p.input_dir = (dir_ / name).string() + "/";
    return dir_ / name;
  };
  enum class As { kOwner, kOther, kOtherMadeByRoot };  // kOther: a user who may not write the export
  fs::create_directory(dir_ / "reg");
  dir_.Write("reg/einkwd.mdb", "one");
  dir_.Write("reg/EinKwd.mdb", "two");
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0644), 0);
  fs::create_symlink(dir_ / "pipe", dir_ / "link to pipe.mdb");
  LetOthersRead(dir_.path());
  const struct {
    const char* name;
    std::function<void(engine::RunPaths&)> set_up;
    std::string message_part;
    As user = As::kOwner;
    bool ant_site_advice = false;  // the advice to choose the database again
    std::string status = "";       // the main window's status line, after "The conversion stopped: "
  } cases[] = {
      {"main data set unreachable",
       [&](engine::RunPaths& p) {
         fs::create_directory(dir_ / "Export");
         p.table_main = (dir_ / "EXPORT" / "main.dat").string();
         p.input_dir = (dir_ / "EXPORT").string() + "/";
       },
       "cannot be reached: the folder "},
      {"B missing", [&](engine::RunPaths& p) { p.ant_site_b = (dir_ / "gone" / "b.mdb").string(); },
       "The setting AntSite_B (" + (dir_ / "gone" / "b.mdb").string() + ") names a file that does not exist.",
       As::kOwner, true},
      {"registration database ambiguous",
       [&](engine::RunPaths& p) { p.registration_database = (dir_ / "reg" / "EINKWD.MDB").string(); },
       "holds both "},
      {"baddata.txt a folder", [&](engine::RunPaths&) { fs::create_directory(dir_ / "export" / "baddata.txt"); },
       "The rejected-data file " + (dir_ / "export" / "baddata.txt").string() + " is a folder, not a file."},
      {"export folder read-only", [](engine::RunPaths&) {},
       "The rejected-data file baddata.txt cannot be made in the export folder " + (dir_ / "export").string() +
           ": permission denied.",
       As::kOther},
      {"data set files missing",
       [&](engine::RunPaths& p) {
         const fs::path copy = export_copy(p, "partial");
         fs::remove(copy / "ptcomm_fx.dat");
         fs::remove(copy / "freq.dat");
         fs::create_directory(copy / "site.dat.d");
         fs::remove(copy / "site.dat");
         fs::create_symlink("site.dat.d", copy / "SITE.DAT");
         fs::resize_file(copy / "purpose.dat", 0);  // empty is fine
       },
       "These data set files of the export in " + (dir_ / "partial").string() + "/ cannot be read:\r\n\r\n"
       "site.dat is a folder, not a file\r\nfreq.dat was not found\r\nptcomm_fx.dat was not found\r\n\r\n",
       As::kOwner, false, "data set files of the export cannot be read: site.dat, freq.dat, ptcomm_fx.dat."},
      {"main.dat may not be read",
       [&](engine::RunPaths& p) { fs::permissions(export_copy(p, "closed") / "main.dat", fs::perms::none); },
       "This data set file of the export in " + (dir_ / "closed").string() +
           "/ cannot be read:\r\n\r\nmain.dat cannot be read: permission denied\r\n\r\n",
       As::kOther, false, "the data set file of the export cannot be read: main.dat."},
      {"registration database named but not there",
       [&](engine::RunPaths& p) {
         p.registration_database = (dir_ / "typo" / "einkwd.mdb").string();
         p.registration_named_by = "--registration-db";
       },
       "The registration-number database named by --registration-db was not found: " +
           (dir_ / "typo" / "einkwd.mdb").string(),
       As::kOwner, false,
       "the registration-number database named by --registration-db was not found: " +
           (dir_ / "typo" / "einkwd.mdb").string() + "."},
      {"another user's baddata.txt in a shared folder",
       [&](engine::RunPaths& p) {
         const fs::path copy = export_copy(p, "shared");
         fs::permissions(copy, fs::perms::all | fs::perms::sticky_bit);
         ASSERT_EQ(::chown(dir_.Write("shared/baddata.txt", "another user's").c_str(), 4321, 4321), 0);
       },
       "The rejected-data file " + (dir_ / "shared" / "baddata.txt").string() +
           " cannot be replaced: it belongs to another user",
       As::kOtherMadeByRoot},
      {"output a link to the baddata.txt to come",
       [&](engine::RunPaths& p) {
         p.output = (dir_ / "link.mdb").string();
         fs::create_symlink(dir_ / "export" / "baddata.txt", p.output);
       },
       "is the rejected-data file baddata.txt of the export"},
      {"output a named pipe", [&](engine::RunPaths& p) { p.output = (dir_ / "pipe").string(); },
       "The output database " + (dir_ / "pipe").string() + " is a named pipe (FIFO), not a file."},
      {"output a link to a named pipe", [&](engine::RunPaths& p) { p.output = (dir_ / "link to pipe.mdb").string(); },
       "is a named pipe (FIFO), not a file."},
      {"output a folder", [&](engine::RunPaths& p) { p.output = (dir_ / "reg").string(); },
       "is a folder, not a file."},
      {"output in a folder that is not there",
       [&](engine::RunPaths& p) { p.output = (dir_ / "no such folder" / "dalkdb.mdb").string(); },
       "The output database " + (dir_ / "no such folder" / "dalkdb.mdb").string() +
           " (the setting OutputPathAndFilename) cannot be made: the folder " + (dir_ / "no such folder").string() +
           " does not exist.\r\n\r\nConvert makes no folder.",
       As::kOwner, false,
       "the folder " + (dir_ / "no such folder").string() + " of the output database does not exist."},
      {"output in a folder that is a file",
       [&](engine::RunPaths& p) { p.output = (dir_ / "dalkdb.mdb" / "dalkdb.mdb").string(); },
       "cannot be made: the folder " + (dir_ / "dalkdb.mdb").string() + " is not a folder."},
      {"AntSite_B a link to baddata.txt",
       [&](engine::RunPaths& p) {
         fs::copy_file(paths_.ant_site_b, dir_ / "export" / "baddata.txt");
         fs::create_symlink(dir_ / "export" / "baddata.txt", dir_ / "b by link.mdb");
         p.ant_site_b = (dir_ / "b by link.mdb").string();
       },
       "The database of the setting AntSite_B (" + (dir_ / "b by link.mdb").string() +
           ") is the rejected-data file baddata.txt of the export (" + (dir_ / "export" / "baddata.txt").string() +
           ").",
       As::kOwner, false,
       "the database of the setting AntSite_B (" + (dir_ / "b by link.mdb").string() +
           ") is the rejected-data file baddata.txt of the export."},
      {"registration database named as BADDATA.TXT",
       [&](engine::RunPaths& p) {
         dir_.Write("export/baddata.txt", "registrants");
         p.registration_database = (dir_ / "export" / "BADDATA.TXT").string();
         p.registration_named_by = "--registration-db";
       },
       "The registration-number database named by --registration-db (" +
           (dir_ / "export" / "baddata.txt").string() + ") is the rejected-data file baddata.txt of the export"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.user == As::kOtherMadeByRoot && ::geteuid() != 0) continue;  // only root gives a file away
    ui::RecordingUi ui;
    engine::RunPaths paths = paths_;
    c.set_up(paths);
    const std::vector<std::string> user_files_before = UserFiles(paths_);
    const fs::path rejected = dir_ / "export" / "baddata.txt";
    const std::string rejected_before = fs::is_regular_file(rejected) ? TempDir::Read(rejected) : "";
    std::optional<NobodyFiles> as_nobody;
    if (c.user != As::kOwner) as_nobody.emplace(dir_ / "export");
    const auto outcome = ConvertCommand(ui, paths);
    as_nobody.reset();
    if (!rejected_before.empty()) {
      EXPECT_EQ(TempDir::Read(rejected), rejected_before);
    }
    fs::remove_all(rejected);
    EXPECT_EQ(outcome.kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // refused before the question
    const std::string& text = ui.Messages()[0].text;
    EXPECT_NE(text.find(c.message_part), std::string::npos) << text;
    EXPECT_EQ(text.find("Choose the database again under  \"Setup | Ant Site Files\"") != std::string::npos,
              c.ant_site_advice)
        << text;
    if (!c.status.empty()) {
      EXPECT_EQ(ui.Caption("frmMorvane", "lblStatus"), "The conversion stopped: " + c.status);
    }
    EXPECT_EQ(TempDir::Read(dir_ / "dalkdb.mdb"), "the last good output");
    EXPECT_TRUE(UserFiles(paths_) == user_files_before);
    EXPECT_EQ(fs::symlink_status(dir_ / "pipe").type(), fs::file_type::fifo);
  }
}

// Sets the file system's attribute `flag` (as chattr does) on `path` while
// it lives, where the file system keeps such attributes and the user may
// set them (root).
class FileAttribute {
 public:
  FileAttribute(fs::path path, int flag) : path_(std::move(path)), flag_(flag), set_(Change(flag)) {}
  ~FileAttribute() {
    if (set_) Change(0);
  }
  FileAttribute(const FileAttribute&) = delete;
  FileAttribute& operator=(const FileAttribute&) = delete;
  bool set() const { return set_; }

 private:
  bool Change(int on) const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool changed = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = (flags & ~flag_) | on;
    changed = changed && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return changed;
  }

  fs::path path_;
  int flag_;
  bool set_;
};

// A baddata.txt that the file system itself keeps from being removed is
// refused before the question, not found after the output has been emptied.
TEST_F(ConvertCommandTest, ABaddataTheFileSystemWillNotLetBeReplacedIsRefused) {
  dir_.Write("dalkdb.mdb", "the last good output");
  const fs::path rejected = dir_.Write("export/baddata.txt", "an earlier run's");
  const std::vector<std::string> user_files_before = UserFiles(paths_);
  fs::create_directory_symlink("export", dir_ / "exp-link");
  const std::string appended = "the file system's append-only attribute is set on its folder " +
                               fs::canonical(dir_ / "export").string() + ", so nothing in that folder may be removed";
  const struct {
    fs::path on;
    int flag;
    std::string why;
    const char* folder = "export";  // the export folder as the settings name it
  } cases[] = {
      {rejected, FS_IMMUTABLE_FL, "the file system's immutable attribute is set on it"},
      {dir_ / "export", FS_APPEND_FL, appended},
      {dir_ / "export", FS_APPEND_FL, appended, "exp-link"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why + " (through " + c.folder + ")");
    const FileAttribute attribute(c.on, c.flag);
    if (!attribute.set()) GTEST_SKIP() << "the immutable and append-only attributes cannot be set here (root on a "
                                          "file system that keeps them can)";
    ui::RecordingUi ui;
    engine::RunPaths paths = paths_;
    paths.table_main = (dir_ / c.folder / "main.dat").string();
    paths.input_dir = (dir_ / c.folder).string() + "/";
    EXPECT_EQ(ConvertCommand(ui, paths).kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // refused before the question
    EXPECT_NE(ui.Messages()[0].text.find("The rejected-data file " + (dir_ / c.folder / "baddata.txt").string() +
                                         " cannot be replaced: " +
                                         c.why + ".\r\n\r\nEvery conversion makes this file anew. Have the attribute"),
              std::string::npos)
        << ui.Messages()[0].text;
    EXPECT_EQ(TempDir::Read(paths_.output), "the last good output");
    EXPECT_EQ(TempDir::Read(rejected), "an earlier run's");
    EXPECT_TRUE(UserFiles(paths_) == user_files_before);
  }
}

// What keeps baddata.txt from being replaced and cannot be told before the
// question (here a file mounted on it, in a mount namespace of a child
// process's own) stops the run after the question, before the output or
// any database is touched.
TEST_F(ConvertCommandTest, ABaddataThatCannotBeReplacedStopsTheRunBeforeTheOutputIsTouched) {
  dir_.Write("dalkdb.mdb", "the last good output");
  const fs::path rejected = dir_.Write("export/baddata.txt", "an earlier run's");
  const fs::path mounted = dir_.Write("mounted.txt", "mounted on baddata.txt");
  const std::vector<std::string> user_files_before = UserFiles(paths_);
  constexpr int kCannotMount = 77;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(mounted.c_str(), rejected.c_str(), nullptr, MS_BIND, nullptr) != 0)
      ::_exit(kCannotMount);
    try {
      ui::RecordingUi ui;
      const auto outcome = ConvertCommand(ui, paths_);
      dir_.Write("report.txt", std::to_string(static_cast<int>(outcome.kind)) + "\n" +
                                   std::to_string(ui.Messages().size()) + "\n" + ui.Messages().back().text + "\n" +
                                   ui.Caption("frmMorvane", "lblStatus"));
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kCannotMount) GTEST_SKIP() << "no mount namespace of the test's own here (root has one)";
  ASSERT_EQ(WEXITSTATUS(status), 0);
  const std::string report = TempDir::Read(dir_ / "report.txt");
  EXPECT_EQ(report.rfind(std::to_string(static_cast<int>(Kind::kFailed)) + "\n2\n" +  // the question, the failure
                             "The rejected-data file could not be made anew; the conversion did not start. The "
                             "output database and every other database are as they were.\r\n\r\nFile: " +
                             rejected.string() + "\r\n\r\nReason: ",
                         0),
            0u)
      << report;
  EXPECT_NE(report.find("\nThe conversion stopped: the rejected-data file could not be made anew: "), std::string::npos)
      << report;
  EXPECT_TRUE(TempDir::Read(paths_.output) == "the last good output") << "the output was touched";
  EXPECT_EQ(TempDir::Read(rejected), "an earlier run's");
  EXPECT_TRUE(UserFiles(paths_) == user_files_before);
}

// Symbolic links lead to the output: one to a file not there yet is built at
// its target, one to an earlier output is asked about and that file built
// anew, and the link stays. A baddata.txt that is a link to a file, or
// another name (a hard link) of the user's database A, is replaced by the
// run's own file; the file it named is left as it was.
TEST_F(ConvertCommandTest, TheOutputIsBuiltBehindItsLinkAndABaddataLinkIsReplaced) {
  const fs::path notes = dir_.Write("notes.txt", "the user's own notes");
  const fs::path target = dir_ / "built" / "dalkdb.mdb";
  fs::create_directory(target.parent_path());
  fs::create_symlink(target, dir_ / "link.mdb");
  paths_.output = (dir_ / "link.mdb").string();
  const std::string a_before = TempDir::Read(paths_.ant_site_a);
  for (const std::string before : {"no output yet", "an earlier output"}) {
    SCOPED_TRACE(before);
    ui::RecordingUi ui;
    fs::remove(dir_ / "export" / "baddata.txt");
    if (before == "no output yet") fs::create_symlink(notes, dir_ / "export" / "baddata.txt");
    else fs::create_hard_link(paths_.ant_site_a, dir_ / "export" / "baddata.txt");
    const auto outcome = ConvertCommand(ui, paths_, {});
    ASSERT_EQ(outcome.kind, Kind::kCompleted) << outcome.failure;
    EXPECT_EQ(ui.Messages()[0].text.rfind("If you select YES", 0), 0u) << ui.Messages()[0].text;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.mdb"));
    EXPECT_EQ(testing::QueryRows(target, "SELECT ExportDatabase FROM DataSource"), std::vector<std::string>{"DALK"});
    EXPECT_EQ(fs::symlink_status(dir_ / "export" / "baddata.txt").type(), fs::file_type::regular);
    EXPECT_EQ(TempDir::Read(notes), "the user's own notes");
    EXPECT_TRUE(TempDir::Read(paths_.ant_site_a) == a_before);
  }
}

// A path setting longer than the system allows is refused, never cut: its
// first 4,095 bytes (the most a path may have) name another file.
TEST_F(ConvertCommandTest, APathSettingLongerThanTheSystemAllowsIsRefusedNotCut) {
  const fs::path victim = dir_.Write("victim.mdb", "the user's own file");
  std::string overlong = dir_.path().string() + "/";
  overlong += std::string(4095 - overlong.size() - victim.filename().string().size(), '/');
  overlong += "victim.mdb/dalkdb.mdb";
  const SettingsFile settings = SettingsFile::AtPath(dir_ / "morvane.ini");
  const std::pair<std::string_view, std::string_view> keys[] = {{kSectionOutputFiles, kKeyOutput},
                                                                {kSectionAntSite, "AntSite_B"}};
  for (const auto& [section, key] : keys) {
    SCOPED_TRACE(key);
    ui::RecordingUi ui;
    ASSERT_TRUE(settings.WriteValue(kSectionOutputFiles, kKeyOutput, paths_.output));
    ASSERT_TRUE(settings.WriteValue(section, key, overlong));
    const auto outcome = ConvertCommand(ui, settings.Read());
    EXPECT_EQ(outcome.kind, Kind::kFailed);
    ASSERT_EQ(ui.Messages().size(), 1u);  // refused before the question
    EXPECT_EQ(ui.Messages()[0].text.rfind("The setting " + std::string(key) + " holds a path of ", 0), 0u)
        << ui.Messages()[0].text;
    EXPECT_TRUE(TempDir::Read(victim) == "the user's own file") << "the file named by the cut path changed";
  }
}

TEST_F(ConvertCommandTest, AStopRequestedDuringTheRunEndsItWithoutTheSuccessTexts) {
  // Stops while the database is built, while a loader runs, and in the
  // first compaction.
  const std::pair<const char*, const char*> stops[] = {
      {"lblStatus", "Building the Data Base structure !"},
      {"lblStepCurrent", " 20"},
      {"lblStepCurrent", "38"},
  };
  for (const auto& [control, caption] : stops) {
    SCOPED_TRACE(caption);
    ui::RecordingUi ui;
    ui.RequestStopAtCaption("frmStatus", control, caption);
    const auto outcome = ConvertCommand(ui, paths_);
    EXPECT_EQ(outcome.kind, Kind::kStopped);
    for (const auto& caption : ui.CaptionHistory("frmStatus", "lblStatus")) EXPECT_NE(caption, kFinished);
    EXPECT_EQ(ui.Caption("frmMorvane", "lblStatus").rfind("The conversion stopped: ", 0), 0u);
    EXPECT_TRUE(ui.Messages().size() == 1u) << "no message but the question";
  }
}

// SIGTERM (the desktop logging out) and SIGINT (Ctrl+C) stop a run as Exit
// does: at its next yield, the open transaction rolled back, the files
// closed, no success text.
TEST_F(ConvertCommandTest, ATerminationSignalStopsTheRunAsExitDoes) {
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    ui::StopSignals signals;
    ui::RecordingUi recording;
    ui::StopOnSignalUi ui(recording, signals);
    const std::vector<Step> steps = {
        {5, "SignalledMidTransaction",
         [signal](engine::RunContext& r) {
           db::Database db = r.workspace().OpenDatabase(r.OutputFile());
           db::TableRecordset rs = db.OpenTable("DalkSection214");
           r.workspace().BeginTrans();
           rs.AddNew();
           rs.Set("FilingKey", db::Value(std::int64_t{5}));
           rs.Update();
           std::raise(signal);
           r.Yield();
           ADD_FAILURE() << "the run went on after the signal";
         }},
    };
    const auto outcome = ConvertCommand(ui, paths_, steps);
    EXPECT_EQ(outcome.kind, Kind::kStopped);
    EXPECT_EQ(signals.Received(), signal);
    EXPECT_FALSE(fs::exists(paths_.output + "-journal"));
    EXPECT_TRUE(Column("DalkSection214", "FilingKey").empty());
    EXPECT_EQ(recording.Caption("frmMorvane", "lblStatus").rfind("The conversion stopped: ", 0), 0u);
    for (const auto& caption : recording.CaptionHistory("frmStatus", "lblStatus")) EXPECT_NE(caption, kFinished);
  }
}

// The driver with steps of the test's own: a failing step ends the run
// cleanly and the message names the step, the file and the reason.
class RunDriverTest : public ConvertCommandTest {
 protected:
  void BuildEmptyDatabase() {
    ui_.QueueAnswer(ui::Answer::kYes);
    ASSERT_EQ(ConvertCommand(ui_, paths_).kind, Kind::kCompleted);
  }

  // Runs `steps` through `ws`: the run stops with one message, whose text
  // is returned.
  std::string MessageOfStoppedRun(db::Workspace& ws, const std::vector<Step>& steps) {
    engine::RunContext run(ui_, ws, paths_);
    const auto before = ui_.Messages().size();
    engine::RejectedData rejected(run.InputFile("baddata.txt"));
    EXPECT_FALSE(RunSteps(run, rejected, steps).completed);
    EXPECT_EQ(ui_.Messages().size(), before + 1);
    return ui_.Messages().back().text;
  }
};

TEST_F(RunDriverTest, AFailingStepStopsTheRunAndKeepsWhatWasCommitted) {
  BuildEmptyDatabase();
  db::Workspace ws;
  engine::RunContext run(ui_, ws, paths_);
  const std::vector<Step> steps = {
      {3, "WritesARow",
       [](engine::RunContext& r) {
         db::Database db = r.workspace().OpenDatabase(r.OutputFile());
         db::TableRecordset rs = db.OpenTable("DalkSection214");  // a table no loader fills
         r.workspace().BeginTrans();
         rs.AddNew();
         rs.Set("FilingKey", db::Value(std::int64_t{1}));
         rs.Update();
         r.workspace().CommitTrans();
         r.workspace().BeginTrans();  // left open when the next step fails
         rs.AddNew();
         rs.Set("FilingKey", db::Value(std::int64_t{2}));
         rs.Update();
         throw engine::StepError("/x/purpose.dat", "The data set file was not found.");
       }},
  };
  const auto before = ui_.Messages().size();
  engine::RejectedData rejected(run.InputFile("baddata.txt"));
  const RunResult result = RunSteps(run, rejected, steps);
  EXPECT_FALSE(result.completed);
  ASSERT_EQ(ui_.Messages().size(), before + 1);
  const auto& m = ui_.Messages().back();
  EXPECT_EQ(m.text, "The conversion stopped at step 3 (WritesARow).\r\n\r\nFile: /x/purpose.dat"
                    "\r\n\r\nReason: The data set file was not found.");
  EXPECT_EQ(Column("DalkSection214", "FilingKey"), std::vector<db::Value>{db::Value(std::int64_t{1})});
  EXPECT_EQ(ws.TransactionDepth(), 0);
}

// A step that writes into `db` until the disk is full (the engine's page
// limit), sets the refused row aside and goes on: the engine has undone the
// rows since the last save meanwhile.
void WriteUntilTheDiskIsFull(engine::RunContext& r, db::Database& db) {
  db.Execute("CREATE TABLE IF NOT EXISTS Filler (Bytes)");
  db.Execute("PRAGMA max_page_count=" + std::to_string(fs::file_size(db.Path()) / 4096 + 3));
  try {
    for (int row = 0; row < 1000; ++row) {
      r.workspace().BeginTrans();
      db.Execute("INSERT INTO Filler VALUES (zeroblob(1000))");
      r.workspace().CommitTrans();
    }
  } catch (const db::Error&) {
    r.workspace().Rollback();
  }
}

// Also when the run is stopped (Exit, a signal) after the loss.
TEST_F(RunDriverTest, ALostGroupOfCommitsIsReportedNotSwallowedByTheClose) {
  BuildEmptyDatabase();
  for (const bool stop : {false, true}) {
    db::Workspace ws;
    db::Database held = ws.OpenDatabase(paths_.output);  // left for the driver's close
    if (stop) ui_.RequestStop();
    const std::string text = MessageOfStoppedRun(ws, {{5, "FillsTheDisk", [&](engine::RunContext& r) {
                                                         WriteUntilTheDiskIsFull(r, held);
                                                         r.Yield();
                                                       }}});
    if (stop) {
      EXPECT_EQ(text.rfind("The conversion stopped at step 5 (FillsTheDisk).", 0), 0u) << text;
      EXPECT_NE(text.find("Closing the databases failed too: "), std::string::npos) << text;
    } else {
      EXPECT_EQ(text.rfind("The conversion could not save its last changes.", 0), 0u) << text;
      EXPECT_NE(text.find("The disk that holds " + paths_.output + " is full."), std::string::npos) << text;
    }
  }
}

// The last save of a step fails in the user's database whose disk is full:
// the report names that database and its disk, and says what is lost.
TEST_F(RunDriverTest, AFullDiskAtAStepsLastSaveNamesTheDatabaseOnThatDisk) {
  BuildEmptyDatabase();
  db::Workspace ws;
  const std::string text = MessageOfStoppedRun(ws, {
      {29, "WritesIntoC",
       [this](engine::RunContext& r) {
         db::Database c = r.workspace().OpenDatabase(paths_.ant_site_c);
         WriteUntilTheDiskIsFull(r, c);
         db::Database output = r.workspace().OpenDatabase(r.OutputFile());
         db::TableRecordset log = output.OpenTable("ProcessLog");
         engine::WriteProcessLogRecord(r, log);
       }},
  });
  EXPECT_NE(text.find("\r\n\r\nFile: " + paths_.ant_site_c + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("The rows that this step wrote to this file since its last save are not in it."),
            std::string::npos) << text;
  EXPECT_NE(text.find("The disk that holds " + paths_.ant_site_c + " is full."), std::string::npos) << text;
}

// Step 39 cannot write the antenna-site database (here: the engine refuses
// every write to it): the report names that database, not the output.
TEST_F(RunDriverTest, AnErrorInTheAntennaSiteDatabaseNamesThatDatabase) {
  std::vector<Step> loading;  // every step before the first compaction
  for (const Step& step : StandardSteps())
    if (step.number < 38) loading.push_back(step);
  ASSERT_EQ(ConvertCommand(ui_, paths_, loading).kind, Kind::kCompleted);
  db::Workspace ws;
  db::Database held = ws.OpenDatabase(paths_.ant_site_db);  // step 39 shares its connection
  held.Execute("PRAGMA query_only=1");
  const std::string text = MessageOfStoppedRun(ws, {StandardSteps()[38]});
  EXPECT_EQ(text.rfind("The conversion stopped at step 39 (EsPopulateKtbTables).\r\n\r\nFile: " +
                           paths_.ant_site_db + "\r\n",
                       0),
            0u)
      << text;
}

// A full disk while the output database is built is reported as every
// other full disk: which disk is full and what to do.
TEST_F(RunDriverTest, AFullDiskWhileTheDatabaseIsBuiltSaysWhichDiskIsFull) {
  db::Workspace ws;
  engine::RunContext run(ui_, ws, paths_);
  engine::BuildKtbDatabase(run);
  db::Database held = ws.OpenDatabase(paths_.output);  // the staging tables share its connection
  held.Execute("PRAGMA max_page_count=" + std::to_string(fs::file_size(paths_.output) / 4096 + 1));
  try {
    engine::AddStagingTables(run);
    ADD_FAILURE() << "the staging tables fit";
  } catch (const std::exception& e) {
    const std::string text = FailureMessage("The output database could not be initialised.", e, run).text;
    EXPECT_NE(text.find("The disk that holds " + paths_.output + " is full."), std::string::npos) << text;
  }
}

// Records not stored and notes about antenna-site keys (whose sites were
// stored) are told apart at the end of the run; nothing is said of neither.
TEST_F(ConvertCommandTest, TheEndOfTheRunTellsRecordsNotStoredFromNotesAboutKeys) {
  const std::string file = "\r\n\r\n" + paths_.input_dir + "baddata.txt";
  const struct {
    int records, notes;
    std::string text;  // empty: no message after the question
  } cases[] = {
      {0, 0, ""},
      {3, 0, "3 record(s) could not be stored and were written to the rejected-data file:" + file},
      {0, 4, "Every record was stored. 4 note(s) about antenna-site keys and counts were written to the rejected-data file:" +
                 file},
      {3, 4, "3 record(s) could not be stored; 4 note(s) about antenna-site keys and counts.\r\n"
             "The records and the notes were written to the rejected-data file:" + file},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ui::RecordingUi ui;
    const std::vector<Step> steps = {{28, "WritesLines", [&c](engine::RunContext& r) {
                                        for (int i = 0; i < c.records; ++i)
                                          engine::RecordRejected(r, "site.dat", "line 7", "too long", "x");
                                        for (int i = 0; i < c.notes; ++i)
                                          engine::RecordNoted(r, "AntSite_B b.db", "site 9", "empty key", "");
                                      }}};
    const auto outcome = ConvertCommand(ui, paths_, steps);
    ASSERT_EQ(outcome.kind, Kind::kCompleted) << outcome.failure;
    EXPECT_EQ(outcome.rejected, c.records);
    EXPECT_EQ(outcome.key_notes, c.notes);
    const std::string lines = TempDir::Read(dir_ / "export" / "baddata.txt");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), c.records + c.notes);  // one line each
    ASSERT_EQ(ui.Messages().size(), c.text.empty() ? 1u : 2u);
    if (!c.text.empty()) {
      EXPECT_EQ(ui.Messages()[1].text, c.text);
    }
  }
}

// The tool runs on a copy of the samples: a run writes its rejected-data
// file beside the data sets, and the checkout is never written.
TEST(HeadlessToolTest, RunsTheSamplesAndSaysSo) {
  TempDir dir;
  fs::copy(MORVANE_SAMPLES_DIR, dir / "samples");
  fs::remove(dir / "samples" / "baddata.txt");  // left by an earlier version of this test
  const std::string command = "cd " + dir.path().string() + " && " + MORVANE_SOURCE_DIR +
                              "/scripts/sample-settings.sh . samples > morvane.ini && " +
                              MORVANE_BINARY_DIR + "/morvane-headless morvane.ini > out.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(fs::exists(dir / "samples" / "baddata.txt"));
  const std::string out = TempDir::Read(dir / "out.txt");
  EXPECT_NE(out.find("frmStatus.lblStatus = F I N I S H E D   build DALK database!\n"), std::string::npos);
  EXPECT_NE(out.find("frmMorvane.lblStatus = FINISHED converting the data set!\n"), std::string::npos);
  EXPECT_NE(out.find("rejected records: 0\nnotes about antenna-site keys and counts: 0\n"), std::string::npos);
  // Every staged site has the key and flag of its antenna site.
  const auto unkeyed = testing::QueryRows(
      dir / "dalkdb.mdb", "SELECT count(*) > 0, sum(TowerSiteKey IS NULL OR TowerSiteKey = '' OR "
                          "TowerFlag NOT IN ('1', '2', '3', '4')) FROM DalkSite");
  EXPECT_EQ(unkeyed, std::vector<std::string>{"1|0"});
  const std::string tool = std::string(MORVANE_BINARY_DIR) + "/morvane-headless ";
  // A registration-number database the user names must be there, or the run
  // is refused and changes nothing.
  const std::string output = TempDir::Read(dir / "dalkdb.mdb");
  dir.Write("typo.ini", TempDir::Read(dir / "morvane.ini") + "[Development]\nRegistrationDb=typo/einkwd.mdb\n");
  for (const auto& [args, named_by] : {std::pair{"--registration-db typo/einkwd.mdb morvane.ini", "--registration-db"},
                                       std::pair{"typo.ini", "the setting RegistrationDb of [Development] in typo.ini"}}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(std::system(("cd " + dir.path().string() + " && " + tool + args + " > refused.txt").c_str()) >> 8, 1);
    EXPECT_NE(TempDir::Read(dir / "refused.txt")
                  .find(std::string("named by ") + named_by + " was not found: typo/einkwd.mdb"),
              std::string::npos)
        << TempDir::Read(dir / "refused.txt");
    EXPECT_TRUE(TempDir::Read(dir / "dalkdb.mdb") == output);
  }
  EXPECT_EQ(std::system((tool + "/nonexistent.ini 2>/dev/null").c_str()) >> 8, 2);
  ASSERT_EQ(std::system((tool + "--help > " + (dir / "help.txt").string()).c_str()), 0);
  EXPECT_EQ(TempDir::Read(dir / "help.txt").rfind("usage: morvane-headless ", 0), 0u);
}

}  // namespace
}  // namespace morvane::app
