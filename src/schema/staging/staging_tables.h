// The 36 staging tables: one per data set of the export, named "Dalk" and a
// short name of the data set, plus DalkSection214, which no data set fills.
// The loaders store each record field for field in its table; the
// conversion reads them.
//
// Names are matched without regard to case, so a loader may address the
// field Subsystemcode of DalkCondition as SubsystemCode.
#pragma once

#include <string_view>
#include <vector>

#include "schema/schema_table.h"

namespace morvane::schema {

// The definitions in creation order. Built once; valid for the life of the
// program.
const std::vector<TableSpec>& StagingTables();

// The definition of the staging table `name` (letter case ignored), or null.
const TableSpec* FindStagingTable(std::string_view name);

}  // namespace morvane::schema
