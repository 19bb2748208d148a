// FreqList, the frequency list of the earth-station conversion (step 39):
// one row per list key, whose FreqCnt counts the Freq rows of the key. A
// writer hands Count() the key and the fields of a new row; whether a row is
// added or its count raised is decided here:
//  - every key with its row (KeyRows, those stored before the step too), so
//    no Seek is needed and the key's index is built after the rows; a held
//    key's count is raised by row id, without the recordset;
//  - the keys whose new row a field refused, set aside with one line.
//
// Every index is built once the rows are in (DeferIndexes(), then
// BuildIndexes() or, whatever way the step ends, the destructor).
// Lifetime: the database outlives it. Moved, never copied. Errors:
// db::Error; a refused value is reported (rejected-data file), not thrown.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "convert/added_table.h"
#include "convert/key_rows.h"
#include "convert/refused_keys.h"
#include "platform/db/prepared_sql.h"

namespace morvane::convert {

class FreqListTable {
 public:
  FreqListTable() = default;
  explicit FreqListTable(db::Database& database);

  // Room for `more` keys, so that adding them moves no slot.
  void Reserve(std::size_t more) { rows_.Reserve(more); }

  // Counts one more Freq row under `key`: raises the count of its row, or
  // adds the row that `fill` sets (with FreqCnt 1).
  template <typename Fill>
  void Count(engine::RunContext& run, const std::string& key, std::string_view where, Fill fill) {
    if (Raise(run, key, where) || refused_.Contains(key)) return;
    if (table_.Add(run, where, fill))
      rows_.Add(key, {table_.LastAddedRowId(), 1});
    else
      refused_.Add(key);
  }
  const FieldPositions& Fields(std::span<const std::string_view> names) {
    return table_.Fields(names);
  }

  void DeferIndexes() { table_.DeferIndexes(); }
  void BuildIndexes() { table_.BuildIndexes(); }

 private:
  // When `key` is held: raises its count and returns true.
  bool Raise(engine::RunContext& run, const std::string& key, std::string_view where);

  AddedTable table_;
  KeyRows rows_;
  db::PreparedSql set_count_;  // ?1 row id, ?2 the new FreqCnt
  int count_field_ = 0;
  RefusedKeys refused_;
};

}  // namespace morvane::convert
