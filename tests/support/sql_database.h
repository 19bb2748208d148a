// User databases for tests, built at test time from SQL text (the fixtures
// under tests/data/ or inline), never kept as binary files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::testing {

// The text of a fixture file under tests/data/ ("antsite/a.sql").
// Fails the test (and returns "") when it cannot be read.
std::string TestDataText(std::string_view relative_path);

// Creates the SQLite database `file` (which must not exist yet) and runs
// `sql` in it: any number of statements, as the sqlite3 shell would.
// Returns `file`. Fails the test when a statement fails.
std::filesystem::path BuildSqlDatabase(const std::filesystem::path& file, std::string_view sql);

// As BuildSqlDatabase, with the SQL of a fixture under tests/data/ followed
// by `more_sql` (rows for one test).
std::filesystem::path BuildSqlDatabaseFromFile(const std::filesystem::path& file,
                                               std::string_view relative_path,
                                               std::string_view more_sql = {});

// Runs `sql` in an existing database file (rows added after a build).
void ExecuteSql(const std::filesystem::path& file, std::string_view sql);

// The rows of one SELECT, each as its columns joined by "|" (Null as "").
std::vector<std::string> QueryRows(const std::filesystem::path& file, std::string_view select);

}  // namespace morvane::testing
