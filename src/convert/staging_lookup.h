// A staging table as one lookup of the earth-station conversion (step 39)
// reads it, with the lookup's memory: the key of its last call and the fields
// of the staging row that key found (or that it found none).
//
// The conversion query comes ordered by call sign, site and antenna, so
// consecutive rows mostly repeat the same filing, site and antenna keys,
// and the step never writes the staging tables. A lookup called again with
// the key of its previous call therefore takes the row from memory instead
// of reading it again. It reads only the fields it needs, through a
// statement prepared on its first call. Only the reading is saved: the
// caller still sets every value it sets from that row, so values that a
// writer changed in between (the registration number the frequency writer
// empties after each Freq row, say) come back exactly as a fresh read would
// bring them.
//
// Owned by the step for the length of the step; valid only while the
// staging tables do not change. Not thread-safe.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/staging_source.h"
#include "platform/db/prepared_sql.h"
#include "platform/db/value.h"

namespace morvane::convert {

class StagingLookup {
 public:
  StagingLookup() = default;  // reads nothing until assigned an opened one
  explicit StagingLookup(StagingSource source) : source_(std::move(source)) {}

  // Reads `fields` of the first row of `key` and keeps them, unless `key`
  // equals the key of the previous call, whose row is kept. `fields` are
  // the same on every call. A key that found no row stays remembered as
  // such. Returns whether the key has a row. db::Error propagates and
  // forgets the key.
  bool Find(const db::Value& key, std::span<const std::string_view> fields);

  // Field i of `fields` in the row found by the last Find that returned true.
  const db::Value& Get(std::size_t i) const { return values_[i]; }
  // The same field as text (Null reads as "").
  std::string Text(std::size_t i) const { return values_[i].AsText(); }

 private:
  StagingSource source_;
  bool valid_ = false;
  db::Value key_;
  bool found_ = false;
  std::optional<db::PreparedSql> select_;  // prepared on the first call
  std::vector<db::Value> values_;
};

// The condition text gathered from one condition link table
// (DalkAntennaCondition, DalkFrequencyCondition, DalkLicenseCondition,
// DalkSiteCondition) for a key, with the key of its last call and the text
// gathered for it ("" when the key has no link rows): the rows of one
// antenna, frequency, filing or site come together.
class ConditionTexts {
 public:
  ConditionTexts() = default;
  // `label` names the key in a missing-condition entry; `names_code`: such
  // an entry names the condition code too.
  ConditionTexts(StagingSource links, const char* label, bool names_code)
      : links_(std::move(links)), label_(label), names_code_(names_code) {}

  // The text of `key`, each linked condition read through `conditions`
  // (DalkCondition by its code). Valid until the next call.
  const std::string& TextOf(std::int64_t key, StagingLookup& conditions);

 private:
  std::string Gather(std::int64_t key, StagingLookup& conditions);
  std::string MissingEntry(std::int64_t key, std::int64_t code) const;

  StagingSource links_;
  const char* label_ = "";
  bool names_code_ = false;
  std::optional<db::PreparedSql> select_;  // the key's condition codes, prepared on first use
  bool valid_ = false;
  std::int64_t key_ = 0;
  std::string text_;
};

}  // namespace morvane::convert
