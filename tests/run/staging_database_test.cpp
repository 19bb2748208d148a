#include "run/staging_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "schema/staging/staging_tables.h"
#include "support/temp_dir.h"

namespace morvane::engine {
using schema::TableSpec;
using schema::StagingTables;

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kForm = ui::kStagingForm;

class StagingDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::RunPaths paths;
    paths.output = output_.string();
    run_ = std::make_unique<engine::RunContext>(ui_, workspace_, paths);
  }

  // A fresh output database holding one table that stands for the target
  // tables, as the staging form finds it.
  void CreateOutputDatabase() {
    fs::remove(output_);
    db::Database database = workspace_.CreateDatabase(output_);
    database.AppendTable(db::TableDef{"ProcessLog", {{"ActionCounter", db::FieldType::kLong, 0}}, {}});
    database.Close();
  }

  std::vector<db::TableDef> TablesInFile() {
    db::Database database = workspace_.OpenDatabase(output_);
    auto tables = database.TableDefs();
    database.Close();
    return tables;
  }

  // The staging tables of the file must be exactly the definitions, in
  // creation order, after the table that was there before.
  void ExpectStagingTablesInFile() {
    const auto tables = TablesInFile();
    const auto& specs = StagingTables();
    ASSERT_EQ(tables.size(), specs.size() + 1);
    EXPECT_EQ(tables[0].name, "ProcessLog");
    for (std::size_t t = 0; t < specs.size(); ++t) {
      const db::TableDef& got = tables[t + 1];
      const db::TableDef& want = specs[t].def;
      SCOPED_TRACE(want.name);
      EXPECT_EQ(got.name, want.name);
      ASSERT_EQ(got.fields.size(), want.fields.size());
      for (std::size_t f = 0; f < want.fields.size(); ++f) {
        EXPECT_EQ(got.fields[f].name, want.fields[f].name) << "field " << f + 1;
        EXPECT_EQ(got.fields[f].type, want.fields[f].type) << want.fields[f].name;
        EXPECT_EQ(got.fields[f].size, want.fields[f].size) << want.fields[f].name;
      }
      ASSERT_EQ(got.indexes.size(), want.indexes.size());
      for (std::size_t i = 0; i < want.indexes.size(); ++i) {
        EXPECT_EQ(got.indexes[i].name, want.indexes[i].name);
        EXPECT_EQ(got.indexes[i].field, want.indexes[i].field) << want.indexes[i].name;
      }
    }
  }

  // The form's end state, whatever way the work ended.
  void ExpectFormHidden() { EXPECT_FALSE(ui_.WindowShown(kForm)); }

  testing::TempDir dir_;
  const fs::path output_ = dir_ / "dalkdb.mdb";
  ui::RecordingUi ui_;
  db::Workspace workspace_;
  std::unique_ptr<engine::RunContext> run_;
};

TEST_F(StagingDatabaseTest, AddsEveryTableWithItsFieldsAndIndexes) {
  CreateOutputDatabase();
  AddStagingTables(*run_);
  ExpectStagingTablesInFile();

  // Empty, and every Text and Memo field keeps an empty text as such.
  db::Database database = workspace_.OpenDatabase(output_);
  for (const TableSpec& spec : StagingTables()) {
    SCOPED_TRACE(spec.def.name);
    db::TableRecordset rs = database.OpenTable(spec.def.name);
    EXPECT_EQ(rs.RecordCount(), 0);
    rs.AddNew();
    for (const auto& field : spec.def.fields) {
      if (field.type == db::FieldType::kText || field.type == db::FieldType::kMemo)
        rs.Set(field.name, db::Value(""));
    }
    rs.Update();
    rs.MoveFirst();
    for (const auto& field : spec.def.fields) {
      const db::Value value = rs.Get(field.name);
      if (field.type == db::FieldType::kText || field.type == db::FieldType::kMemo)
        EXPECT_EQ(value, db::Value("")) << field.name;
      else
        EXPECT_TRUE(value.IsNull()) << field.name;
    }
    rs.Close();
  }
}

