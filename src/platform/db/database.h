// An open database file, reached through the Workspace that opened it.
//
// Database is a cheap, movable handle. Once the database is closed (by
// Close(), or by closing its workspace) every call but Close() throws
// db::Error, as does every call on recordsets opened from it.
//
// Names: table, field and index names match without regard to case and are
// stored as created. Every identifier is quoted, so names such as `Group`,
// `Constraint` or "Units Counts Table" work.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/prepared_sql.h"
#include "platform/db/sql_recordset.h"
#include "platform/db/table_def.h"
#include "platform/db/table_recordset.h"
#include "platform/db/value.h"

namespace morvane::db {

class Database {
 public:
  Database() = default;  // holds no database
  ~Database();           // closes the handle's database; never throws

  Database(Database&&) noexcept;
  Database& operator=(Database&&) noexcept;

  bool IsOpen() const;
  const std::filesystem::path& Path() const;

  // The tables that were created, in creation order, read from the file:
  // fields with their type and size, indexes with their logical names.
  std::vector<TableDef> TableDefs() const;
  std::optional<TableDef> FindTable(std::string_view name) const;

  // Creates the table and its indexes, all or nothing. Throws when a table of
  // that name exists, a name is empty, a Text size is not 1..255 (other types
  // take size 0), or an index names a field the table does not have.
  void AppendTable(const TableDef& table);

  // A table-type recordset, positioned on the first row in stored order
  // (Eof() when the table is empty). Throws when there is no such table.
  TableRecordset OpenTable(std::string_view table);

  // A snapshot of one SELECT in SQLite's dialect; `params` are bound to its
  // ? placeholders in order, never spliced into the text.
  SqlRecordset OpenSql(std::string_view select, const std::vector<Value>& params = {});

  // One statement (a query or a write) prepared for many runs; see
  // prepared_sql.h. Throws for a text that is not exactly one statement and
  // for transaction control, which is the workspace's.
  PreparedSql Prepare(std::string_view sql);
  // Runs one statement that returns no rows (tests and tools).
  void Execute(std::string_view sql, const std::vector<Value>& params = {});

  void Close();

  struct Impl;
  explicit Database(std::shared_ptr<Impl> impl);

 private:
  std::shared_ptr<Impl> impl_;
};

// A table or field name spelled for SQL text that a caller builds for
// OpenSql or Prepare: in double quotes, each double quote in it doubled.
std::string QuoteName(std::string_view name);

}  // namespace morvane::db
