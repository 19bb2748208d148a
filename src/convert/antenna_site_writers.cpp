#include "convert/antenna_site_writers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

constexpr std::size_t kStreetLength = 80;
constexpr std::int64_t kCountLimit = 32767;  // the counts are 16-bit fields

// A coordinate whose digits are all zero (N0000000.0) is no position.
bool HasPosition(const std::string& dms) { return text::Mid(dms, 2, 9) != "0000000.0"; }

// The site fields that SiteInfo and AntSiteInfo share. TowerReg and the
// two coordinates are written only when they hold a value, so a replaced
// AntSiteInfo row keeps its earlier ones.
void SetSiteFields(db::TableRecordset& rs, const ConversionState& state) {
  const SiteValues& site = state.site;
  rs.Set("AntSiteKey", site.tower_site_key);
  if (text::Val(state.antenna.tower_id) > 0) rs.Set("TowerReg", state.antenna.tower_id);
  rs.Set("StructureType", "");
  rs.Set("Name", "");
  rs.Set("Street", text::Left(site.street_text, kStreetLength));
  rs.Set("City", site.city);
  rs.Set("County", site.county);
  rs.Set("State", site.state);
  rs.Set("Country", "USA");
  if (HasPosition(site.lat_dms)) rs.Set("LatDMS", site.lat_dms);
  rs.Set("LatSec", site.lat_sec);
  if (HasPosition(site.lon_dms)) rs.Set("LonDMS", site.lon_dms);
  rs.Set("LonSec", site.lon_sec);
  rs.Set("HorizDatum", site.datum);
  rs.Set("Nepa", "");
  rs.Set("GrEl", site.elevation);
  rs.Set("HgtStructure", "");
  rs.Set("HgtToTip", "");
}

void SetAntSiteInfoFields(db::TableRecordset& rs, const ConversionState& state) {
  rs.Set("Group", text::Left(state.site.tower_site_key, 1));
  SetSiteFields(rs, state);
  rs.Set("StatusDate", state.main.status_date);
}

// Adds the site's AntSiteInfo row, or replaces the stored one when the
// filing's status date (yyyymmdd) is later. A stored row without a date, or
// a filing without one, replaces nothing.
void WriteUserSiteRow(engine::RunContext& run, const ConversionState& state,
                      AntennaSideTables& tables, const std::string& where) {
  AntSiteInfoTable& info = tables.ant_site_info;
  const auto fill = [&](db::TableRecordset& rs) { SetAntSiteInfoFields(rs, state); };
  const std::optional<db::Value> stored = info.StatusDateOf(state.site.tower_site_key);
  if (!stored) {
    info.Add(run, where, fill);
    return;
  }
  const std::string& date = state.main.status_date;
  if (stored->IsNull() || date.empty() || !(date > stored->AsText())) return;
  info.Edit(run, where, fill);
}

// True when `entry` is one whole entry of a "~"-separated list, compared
// without regard to case (E00001 is not listed by E000012~).
bool Listed(const std::string& list, const std::string& entry) {
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('~', start);
    if (end == std::string::npos) end = list.size();
    if (text::EqualsIgnoreCase(std::string_view(list).substr(start, end - start), entry))
      return true;
    start = end + 1;
  }
  return false;
}

// count + 1 while below the field's limit. A count at the limit, or beyond
// it in the user's file, is left as stored (neither raised nor lowered); the
// first time in the run that this count of the site is held, one
// rejected-data line notes it (the row is stored).
std::int64_t Raised(engine::RunContext& run, AntennaSideTables& tables, const std::string& key,
                    const char* field, std::int64_t count) {
  if (count < kCountLimit) return count + 1;
  if (tables.ant_site_call_sign.FirstHeld(key, field))
    engine::RecordNoted(run, "AntSiteCallSign", "antenna site " + key,
                        std::string("the count ") + field + " is at or above its limit of " +
                            std::to_string(kCountLimit) + " and is left as stored",
                        std::to_string(count));
  return count;
}

}  // namespace

void WriteAntSiteInfo(engine::RunContext& run, const ConversionState& state,
                      AntennaSideTables& tables) {
  const std::string& key = state.site.tower_site_key;
  if (text::Trim(key).empty()) return;
  // The site's first row of the run has handled it.
  // A site whose SiteInfo row a field refused leaves the antenna-site
  // database alone on its later rows, as a stored one would.
  if (tables.site_info.Holds(key)) return;
  const std::string where = "antenna site " + key;
  tables.site_info.Add(run, key, where, [&](db::TableRecordset& rs) {
    SetSiteFields(rs, state);
    rs.Set("FipsCode", "");
  });
  WriteUserSiteRow(run, state, tables, where);
}

void WriteAntSiteCallSign(engine::RunContext& run, const ConversionState& state,
                          AntennaSideTables& tables) {
  const std::string& key = state.site.tower_site_key;
  AntSiteCallSignTable& table = tables.ant_site_call_sign;
  if (text::Trim(key).empty() || table.Refused(key)) return;
  const std::string& call = state.cur_call_sign;
  const std::string& service = state.cur_rad_svc_code;
  const bool has_service = !text::Trim(service).empty();
  const std::string where = "antenna site " + key;
  const std::optional<AntSiteCallSignTable::Row> stored = table.Find(key);
  if (!stored) {
    table.Add(run, key, where, [&](db::TableRecordset& row) {
      row.Set("AntSiteKey", key);
      row.Set("CallSigns", call + "~");
      row.Set("RadSvc", has_service ? service + "~" : "");
      row.Set("FreqCount", 1);
      row.Set("CallSignCount", 1);
    });
    return;
  }
  const bool call_listed = Listed(stored->call_signs, call);
  const std::int64_t new_freq_count = Raised(run, tables, key, "FreqCount", stored->freq_count);
  if (call_listed && new_freq_count == stored->freq_count) return;  // nothing changes
  const std::int64_t new_call_sign_count =
      call_listed ? stored->call_sign_count
                  : Raised(run, tables, key, "CallSignCount", stored->call_sign_count);
  // A held count is not set: one beyond the limit would not fit a 16-bit field.
  table.Edit(run, key, where, [&](db::TableRecordset& row) {
    if (new_freq_count != stored->freq_count) row.Set("FreqCount", new_freq_count);
    if (call_listed) return;
    row.Set("AntSiteKey", key);
    row.Set("CallSigns", stored->call_signs + call + "~");
    if (has_service && !Listed(stored->rad_svc, service))
      row.Set("RadSvc", stored->rad_svc + service + "~");
    if (new_call_sign_count != stored->call_sign_count)
      row.Set("CallSignCount", new_call_sign_count);
  });
}

}  // namespace morvane::convert
