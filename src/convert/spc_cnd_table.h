// One special-condition table of the earth-station conversion (step 39):
// SpcCndAnt, SpcCndFreq, SpcCndLice or SpcCndSite, one row per key and
// condition text (SpecCond). A writer asks Holds(key, text) and adds through
// Add(); how that is answered stays inside:
//  - the keys that the step stored or found (KnownKeys), and, for the key
//    asked about last, every text the table holds under it (StoredTexts),
//    gathered once with a Seek and kept up to date as rows are added: the
//    rows of one key come together;
//  - the key and text pairs whose row a field refused, set aside with one
//    line.
//
// Lifetime: the database outlives it. Moved, never copied. Errors:
// db::Error; a refused value is reported (rejected-data file), not thrown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/refused_keys.h"
#include "convert/stored_texts.h"
#include "platform/db/database.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

class SpcCndTable {
 public:
  SpcCndTable() = default;
  // `table` of `database` by its key field `key_field` and that field's
  // index `key_index`.
  SpcCndTable(db::Database& database, std::string_view table, std::string_view key_field,
              std::string_view key_index);

  // True when the table holds `text` under `key`, or that row was refused.
  bool Holds(const std::string& key, const std::string& text);
  // Adds the row of `key` and `text`; asked Holds() about `key` just before.
  void Add(engine::RunContext& run, const std::string& key, const std::string& text,
           std::string_view where);

 private:
  std::vector<std::string> TextsOf(const std::string& key);

  db::TableRecordset rs_;
  std::string key_field_;
  StoredTexts stored_;
  RefusedKeys refused_;
};

}  // namespace morvane::convert
