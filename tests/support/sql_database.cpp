#include "support/sql_database.h"

#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

int AddRow(void* rows, int columns, char** values, char**) {
  std::string row;
  for (int i = 0; i < columns; ++i) row += (i ? "|" : "") + std::string(values[i] ? values[i] : "");
  static_cast<std::vector<std::string>*>(rows)->push_back(row);
  return 0;
}

void Run(const std::filesystem::path& file, std::string_view sql, int flags,
         std::vector<std::string>* rows = nullptr) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "cannot open " << file << ": " << (db ? sqlite3_errmsg(db) : "no memory");
    sqlite3_close(db);
    return;
  }
  char* error = nullptr;
  if (sqlite3_exec(db, std::string(sql).c_str(), rows ? AddRow : nullptr, rows, &error) != SQLITE_OK)
    ADD_FAILURE() << "SQL failed in " << file << ": " << (error ? error : "?");
  sqlite3_free(error);
  sqlite3_close(db);
}

}  // namespace

std::string TestDataText(std::string_view relative_path) {
  const std::filesystem::path path = std::filesystem::path(MORVANE_TEST_DATA_DIR) / relative_path;
  std::ifstream in(path, std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read the fixture " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path BuildSqlDatabase(const std::filesystem::path& file, std::string_view sql) {
  if (std::filesystem::exists(file)) ADD_FAILURE() << file << " exists already";
  Run(file, sql, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  return file;
}

std::filesystem::path BuildSqlDatabaseFromFile(const std::filesystem::path& file,
                                               std::string_view relative_path,
                                               std::string_view more_sql) {
  return BuildSqlDatabase(file, TestDataText(relative_path) + std::string(more_sql));
}

void ExecuteSql(const std::filesystem::path& file, std::string_view sql) {
  Run(file, sql, SQLITE_OPEN_READWRITE);
}

}  // namespace morvane::testing

namespace morvane::testing {

std::vector<std::string> QueryRows(const std::filesystem::path& file, std::string_view select) {
  std::vector<std::string> rows;
  Run(file, select, SQLITE_OPEN_READONLY, &rows);
  return rows;
}

}  // namespace morvane::testing
