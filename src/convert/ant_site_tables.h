// The two tables of the user's antenna-site database (setting AntSiteDb)
// that the earth-station conversion (step 39) extends, each on its index
// idxAntSiteKey (the program adds no index to the user's file):
//  - AntSiteInfo, one row per antenna site, added or replaced;
//  - AntSiteCallSign, one row per site with its call-sign and radio-service
//    lists and counts. The rows of one site mostly come together, so the
//    recordset is left on the row last sought or edited (RowPosition).
// Each remembers the sites whose row a field refused, so that the record is
// set aside with one line however many query rows meet it.
//
// Lifetime: the antenna-site database outlives them. Moved, never copied.
// Errors: db::Error; a refused value is reported (rejected-data file).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/refused_keys.h"
#include "convert/row_position.h"
#include "convert/row_writer.h"
#include "platform/db/database.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

class AntSiteInfoTable {
 public:
  AntSiteInfoTable() = default;
  explicit AntSiteInfoTable(db::Database& ant_site_db);

  // The StatusDate of the site's row, nullopt when the table has none; the
  // recordset then stands on the row for Edit().
  std::optional<db::Value> StatusDateOf(const std::string& key);

  template <typename Fill>
  bool Add(engine::RunContext& run, std::string_view where, Fill fill) {
    return WriteRow(run, rs_, RowWrite::kAdd, where, fill);
  }
  // Edits the row that StatusDateOf() found.
  template <typename Fill>
  bool Edit(engine::RunContext& run, std::string_view where, Fill fill) {
    return WriteRow(run, rs_, RowWrite::kEdit, where, fill);
  }

 private:
  db::TableRecordset rs_;
};

class AntSiteCallSignTable {
 public:
  // A stored row: its counts, and its lists trimmed.
  struct Row {
    std::int64_t freq_count = 0, call_sign_count = 0;
    std::string call_signs, rad_svc;
  };

  AntSiteCallSignTable() = default;
  explicit AntSiteCallSignTable(db::Database& ant_site_db);

  // Whether the site's record was set aside.
  bool Refused(const std::string& key) const { return refused_.Contains(key); }
  // The site's row, nullopt when the table has none; the recordset then
  // stands on the row for Edit().
  std::optional<Row> Find(const std::string& key);

  template <typename Fill>
  void Add(engine::RunContext& run, const std::string& key, std::string_view where, Fill fill) {
    if (!WriteRow(run, rs_, RowWrite::kAdd, where, fill)) refused_.Add(key);
  }
  // Edits the row that Find() found.
  template <typename Fill>
  void Edit(engine::RunContext& run, const std::string& key, std::string_view where, Fill fill) {
    if (WriteRow(run, rs_, RowWrite::kEdit, where, fill)) return;
    at_.Forget();
    refused_.Add(key);
  }

  // True the first time in the step that the count `field` of the site is
  // held at its limit, so that each count is noted once.
  bool FirstHeld(const std::string& key, std::string_view field);

 private:
  db::TableRecordset rs_;
  RowPosition at_;  // the row the recordset stands on
  RefusedKeys refused_, held_;
};

}  // namespace morvane::convert
