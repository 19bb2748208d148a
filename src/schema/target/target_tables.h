// The 31 tables of the KTB format that every Convert creates in a fresh
// output database: bookkeeping (ProcessLog, DataSource), licensees,
// frequencies and equipment, paths, sites, antennas, special conditions,
// market, broadcast, space-station and tower tables.
#pragma once

#include <vector>

#include "schema/schema_table.h"

namespace morvane::schema {

// In creation order, which is also the order in which the target form shows
// their captions. Each table has its fields in table order and its indexes in
// creation order; every index is named "idx" plus the name of its one field.
// The list is built once and lives as long as the program.
const std::vector<TableSpec>& TargetTables();

}  // namespace morvane::schema
