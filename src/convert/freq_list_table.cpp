#include "convert/freq_list_table.h"

#include <limits>

namespace morvane::convert {

FreqListTable::FreqListTable(db::Database& database)
    : table_(database, "FreqList"),
      rows_(StoredKeyRows(database, "FreqList", "FreqListKey", "FreqCnt")),
      set_count_(database.Prepare("UPDATE FreqList SET FreqCnt = ?2 WHERE rowid = ?1")),
      count_field_(table_.FieldIndex("FreqCnt")) {}

// The count is written without the recordset, which would refuse a count
// past the field's range (a row stored before the step may hold any count):
// such a raise is set aside, with a line each time, as an edit of the row
// would be. A count at the top of the 64-bit range has no whole number
// above it and is never raised.
bool FreqListTable::Raise(engine::RunContext& run, const std::string& key, std::string_view where) {
  KeyRows::Row* row = rows_.Find(key);
  if (!row) return false;
  const bool top = row->count == std::numeric_limits<std::int64_t>::max();
  const db::Value raised = top ? db::Value(static_cast<double>(row->count) + 1.0)
                               : db::Value(row->count + 1);
  if ((top || row->count >= std::numeric_limits<std::int32_t>::max()) &&
      (!table_.Takes(run, count_field_, raised, where) || top))
    return true;
  const std::int64_t count = row->count + 1;
  set_count_.Run({db::Value(row->row_id), db::Value(count)});
  row->count = count;
  return true;
}

}  // namespace morvane::convert
