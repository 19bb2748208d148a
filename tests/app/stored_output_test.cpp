// What a whole run stores, held against a reference made before the load
// was made faster: every table of the output database, row by row in stored
// order, and baddata.txt, for the sample export and for a generated export
// with bad records. The run's clock and the database's size (ProcessLog's
// CurrentDateTime and MdbSize, DataSource's export date and time) are left
// out; everything else must be the same to the byte.
//
// The references under tests/data/stored_output/ hold a digest of the
// schema (every table and index as created), one line per table (name,
// rows, a digest of its rows) and baddata.txt in full. A change that
// is meant to change what a run stores rewrites them with
//   MORVANE_WRITE_STORED_OUTPUT=1 build/morvane_tests --gtest_filter='StoredOutput*'
// and the diff shows which tables moved.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/convert_command.h"
#include "bench/lib/export_generator.h"
#include "platform/ui/recording_ui.h"
#include "support/ant_site_db.h"
#include "support/temp_dir.h"

namespace morvane::app {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Columns that hold the time of the run or the size of the file.
const std::set<std::string> kVarying = {"ProcessLog.CurrentDateTime", "ProcessLog.MdbSize",
                                        "DataSource.ExportDate", "DataSource.ExportTime"};

std::string Cell(const SQLite::Column& c) {
  if (c.isNull()) return "NULL";
  if (c.isInteger()) return std::to_string(c.getInt64());
  if (c.isFloat()) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", c.getDouble());
    return buf;
  }
  return "'" + c.getString() + "'";  // digested, never printed: no escaping needed
}

// FNV-1a, 64 bits: the rows of a table in one number.
void Digest(std::uint64_t& h, const std::string& text) {
  for (unsigned char ch : text) h = (h ^ ch) * 1099511628211ull;
  h = (h ^ 0xff) * 1099511628211ull;  // end of the cell
}

// One line for the tables and indexes, as their statements stand.
std::string DescribeSchema(SQLite::Database& db) {
  SQLite::Statement rows(db, "SELECT type, name, tbl_name, sql FROM sqlite_schema ORDER BY type, name");
  std::uint64_t h = 14695981039346656037ull;
  std::int64_t count = 0;
  for (; rows.executeStep(); ++count)
    for (int i = 0; i < 4; ++i) Digest(h, Cell(rows.getColumn(i)));
  char digest[20];
  std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(h));
  return "schema " + std::to_string(count) + " " + digest + "\n";
}

std::string DescribeDatabase(const fs::path& file) {
  SQLite::Database db(file.string(), SQLite::OPEN_READONLY);
  std::string out = DescribeSchema(db);
  SQLite::Statement tables(db, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
  while (tables.executeStep()) {
    const std::string table = tables.getColumn(0).getString();
    SQLite::Statement rows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid");
    std::uint64_t h = 14695981039346656037ull;
    std::int64_t count = 0;
    while (rows.executeStep()) {
      ++count;
      for (int i = 0; i < rows.getColumnCount(); ++i)
        Digest(h, kVarying.count(table + "." + rows.getColumnName(i)) ? "-" : Cell(rows.getColumn(i)));
    }
    char digest[20];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(h));
    out += table + " " + std::to_string(count) + " " + digest + "\n";
  }
  return out;
}

std::string DescribeRun(const fs::path& export_dir, const fs::path& output) {
  ui::RecordingUi ui;
  engine::RunPaths paths;
  paths.table_main = (export_dir / "main.dat").string();
  paths.input_dir = export_dir.string() + "/";
  paths.output = output.string();
  testing::BuildAntSiteDatabases(output.parent_path(), paths);
  const ConvertOutcome outcome = ConvertCommand(ui, paths);
  std::string out = "outcome " + std::to_string(static_cast<int>(outcome.kind)) + " " + outcome.failure +
                    "\nrejected " + std::to_string(outcome.rejected) + "\n";
  if (fs::exists(output)) out += DescribeDatabase(output);
  return out + "--- baddata.txt\n" + TempDir::Read(export_dir / "baddata.txt");
}

void ExpectSameAsReference(const std::string& name, const std::string& described) {
  const fs::path reference = fs::path(MORVANE_TEST_DATA_DIR) / "stored_output" / name;
  if (std::getenv("MORVANE_WRITE_STORED_OUTPUT")) {
    fs::create_directories(reference.parent_path());
    std::ofstream(reference, std::ios::binary) << described;
    return;
  }
  EXPECT_EQ(described, TempDir::Read(reference))
      << "the run stores something else than " << reference
      << "; if that is intended, rewrite the reference (see the head of this test)";
}

TEST(StoredOutput, SampleExport) {
  TempDir dir;
  fs::create_directory(dir / "export");
  for (const auto& entry : fs::directory_iterator(MORVANE_SAMPLES_DIR))
    if (entry.path().extension() == ".dat") fs::copy_file(entry.path(), dir / "export" / entry.path().filename());
  ExpectSameAsReference("samples.txt", DescribeRun(dir / "export", dir / "dalkdb.mdb"));
}

TEST(StoredOutput, GeneratedExportWithBadRecords) {
  TempDir dir;
  bench::GeneratorOptions options;
  options.filings = 12;
  options.seed = 7;
  options.bad_records = 40;
  bench::GenerateExport(dir / "export", options);
  ExpectSameAsReference("generated-bad.txt", DescribeRun(dir / "export", dir / "dalkdb.mdb"));
}

}  // namespace
}  // namespace morvane::app
