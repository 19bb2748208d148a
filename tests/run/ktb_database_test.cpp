// The target form's work: a fresh output database with the 31 tables, read
// back through the database layer, and the failures it reports.
#include "run/ktb_database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "run/run_context.h"
#include "schema/ktb/ktb_tables.h"
#include "support/temp_dir.h"

namespace morvane::engine {
using schema::TableSpec;
using schema::KtbTables;

namespace {
namespace fs = std::filesystem;

engine::RunPaths PathsWithOutput(const fs::path& output) {
  engine::RunPaths paths;
  paths.output = output.string();
  return paths;
}

class TargetDatabaseTest : public ::testing::Test {
 protected:
  fs::path Output() const { return folder_ / "dalkdb.mdb"; }

  void Build() {
    engine::RunContext run(ui_, workspace_, PathsWithOutput(Output()));
    BuildKtbDatabase(run);
  }

  // The StepError of a build at `output`; fails the test when there is none.
  engine::StepError FailedBuild(const fs::path& output) {
    engine::RunContext run(ui_, workspace_, PathsWithOutput(output));
    try {
      BuildKtbDatabase(run);
    } catch (const engine::StepError& e) {
      return e;
    }
    ADD_FAILURE() << "no error reported";
    return engine::StepError("", "");
  }

  db::Database Open() { return workspace_.OpenDatabase(Output()); }

  testing::TempDir folder_;
  ui::RecordingUi ui_;
  db::Workspace workspace_;
};

TEST_F(TargetDatabaseTest, FileHoldsExactlyTheTargetTablesEmpty) {
  Build();
  db::Database database = Open();
  const std::vector<db::TableDef> defs = database.TableDefs();
  ASSERT_EQ(defs.size(), KtbTables().size());
  ASSERT_EQ(defs.size(), 31u);
  for (std::size_t i = 0; i < defs.size(); ++i) {
    const db::TableDef& expected = KtbTables()[i].def;
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(defs[i].name, expected.name);
    EXPECT_EQ(defs[i].fields, expected.fields);
    EXPECT_EQ(defs[i].indexes, expected.indexes);
    EXPECT_EQ(database.OpenTable(expected.name).RecordCount(), 0);
  }
  EXPECT_TRUE(database.FindTable("Units Counts Table").has_value());
}

// Row 1 sets every Text and Memo field to "" and leaves the others alone;
// row 2 sets nothing. Only the empty texts may come back as texts.
TEST_F(TargetDatabaseTest, EmptyTextStaysApartFromNull) {
  Build();
  db::Database database = Open();
  for (const TableSpec& spec : KtbTables()) {
    SCOPED_TRACE(spec.def.name);
    db::TableRecordset rs = database.OpenTable(spec.def.name);
    rs.AddNew();
    for (const db::FieldDef& field : spec.def.fields)
      if (field.type == db::FieldType::kText || field.type == db::FieldType::kMemo)
        rs.Set(field.name, "");
    rs.Update();
    rs.AddNew();
    rs.Update();

    rs.MoveFirst();
    for (const db::FieldDef& field : spec.def.fields) {
      const db::Value value = rs.Get(field.name);
      if (field.type == db::FieldType::kText || field.type == db::FieldType::kMemo)
        EXPECT_EQ(value, db::Value("")) << field.name;
      else
        EXPECT_TRUE(value.IsNull()) << field.name;
    }
    rs.MoveNext();
    ASSERT_FALSE(rs.Eof());
    for (const db::FieldDef& field : spec.def.fields)
      EXPECT_TRUE(rs.Get(field.name).IsNull()) << field.name;
  }
}

// No index is unique: two rows with the same value in every indexed field
// are both stored, and each index finds both.
TEST_F(TargetDatabaseTest, DuplicateKeysAreStoredTwice) {
  Build();
  db::Database database = Open();
  auto key_of = [](const db::FieldDef& field) {
    return field.type == db::FieldType::kText ? db::Value("K") : db::Value(7);
  };
  for (const TableSpec& spec : KtbTables()) {
    SCOPED_TRACE(spec.def.name);
    db::TableRecordset rs = database.OpenTable(spec.def.name);
    for (int row = 0; row < 2; ++row) {
      rs.AddNew();
      for (const db::IndexDef& index : spec.def.indexes)
        rs.Set(index.field, key_of(*spec.def.FindField(index.field)));
      rs.Update();
    }
    EXPECT_EQ(rs.RecordCount(), 2);
    for (const db::IndexDef& index : spec.def.indexes) {
      SCOPED_TRACE(index.name);
      const db::Value key = key_of(*spec.def.FindField(index.field));
      rs.SetIndex(index.name);
      rs.Seek("=", key);
      ASSERT_FALSE(rs.NoMatch());
      rs.MoveNext();
      ASSERT_FALSE(rs.Eof());
      EXPECT_EQ(rs.Get(index.field).AsText(), key.AsText());
    }
  }
}

TEST_F(TargetDatabaseTest, ReplacesAnEarlierFileAndItsSideFiles) {
  {
    db::Database old = workspace_.CreateDatabase(Output());
    old.AppendTable({"Old", {{"Text1", db::FieldType::kText, 10}}, {}});
    old.Close();
  }
  const std::string stale = "stale side file of an earlier run";
  for (const char* suffix : {"-journal", "-wal", "-shm"})
    folder_.Write(Output().filename().string() + suffix, stale);

  Build();

  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    const fs::path side = Output().string() + suffix;
    EXPECT_TRUE(!fs::exists(side) || testing::TempDir::Read(side) != stale) << side;
  }
  db::Database database = Open();
  EXPECT_FALSE(database.FindTable("Old").has_value());
  EXPECT_EQ(database.TableDefs().size(), 31u);
}

TEST_F(TargetDatabaseTest, ReplacesAFileThatIsNoDatabase) {
  folder_.Write(Output().filename().string(), "not a database");
  Build();
  EXPECT_EQ(Open().TableDefs().size(), 31u);
}

// An output reached through a symbolic link: the link's target is deleted
// and built, whether it exists or not yet, and the link stays.
TEST_F(TargetDatabaseTest, ThroughASymbolicLinkTheLinksTargetIsBuilt) {
  fs::create_directory(folder_ / "store");
  for (const char* target : {"store/old.mdb", "store/new.mdb"}) {
    SCOPED_TRACE(target);
    if (std::string(target) == "store/old.mdb") folder_.Write(target, "not a database");
    fs::remove(Output());
    fs::create_symlink(target, Output());  // relative to the link's folder
    Build();
    EXPECT_TRUE(fs::is_symlink(Output()));
    EXPECT_EQ(fs::read_symlink(Output()), target);
    db::Database database = workspace_.OpenDatabase(folder_ / target);
    EXPECT_EQ(database.TableDefs().size(), 31u);
  }
}

TEST_F(TargetDatabaseTest, RunTwiceGivesTheSameFreshDatabase) {
  Build();
  {
    db::Database database = Open();
    db::TableRecordset rs = database.OpenTable("Lice");
    rs.AddNew();
    rs.Set("LicenseeIdKey", "QD1");
    rs.Update();
  }
  Build();
  EXPECT_EQ(Open().OpenTable("Lice").RecordCount(), 0);
}

TEST_F(TargetDatabaseTest, ShowsEachCaptionInCreationOrder) {
  Build();
  const std::vector<std::string> expected = {
      "Process Log Table",      "Data Source Table",         "Lice Table",
      "Community Table",        "Freq Table",                "Freq List Table",
      "Tx/Rx Equipment Table",  "Path Record Table",         "Area Of Operation Table",
      "Units Counts Table",     "Site Info Table",           "Ant Main  Table",
      "AntPr Table",            "Ant Div Table",             "Ant Ref Table",
      "Site ES Coord Table",    "SiteMk Table",              "Site Satellite Table",
      "Spc Cnd Table",          "Spc Cnd Ant Table",         "Spc Cnd Freq Table",
      "Spc Cnd Lice Table",     "Spc Cnd Site Table",        "Broadcast Info Table",
      "Broadcast Index Table",  "Space Station Index Table", "Mfg Mod List Table",
      "Lice Ein Kwd Table",     "Site Tower Array Table",    "Site Tower Table",
      "Community of License Table"};

  const auto history = ui_.CaptionHistory(ui::kTargetForm, "lblTableName");
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < history.size(); ++i) {
    if (history[i].empty()) continue;
    shown.push_back(history[i]);
    // Each caption is cleared before the next table is announced.
    ASSERT_LT(i + 1, history.size());
    EXPECT_EQ(history[i + 1], "") << history[i];
  }
  EXPECT_EQ(shown, expected);

