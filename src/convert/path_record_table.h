// PathRecord, the path records of the earth-station conversion (step 39):
// one row per path-site key, whose transmit or receive half every query row
// of the path site writes again. A writer hands Put() the key, the half and
// the values of the row; whether the row is added, edited or left alone is
// decided here:
//  - the values that each half last stored, with their key: a row of that
//    key that would store the same values again is left as it stands,
//    without a Seek;
//  - the keys that the step stored or found (KnownKeys), and the row the
//    recordset stands on (RowPosition): the rows of one path site come
//    together, so after the first the recordset mostly stands on its row;
//  - the keys whose row a field refused, set aside with one line.
//
// DeferIndexes() drops every index but the key's, to be built once the rows
// are in (BuildIndexes(), or whatever way the step ends, the destructor).
// Lifetime: the database outlives it. Moved, never copied. Errors:
// db::Error; a refused value is reported (rejected-data file), not thrown.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/field_positions.h"
#include "convert/known_keys.h"
#include "convert/refused_keys.h"
#include "convert/row_position.h"
#include "convert/row_writer.h"
#include "platform/db/database.h"
#include "platform/db/deferred_indexes.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

class PathRecordTable {
 public:
  enum Half { kTransmit, kReceive };

  PathRecordTable() = default;
  explicit PathRecordTable(db::Database& database);

  // Stores `values` in the `half` of the row of `key`: `fill(rs, at,
  // adding)` sets the half's fields, `at` the positions of `names` (the
  // half's fields, its first the key), `adding` whether the row is new. A
  // refused row is reported as `what` and the key ("filing 12345, path site QD...").
  template <typename Fill>
  void Put(engine::RunContext& run, const std::string& key, Half half, const SideValues& values,
           std::span<const std::string_view> names, std::string_view what, Fill fill) {
    if (Unchanged(key, half, values)) return;
    const bool exists = Exists(key);
    const FieldPositions& at = fields_[half].Resolve(rs_, names);
    const std::string where = std::string(what) + " " + key;
    const bool stored = WriteRow(run, rs_, exists ? RowWrite::kEdit : RowWrite::kAdd, where,
                                 [&](db::TableRecordset& rs) { fill(rs, at, !exists); });
    Written(key, half, values, exists, stored);
  }

  void DeferIndexes();
  void BuildIndexes();

 private:
  // The half holds `values` under `key` already, or the key was refused.
  bool Unchanged(const std::string& key, Half half, const SideValues& values) const;
  // Whether a row of `key` is stored; the recordset then stands on it.
  bool Exists(const std::string& key);
  void Written(const std::string& key, Half half, const SideValues& values, bool existed,
               bool stored);

  db::Database* database_ = nullptr;
  db::TableRecordset rs_;
  KnownKeys keys_;
  RowPosition at_;  // the row the recordset stands on
  RefusedKeys refused_;
  FieldPositions fields_[2];
  std::string written_key_[2];  // per half: the key and values stored last
  SideValues written_[2];
  std::unique_ptr<db::DeferredIndexes> deferred_;  // after rs_: rebuilt before it closes
};

}  // namespace morvane::convert
