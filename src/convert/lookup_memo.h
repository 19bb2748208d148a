// The lookups' memory of the earth-station conversion (step 39): for each
// lookup, the key of its last call and the fields of the staging row that
// key found (or that it found none); for each special-condition writer, the
// key of its last call and the condition text gathered for it.
//
// The conversion query comes ordered by call sign, site and antenna, so
// consecutive rows mostly repeat the same filing, site and antenna keys,
// and the step never writes the staging tables. A lookup called again with
// the key of its previous call therefore takes the row from here instead of
// reading it again. A lookup reads only the fields it needs, through a
// statement prepared on its first call. Only the reading is saved: the
// lookup still sets every value it sets from that row, so values that a
// writer changed in between (the registration number the frequency writer
// empties after each Freq row, say) come back exactly as a fresh read would
// bring them.
//
// Owned by the step for the length of the step, next to its recordsets;
// valid only while the staging tables do not change. Not thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/staging_source.h"
#include "platform/db/prepared_sql.h"
#include "platform/db/value.h"

namespace morvane::convert {

// The row one lookup found for its last key.
class MemoRow {
 public:
  // Reads `fields` of the first row of `key` in `source` and keeps them,
  // unless `key` equals the key of the previous call, whose row is kept.
  // `source` and `fields` are the same on every call. A key that found no
  // row stays remembered as such. Returns whether the key has a row.
  // db::Error propagates and forgets the key.
  bool Find(const StagingSource& source, const db::Value& key,
            std::span<const std::string_view> fields);

  // Field i of `fields` in the row found by the last Find that returned true.
  const db::Value& Get(std::size_t i) const { return values_[i]; }
  // The same field as text (Null reads as "").
  std::string Text(std::size_t i) const { return values_[i].AsText(); }

 private:
  bool valid_ = false;
  db::Value key_;
  bool found_ = false;
  std::optional<db::PreparedSql> select_;  // prepared on the first call
  std::vector<db::Value> values_;
};

// The condition text that one special-condition writer gathered for its
// last key ("" when the key has no link rows).
struct MemoText {
  bool valid = false;
  std::int64_t key = 0;
  std::string text;
  std::optional<db::PreparedSql> links;  // the key's condition codes, prepared on first use
};

struct LookupMemo {
  MemoRow main, frequency, address, form312, pt_comm, space_station, nature_of_service,
      nature_of_service_code, site, antenna, antenna_gain, freq_coord, condition;
  MemoText antenna_conditions, frequency_conditions, license_conditions, site_conditions;
};

}  // namespace morvane::convert
