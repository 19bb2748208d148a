// A KTB table that the earth-station conversion (step 39) only adds rows to,
// without looking it up: Freq, whose rows each have a key of their own.
// Every index of it is built once the rows are in (DeferIndexes(), then
// BuildIndexes() or, whatever way the step ends, the destructor).
//
// Lifetime: the database outlives it. Moved, never copied. Errors:
// db::Error from opening and from the database; a value that a field
// refuses is reported (rejected-data file), not thrown. Not thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "convert/field_positions.h"
#include "convert/row_writer.h"
#include "platform/db/database.h"
#include "platform/db/deferred_indexes.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

class AddedTable {
 public:
  AddedTable() = default;
  AddedTable(db::Database& database, std::string_view table)
      : database_(&database), rs_(database.OpenTable(table)), table_(table) {}

  // Adds a row that `fill` sets (WriteRow); returns whether it was stored.
  template <typename Fill>
  bool Add(engine::RunContext& run, std::string_view where, Fill fill) {
    return WriteRow(run, rs_, RowWrite::kAdd, where, fill);
  }
  // The positions of `names`, looked up on the first call.
  const FieldPositions& Fields(std::span<const std::string_view> names) {
    return fields_.Resolve(rs_, names);
  }
  db::Database& database() { return *database_; }
  int FieldIndex(std::string_view name) const { return rs_.FieldIndex(name); }
  std::int64_t LastAddedRowId() const { return rs_.LastAddedRowId(); }
  // Whether field `field` takes `value`, asked before the value is written
  // by other means (FieldTakes: a refusal is reported).
  bool Takes(engine::RunContext& run, int field, const db::Value& value, std::string_view where) {
    return FieldTakes(run, rs_, field, value, where);
  }

  void DeferIndexes() {
    deferred_ = std::make_unique<db::DeferredIndexes>(*database_, table_);
  }
  void BuildIndexes() {
    if (deferred_) deferred_->Rebuild();
  }

 private:
  db::Database* database_ = nullptr;
  db::TableRecordset rs_;
  std::string table_;
  FieldPositions fields_;
  std::unique_ptr<db::DeferredIndexes> deferred_;  // after rs_: rebuilt before it closes
};

}  // namespace morvane::convert
