#include "convert/site_record.h"

#include "platform/text/text.h"

namespace morvane::convert {

std::string SiteRecordColumns(SiteFields fields) {
  std::string columns =
      "rowid, SiteKey, FilingKey, SiteElevation, SiteLatDMS, SiteLatSec, SiteLonDMS, SiteLonSec, NadInd, "
      "TowerSiteKey, TowerFlag";
  if (fields == SiteFields::kAll) columns += ", SiteStreet1, SiteStreet2, SiteCity, SiteCounty, SiteState";
  return columns;
}

SiteRecord ReadSiteRecord(const db::PreparedSql& rows, std::int64_t row, SiteFields fields) {
  int column = 0;
  auto next = [&]() -> const db::Value& { return rows.Get(row, column++); };
  SiteRecord s;
  s.row_id = next().AsInteger();
  s.site_key = next().AsInteger();
  s.filing_key = next().AsInteger();
  for (std::string* text : {&s.elevation, &s.lat_dms, &s.lat_sec, &s.lon_dms, &s.lon_sec, &s.nad_ind,
                            &s.tower_site_key, &s.tower_flag})
    *text = next().AsText();
  s.match_datum = s.nad_ind == "83" ? "NAD83" : "NAD27";
  if (fields == SiteFields::kCoordinates) return s;
  for (std::string* text : {&s.street1, &s.street2, &s.city, &s.county, &s.state}) *text = next().AsText();
  s.match_street = SiteStreetTextOf(s.street1, s.street2);
  return s;
}

std::string SiteStreetTextOf(std::string_view street1, std::string_view street2) {
  const std::string second = text::Trim(street2);
  return second.empty() ? text::Trim(street1) : text::Trim(street1) + " / " + second;
}

bool HasNoCoordinates(const SiteRecord& site) {
  return text::Val(site.lat_sec) == 0 && text::Val(site.lon_sec) == 0;
}

std::string SiteCoordKey(const SiteRecord& s) {
  return text::Trim(s.lat_dms + "|" + s.lon_dms + "|" + s.match_datum + "|" + s.elevation);
}

std::string SiteCoordKeyC(const SiteRecord& s) {
  return text::Trim(s.lat_dms + "|" + s.lon_dms + "|" + s.match_datum + "|" + s.elevation + "|");
}

std::string SiteAddressKey(const SiteRecord& s) {
  return text::Trim(s.state + "|" + s.county + "|" + s.city + "|" + s.match_street + "|" + s.elevation +
                    "|||||||");
}

}  // namespace morvane::convert
