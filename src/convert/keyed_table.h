// A KTB table of the earth-station conversion (step 39) that holds one row
// per key and adds a row only for a key it does not hold: Lice, MfgModList,
// SiteInfo, AntMain and SiteSat. A writer asks Holds(key) and adds through
// Add(); how presence is answered stays inside:
//  - the keys that the step stored or found (KnownKeys: recent keys exactly,
//    a Bloom filter of all), and a Seek on the key's index when they cannot
//    tell;
//  - for AntMain and SiteSat, first the keys of the present call sign
//    (FilingGroupKeys, shared by the tables whose keys begin with the
//    filing's key) while that answer is exact; the key's index is then only
//    built, at once, when it is first needed;
//  - the keys whose row a field refused (RefusedKeys): held, so that the
//    record is set aside with one line however many query rows meet it.
//
// DeferIndexes() drops the indexes that the step does not seek on (all of
// them for AntMain and SiteSat), to be built once the rows are in
// (BuildIndexes(), or whatever way the step ends, the destructor). Keys
// compare as the key's COLLATE NOCASE index compares them.
//
// Lifetime: the database, and the FilingGroupKeys given, outlive it. Moved,
// never copied. Errors: db::Error from opening and from the database; a
// value that a field refuses is reported (rejected-data file), not thrown.
// Not thread-safe.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "convert/field_positions.h"
#include "convert/filing_group_keys.h"
#include "convert/known_keys.h"
#include "convert/refused_keys.h"
#include "convert/row_writer.h"
#include "platform/db/database.h"
#include "platform/db/deferred_indexes.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

class KeyedTable {
 public:
  KeyedTable() = default;
  // `table` of `database`, sought on `key_index`. With `group`, presence is
  // first asked of the present call sign's keys of `group_table`.
  KeyedTable(db::Database& database, std::string_view table, std::string_view key_index,
             FilingGroupKeys* group = nullptr,
             FilingGroupKeys::Table group_table = FilingGroupKeys::kAntMain);

  // True when the table holds a row of `key`, or when the row of `key` (and
  // `record`, which tells the records of one key apart) was refused.
  bool Holds(const std::string& key, std::string_view record = {});

  // True when the row of `key` and `record` was refused (Holds without asking
  // the table).
  bool Refused(const std::string& key, std::string_view record) const {
    return refused_.Contains(key, record);
  }

  // Adds a row of `key`: `fill` sets its fields (WriteRow). Returns whether
  // it was stored; a refused row is reported with `where` and held as
  // refused under `key` and `record`. With `once_per_key`, a refused row of
  // a key whose row was refused before under another `record` is not
  // reported again: it is the one record of the key, tried with other values.
  template <typename Fill>
  bool Add(engine::RunContext& run, const std::string& key, std::string_view where, Fill fill,
           std::string_view record = {}, bool once_per_key = false) {
    const bool report = !(once_per_key && refused_keys_.Contains(key));
    const bool stored = WriteRow(run, rs_, RowWrite::kAdd, where, fill, report);
    if (stored) {
      Stored(key);
    } else {
      refused_.Add(key, record);
      refused_keys_.Add(key);
    }
    return stored;
  }

  // The positions of `names`, looked up on the first call.
  const FieldPositions& Fields(std::span<const std::string_view> names) {
    return fields_.Resolve(rs_, names);
  }

  void DeferIndexes();
  void BuildIndexes();

 private:
  void Stored(const std::string& key);

  db::Database* database_ = nullptr;
  db::TableRecordset rs_;
  std::string table_, key_index_;
  FilingGroupKeys* group_ = nullptr;
  FilingGroupKeys::Table group_table_ = FilingGroupKeys::kAntMain;
  KnownKeys keys_;
  RefusedKeys refused_;
  RefusedKeys refused_keys_;  // the keys of refused_, without their records
  FieldPositions fields_;
  std::unique_ptr<db::DeferredIndexes> deferred_;  // after rs_: rebuilt before it closes
};

}  // namespace morvane::convert
