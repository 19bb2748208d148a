// SiteEsCoord, the coordination records of the earth-station conversion
// (step 39): every query row with coordination limits adds a row, numbered
// (Seq) 1, 2, 3 ... per path-site key for the whole run, whatever rows come
// in between. A writer asks NextSeq() and adds through Add().
//
// How the last number of a path site is known stays inside: while the keys
// of the present call sign tell (FilingGroupKeys, shared with AntMain and
// SiteSat: a path-site key begins with its filing's key, and a filing's
// rows come within one call sign unless the filing is met again under
// another), from them; after that from the table, on its PathAntKey index,
// built at once when first needed, with the path site numbered last kept.
// Path-site keys compare exactly here (R and r are two path sites).
//
// Every index is built once the rows are in (DeferIndexes(), then
// BuildIndexes() or, whatever way the step ends, the destructor).
// Lifetime: the database and the FilingGroupKeys outlive it. Moved, never
// copied. Errors: db::Error; a refused value is reported, not thrown.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "convert/added_table.h"
#include "convert/filing_group_keys.h"
#include "platform/db/prepared_sql.h"

namespace morvane::convert {

class SiteEsCoordTable {
 public:
  SiteEsCoordTable() = default;
  SiteEsCoordTable(db::Database& database, FilingGroupKeys& group)
      : rows_(database, "SiteEsCoord"), group_(&group) {}

  // The Seq of the next row of the path site `path_site_key`, whose
  // transmit/receive letter is `letter` (its last characters).
  int NextSeq(const std::string& path_site_key, const std::string& letter);

  // Adds the row numbered `seq` of `path_site_key`, which `fill` sets;
  // returns whether it was stored (a refused row is not numbered).
  template <typename Fill>
  bool Add(engine::RunContext& run, const std::string& path_site_key, int seq,
           std::string_view where, Fill fill) {
    if (!rows_.Add(run, where, fill)) return false;
    Numbered(path_site_key, seq);
    return true;
  }
  const FieldPositions& Fields(std::span<const std::string_view> names) {
    return rows_.Fields(names);
  }

  void DeferIndexes() { rows_.DeferIndexes(); }
  void BuildIndexes() { rows_.BuildIndexes(); }

 private:
  int StoredSeq(const std::string& path_site_key, const std::string& letter);
  void Numbered(const std::string& path_site_key, int seq);

  AddedTable rows_;
  FilingGroupKeys* group_ = nullptr;
  std::optional<db::PreparedSql> last_seq_;  // prepared on first use
  std::string last_key_;                     // the path site numbered last
  int last_seq_value_ = 0;
};

}  // namespace morvane::convert
