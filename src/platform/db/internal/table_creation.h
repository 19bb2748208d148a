// Creating one table with its indexes, all or nothing.
#pragma once

#include "platform/db/internal/connection.h"
#include "platform/db/table_def.h"

namespace morvane::db::internal {

// Checks the definition (see Database::AppendTable), then creates the table
// and its indexes inside one savepoint: on any error nothing is left.
void CreateTable(Connection& connection, const TableDef& table);

}  // namespace morvane::db::internal
