#include "convert/es_fixture.h"

#include <sstream>

#include "schema/ktb/ktb_tables.h"
#include "schema/staging/staging_tables.h"
#include "support/ant_site_db.h"

namespace morvane::testing {

EsFixture::EsFixture() {
  const auto output = dir_ / "dalkdb.mdb";
  db_ = workspace_.CreateDatabase(output);
  for (const auto& spec : schema::KtbTables()) db_.AppendTable(spec.def);
  for (const auto& spec : schema::StagingTables()) db_.AppendTable(spec.def);
  BuildAntSiteDb(dir_ / "AntSiteDb.mdb");

  engine::RunPaths paths;
  paths.table_main = (dir_ / "main.dat").string();
  paths.input_dir = dir_.path().string() + "/";
  paths.output = output.string();
  paths.ant_site_db = (dir_ / "AntSiteDb.mdb").string();
  run_ = std::make_unique<engine::RunContext>(ui_, workspace_, paths);
  rejected_ = std::make_unique<engine::RejectedData>(dir_ / "baddata.txt");
  run_->set_rejected(rejected_.get());
}

EsFixture::~EsFixture() = default;

void EsFixture::Sql(std::string_view sql) {
  if (!db_.IsOpen()) db_ = workspace_.OpenDatabase(dir_ / "dalkdb.mdb");
  std::string all(sql);
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = all.find(';', start);
    if (end == std::string::npos) end = all.size();
    const std::string statement = all.substr(start, end - start);
    if (statement.find_first_not_of(" \n") != std::string::npos) db_.Execute(statement);
    start = end + 1;
  }
}

std::vector<std::string> EsFixture::Rows(std::string_view select) {
  if (!db_.IsOpen()) db_ = workspace_.OpenDatabase(dir_ / "dalkdb.mdb");
  std::vector<std::string> rows;
  db::SqlRecordset rs = db_.OpenSql(select);
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    std::string row;
    for (std::size_t i = 0; i < rs.ColumnNames().size(); ++i) {
      const db::Value v = rs.Get(static_cast<int>(i));
      row += (i ? "|" : "") + (v.IsNull() ? std::string("~") : v.AsText());
    }
    rows.push_back(row);
  }
  return rows;
}

convert::EsTables& EsFixture::Tables() {
  if (!tables_) tables_ = std::make_unique<convert::EsTables>(convert::OpenEsTables(db_));
  return *tables_;
}

std::vector<std::string> EsFixture::RejectedLines() {
  rejected_->Close();
  std::vector<std::string> lines;
  std::istringstream in(TempDir::Read(dir_ / "baddata.txt"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void EsFixture::CloseDatabase() {
  tables_.reset();
  db_.Close();
  workspace_.Close();
}

}  // namespace morvane::testing
