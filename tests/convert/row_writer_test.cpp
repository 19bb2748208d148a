// A refused value sets the row aside; the step goes on.
#include "convert/row_writer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "support/temp_dir.h"

namespace morvane::convert {
namespace {

TEST(RowWriterTest, ARefusedValueWritesNothingAndOneRejectedLine) {
  testing::TempDir dir;
  db::Workspace ws;
  {
    db::Database db = ws.CreateDatabase(dir.path() / "out.mdb");
    db::TableDef def;
    def.name = "Lice";
    def.fields = {{"LicenseeIdKey", db::FieldType::kText, 5}, {"LiceName", db::FieldType::kText, 20}};
    db.AppendTable(def);
  }
  ui::RecordingUi ui;
  engine::RunContext run(ui, ws, {});
  engine::RejectedData rejected(dir.path() / "baddata.txt");
  run.set_rejected(&rejected);

  db::Database db = ws.OpenDatabase(dir.path() / "out.mdb");
  db::TableRecordset lice = db.OpenTable("Lice");
  EXPECT_FALSE(WriteRow(run, lice, RowWrite::kAdd, "filing 77", [](db::TableRecordset& rs) {
    rs.Set("LiceName", "Name");
    rs.Set("LicenseeIdKey", "QD~123");
  }));
  EXPECT_TRUE(WriteRow(run, lice, RowWrite::kAdd, "filing 78",
                       [](db::TableRecordset& rs) { rs.Set("LicenseeIdKey", "QD~12"); }));
  EXPECT_EQ(ws.TransactionDepth(), 0);
  EXPECT_EQ(lice.RecordCount(), 1);
  lice.MoveFirst();
  EXPECT_EQ(lice.Get("LicenseeIdKey"), db::Value("QD~12"));

  rejected.Close();
  std::ifstream in(dir.path() / "baddata.txt");
  std::stringstream all;
  all << in.rdbuf();
  const std::string line = all.str();
  EXPECT_EQ(rejected.Count(), 1);
  EXPECT_EQ(line.rfind("Lice\tfiling 77\t", 0), 0u) << line;
  EXPECT_NE(line.find("LicenseeIdKey"), std::string::npos) << line;
  EXPECT_NE(line.find("\tQD~123\n"), std::string::npos) << line;
}

}  // namespace
}  // namespace morvane::convert
