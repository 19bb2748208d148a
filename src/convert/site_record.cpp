#include "convert/site_record.h"

#include "platform/text/text.h"

namespace morvane::convert {

SiteRecordReader::SiteRecordReader(const db::TableRecordset& rs)
    : rs_(rs),
      site_key_(rs.FieldIndex("SiteKey")),
      filing_key_(rs.FieldIndex("FilingKey")),
      street1_(rs.FieldIndex("SiteStreet1")),
      street2_(rs.FieldIndex("SiteStreet2")),
      city_(rs.FieldIndex("SiteCity")),
      county_(rs.FieldIndex("SiteCounty")),
      state_(rs.FieldIndex("SiteState")),
      elevation_(rs.FieldIndex("SiteElevation")),
      lat_dms_(rs.FieldIndex("SiteLatDMS")),
      lat_sec_(rs.FieldIndex("SiteLatSec")),
      lon_dms_(rs.FieldIndex("SiteLonDMS")),
      lon_sec_(rs.FieldIndex("SiteLonSec")),
      nad_ind_(rs.FieldIndex("NadInd")),
      tower_site_key_(rs.FieldIndex("TowerSiteKey")),
      tower_flag_(rs.FieldIndex("TowerFlag")) {}

SiteRecord SiteRecordReader::Read() const {
  SiteRecord s;
  auto text = [&](int field) { return rs_.Get(field).AsText(); };
  s.site_key = rs_.Get(site_key_).AsInteger();
  s.filing_key = rs_.Get(filing_key_).AsInteger();
  s.street1 = text(street1_);
  s.street2 = text(street2_);
  s.city = text(city_);
  s.county = text(county_);
  s.state = text(state_);
  s.elevation = text(elevation_);
  s.lat_dms = text(lat_dms_);
  s.lat_sec = text(lat_sec_);
  s.lon_dms = text(lon_dms_);
  s.lon_sec = text(lon_sec_);
  s.nad_ind = text(nad_ind_);
  s.tower_site_key = text(tower_site_key_);
  s.tower_flag = text(tower_flag_);
  s.match_datum = s.nad_ind == "83" ? "NAD83" : "NAD27";
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