TEST_F(StagingDatabaseTest, ShowsProgressAndLeavesTheFormHiddenAndEmpty) {
  CreateOutputDatabase();
  AddStagingTables(*run_);

  std::vector<std::string> table_names = {"", ""};
  std::vector<std::string> actions = {"", ""};
  for (const TableSpec& spec : StagingTables()) {
    table_names.insert(table_names.end(), {spec.caption, ""});
    actions.insert(actions.end(), {"Creating Tables . . . .", ""});
  }
  table_names.push_back("");
  actions.push_back("");
  EXPECT_EQ(ui_.CaptionHistory(kForm, "lblTableName"), table_names);
  EXPECT_EQ(ui_.CaptionHistory(kForm, "lblAction"), actions);
  EXPECT_EQ(ui_.CaptionHistory(kForm, "lblDataBaseName"),
            (std::vector<std::string>{"", output_.string(), ""}));
  EXPECT_EQ(ui_.CaptionHistory(ui::kStatusWindow, "lblStatus"),
            (std::vector<std::string>{"Building the Data Base structure !", ""}));
  // Two repaints per table and one at the end.
  EXPECT_EQ(ui_.YieldCount(), 2 * StagingTables().size() + 1);
  ExpectFormHidden();
}

TEST_F(StagingDatabaseTest, ASecondRunBuildsEverythingAnew) {
  CreateOutputDatabase();
  AddStagingTables(*run_);
  {
    db::Database database = workspace_.OpenDatabase(output_);
    db::TableRecordset rs = database.OpenTable("DalkMain");
    rs.AddNew();
    rs.Set("FilingKey", db::Value(7));
    rs.Update();
  }

  ui_.GetWindow(kForm).Unload();
  CreateOutputDatabase();
  AddStagingTables(*run_);

  ExpectStagingTablesInFile();
  db::Database database = workspace_.OpenDatabase(output_);
  EXPECT_EQ(database.OpenTable("DalkMain").RecordCount(), 0);
  EXPECT_EQ(ui_.CaptionHistory(kForm, "lblTableName").size(),
            2 * (2 * StagingTables().size() + 3));
  ExpectFormHidden();
}

TEST_F(StagingDatabaseTest, AMissingDatabaseIsAStepErrorNamingTheFile) {
  try {
    AddStagingTables(*run_);
    FAIL() << "no error";
  } catch (const engine::StepError& e) {
    EXPECT_EQ(fs::path(e.file()), output_);
    EXPECT_NE(std::string(e.what()), "");
  }
  EXPECT_FALSE(fs::exists(output_)) << "a database was created where none was";
  ExpectFormHidden();
}

TEST_F(StagingDatabaseTest, ATableThatCannotBeCreatedIsAStepErrorNamingIt) {
  CreateOutputDatabase();
  {
    db::Database database = workspace_.OpenDatabase(output_);
    database.AppendTable(db::TableDef{"DalkMain", {{"Other", db::FieldType::kLong, 0}}, {}});
  }
  try {
    AddStagingTables(*run_);
    FAIL() << "no error";
  } catch (const engine::StepError& e) {
    EXPECT_EQ(fs::path(e.file()), output_);
    EXPECT_NE(std::string(e.what()).find("DalkMain"), std::string::npos) << e.what();
  }
  ExpectFormHidden();

  // The tables before it stay; nothing after it was attempted.
  const auto tables = TablesInFile();
  ASSERT_EQ(tables.size(), 2 + 19u);
  EXPECT_EQ(tables.back().name, "DalkLicenseCondition");

  // The next run starts afresh and builds everything.
  ui_.GetWindow(kForm).Unload();
  CreateOutputDatabase();
  AddStagingTables(*run_);
  ExpectStagingTablesInFile();
}

TEST_F(StagingDatabaseTest, AStopRequestUnwindsCleanly) {
  CreateOutputDatabase();
  ui_.RequestStopAfterYields(5);
  EXPECT_THROW(AddStagingTables(*run_), engine::RunStopped);
  ExpectFormHidden();
  const auto tables = TablesInFile();
  EXPECT_LT(tables.size(), StagingTables().size() + 1);
}

}  // namespace
}  // namespace morvane::engine
