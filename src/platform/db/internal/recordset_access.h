// What tests need to see inside a table-type recordset: the SQL of the
// statements it prepared and SQLite's plan for them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/table_recordset.h"

namespace morvane::db::internal {

struct RecordsetAccess {
  // The text of the statement that Seek(op) runs on the current index
  // (prepared on first use, as Seek does).
  static std::string SeekSql(TableRecordset& recordset, std::string_view op);
  // The texts of every statement that walks the current index.
  static std::vector<std::string> IndexWalkSql(TableRecordset& recordset);
  // SQLite's query plan for `sql` on the recordset's connection, one line
  // per step of the plan.
  static std::string QueryPlan(TableRecordset& recordset, const std::string& sql);
};

}  // namespace morvane::db::internal
