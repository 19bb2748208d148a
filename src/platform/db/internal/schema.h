// Reading table definitions back from a database file, so that files that
// Morvane did not create are described as well as its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/internal/connection.h"
#include "platform/db/internal/sql_text.h"
#include "platform/db/table_def.h"

namespace morvane::db::internal {

// What a recordset needs to know of one index beyond its definition.
struct IndexInfo {
  std::string physical;   // the stored name
  int field = 0;          // position of the indexed field in the table
  // The index's collation when it differs from its column's (only in files
  // made elsewhere); queries then name it so that the index stays usable.
  std::string collation;
};

struct TableInfo {
  TableDef def;                   // def.name as stored
  std::vector<Affinity> affinities;  // parallel to def.fields
  std::vector<IndexInfo> indexes;  // parallel to def.indexes
  std::string rowid;              // the name that reaches the row id
  bool has_rowid = true;          // false for WITHOUT ROWID tables
  // A trigger fires when the table is written (only in files made
  // elsewhere): a write may then change more than the values it binds.
  bool has_triggers = false;
};

// Names of the tables, in creation order, without SQLite's own.
std::vector<std::string> TableNames(const Connection& connection);

// The table named `name` (letter case ignored); nullopt when there is none.
//
// Indexes: one per stored index, in creation order, on its first column.
// Left out: SQLite's automatic indexes, partial indexes and indexes whose
// first column is an expression (none of them can serve a Seek on a field).
std::optional<TableInfo> ReadTable(const Connection& connection, std::string_view name);

}  // namespace morvane::db::internal