  int announcements = 0;
  for (const std::string& action : ui_.CaptionHistory(ui::kTargetForm, "lblAction")) {
    if (action.empty()) continue;
    EXPECT_EQ(action, "Creating Tables . . . .");
    ++announcements;
  }
  EXPECT_EQ(announcements, 31);

  const auto names = ui_.CaptionHistory(ui::kTargetForm, "lblDataBaseName");
  EXPECT_NE(std::find(names.begin(), names.end(), Output().string()), names.end());
  for (const char* label : {"lblDataBaseName", "lblTableName", "lblAction"})
    EXPECT_EQ(ui_.Caption(ui::kTargetForm, label), "") << label;
  EXPECT_FALSE(ui_.WindowShown(ui::kTargetForm));
}

TEST_F(TargetDatabaseTest, FolderAtTheOutputPathIsReported) {
  fs::create_directories(Output() / "kept");
  const engine::StepError error = FailedBuild(Output());
  EXPECT_EQ(error.file(), Output().string());
  EXPECT_NE(std::string(error.what()), "");
  EXPECT_TRUE(fs::is_directory(Output() / "kept"));
  EXPECT_FALSE(ui_.WindowShown(ui::kTargetForm));
}

TEST_F(TargetDatabaseTest, MissingFolderIsReported) {
  const fs::path output = folder_ / "no such folder" / "dalkdb.mdb";
  const engine::StepError error = FailedBuild(output);
  EXPECT_EQ(error.file(), output.string());
  EXPECT_NE(std::string(error.what()), "");
  EXPECT_FALSE(fs::exists(output));
  EXPECT_FALSE(ui_.WindowShown(ui::kTargetForm));
  for (const char* label : {"lblDataBaseName", "lblTableName", "lblAction"})
    EXPECT_EQ(ui_.Caption(ui::kTargetForm, label), "") << label;
}

// A run stopped by the user while the tables are created unwinds with the
// database closed, so a later build can replace the file.
TEST_F(TargetDatabaseTest, StopDuringCreationLeavesTheFileClosed) {
  ui_.RequestStopAfterYields(5);
  {
    engine::RunContext run(ui_, workspace_, PathsWithOutput(Output()));
    EXPECT_THROW(BuildKtbDatabase(run), engine::RunStopped);
  }
  EXPECT_FALSE(ui_.WindowShown(ui::kTargetForm));
  ui::RecordingUi fresh_ui;
  engine::RunContext run(fresh_ui, workspace_, PathsWithOutput(Output()));
  BuildKtbDatabase(run);
  EXPECT_EQ(Open().TableDefs().size(), 31u);
}

}  // namespace
}  // namespace morvane::engine
