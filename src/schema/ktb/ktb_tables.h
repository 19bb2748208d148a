// The 31 tables of the KTB format that every Convert creates in a fresh
// output database: bookkeeping (ProcessLog, DataSource), licensees,
// frequencies and equipment, paths, sites, antennas, special conditions,
// market, broadcast, space-station and tower tables.
#pragma once

#include <string_view>

#include <vector>

#include "schema/schema_table.h"

namespace morvane::schema {

// The locale every output database is created and compacted with: general
// sort order, Western code page 1252.
inline constexpr std::string_view kOutputDatabaseLocale = ";LANGID=0x0409;CP=1252;COUNTRY=0";

// In creation order, which is also the order in which the target form shows
// their captions. Each table has its fields in table order and its indexes in
// creation order; every index is named "idx" plus the name of its one field.
// The list is built once and lives as long as the program.
const std::vector<TableSpec>& KtbTables();

}  // namespace morvane::schema
