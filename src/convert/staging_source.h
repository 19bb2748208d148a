// A staging table as the earth-station lookups read it: by one key field,
// taking the first row of the key in stored order, as a Seek on the key's
// index finds it, and only the fields the lookup needs (the staging tables
// are wide, and reading every field of every row sought was most of a
// lookup's cost).
//
// Made by OpenStagingSource; `database` is the step's output database and
// must outlive it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/db/database.h"
#include "platform/db/prepared_sql.h"

namespace morvane::convert {

struct StagingSource {
  db::Database* database = nullptr;
  std::string table;
  std::string key_field;

  // A statement returning `fields` of the first row of a key (?1), in that
  // order. Throws db::Error.
  db::PreparedSql PrepareFirst(std::span<const std::string_view> fields) const;
  // A statement returning `fields` of every row of a key (?1), in stored
  // order. Throws db::Error.
  db::PreparedSql PrepareAll(std::span<const std::string_view> fields) const;
};

// The staging table `table` read by the field of its index `index`. Throws
// db::Error when the table or the index is missing.
StagingSource OpenStagingSource(db::Database& output, std::string_view table,
                                std::string_view index);

}  // namespace morvane::convert
