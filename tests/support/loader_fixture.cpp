#include "support/loader_fixture.h"

#include <sstream>
#include <stdexcept>

#include "loaders/common_loader.h"
#include "loaders/loader_registry.h"
#include "platform/db/database.h"
#include "schema/ktb/ktb_tables.h"
#include "schema/staging/staging_tables.h"

namespace morvane::testing {

const loaders::LoaderDef& LoaderNamed(std::string_view procedure) {
  const loaders::LoaderDef* loader = loaders::FindLoader(procedure);
  if (!loader) throw std::runtime_error("no loader named " + std::string(procedure));
  return *loader;
}

LoaderFixture::LoaderFixture() {
  {
    db::Database db = workspace_.CreateDatabase(OutputPath());
    for (const auto& spec : schema::KtbTables())
      if (spec.def.name == "ProcessLog") db.AppendTable(spec.def);
    for (const auto& spec : schema::StagingTables()) db.AppendTable(spec.def);
    db.Close();
  }
  engine::RunPaths paths;
  paths.table_main = (dir_ / "main.dat").string();
  paths.input_dir = dir_.path().string() + "/";
  paths.output = OutputPath().string();
  run_ = std::make_unique<engine::RunContext>(ui_, workspace_, paths);
  rejected_ = std::make_unique<engine::RejectedData>(dir_ / "baddata.txt");
  run_->set_rejected(rejected_.get());
}

LoaderFixture::~LoaderFixture() = default;

void LoaderFixture::SetPaths(const engine::RunPaths& paths) {
  run_ = std::make_unique<engine::RunContext>(ui_, workspace_, paths);
  run_->set_rejected(rejected_.get());
}

void LoaderFixture::Run(const loaders::LoaderDef& loader, int step) {
  run_->step_current = step;
  loaders::RunLoader(loader, *run_);
  workspace_.Close();
}

std::vector<std::vector<db::Value>> LoaderFixture::Rows(std::string_view table,
                                                        const std::vector<std::string>& fields) {
  std::vector<std::vector<db::Value>> rows;
  db::Database db = workspace_.OpenDatabase(OutputPath());
  db::TableRecordset rs = db.OpenTable(table);
  std::vector<std::string> names = fields;
  if (names.empty())
    for (const auto& f : rs.Definition().fields) names.push_back(f.name);
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    std::vector<db::Value> row;
    for (const auto& name : names) row.push_back(rs.Get(name));
    rows.push_back(std::move(row));
  }
  rs.Close();
  db.Close();
  return rows;
}

std::int64_t LoaderFixture::RowCount(std::string_view table) {
  db::Database db = workspace_.OpenDatabase(OutputPath());
  db::TableRecordset rs = db.OpenTable(table);
  const std::int64_t n = rs.RecordCount();
  rs.Close();
  db.Close();
  return n;
}

std::string LoaderFixture::IndexesOf(std::string_view table) {
  db::Database db = workspace_.OpenDatabase(OutputPath());
  db::SqlRecordset rs = db.OpenSql(
      "SELECT name || ': ' || sql FROM sqlite_schema WHERE type = 'index' AND tbl_name = ?1 "
      "ORDER BY rowid", {db::Value(std::string(table))});
  std::string all;
  for (; !rs.Eof(); rs.MoveNext()) all += rs.Get(0).AsText() + "\n";
  rs.Close();
  db.Close();
  return all;
}

std::vector<std::string> LoaderFixture::RejectedLines() {
  if (rejected_) rejected_->Close();  // flushes it; later rejections would have nowhere to go
  std::vector<std::string> lines;
  std::istringstream in(TempDir::Read(dir_ / "baddata.txt"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  rejected_ = nullptr;
  run_->set_rejected(nullptr);
  return lines;
}

}  // namespace morvane::testing
