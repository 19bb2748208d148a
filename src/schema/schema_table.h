// The tables of the output database as data: one definition per table, with
// the caption that the schema forms show while they create it, and one
// routine that creates any list of them.
#pragma once

#include <span>
#include <string>

#include "platform/db/database.h"
#include "platform/db/table_def.h"

namespace morvane::schema {

struct TableSpec {
  db::TableDef def;
  std::string caption;  // shown in the form's lblTableName while it is created
};

// Told about each table as it is created.
class TableObserver {
 public:
  virtual ~TableObserver() = default;
  virtual void CreatingTable(const TableSpec& table) = 0;  // before
  virtual void TableCreated(const TableSpec& table) = 0;   // after
};

// Creates the tables in the order given, each with its fields and indexes.
// Throws db::Error at the first table that cannot be created; the tables
// before it stay.
void CreateTables(db::Database& database, std::span<const TableSpec> tables,
                  TableObserver* observer);

}  // namespace morvane::schema
