#include "convert/site_lookups.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

constexpr std::size_t kMakeModelWidth = 25;

std::string TextOf(const db::TableRecordset& rs, std::string_view field) {
  return rs.Get(field).AsText();
}

bool SeekFound(db::TableRecordset& rs, std::int64_t key) {
  rs.Seek("=", key);
  return !rs.NoMatch();
}

}  // namespace

std::string SiteStreetTextOf(std::string_view street1, std::string_view street2) {
  const std::string second = Trim(street2);
  return second.empty() ? Trim(street1) : Trim(street1) + " / " + second;
}

std::string SiteDatumOf(std::string_view nad_ind) {
  return Trim(nad_ind) == "83" ? "NAD83" : "NAD27";
}

MakeModel MakeModelOf(std::string_view manufacturer, std::string_view model) {
  const std::string m = Trim(manufacturer);
  MakeModel out{m, Trim(model)};
  // A manufacturer that names its model ("Alpha Dish Model 3.8M") gives the
  // text after the word, joined directly to the model field.
  if (const std::size_t p = text::InStr(m, "MODEL"); p != 0) {
    out.make = Trim(text::Left(m, p - 1));
    out.model = Trim(text::Mid(m, p + 5) + out.model);
  }
  // The word itself at the start of the model ("Model 3.8", "No. 12"); what
  // follows keeps its blanks.
  if (const std::size_t q = text::InStr(out.model, "ODEL"); q > 1) out.model = text::Mid(out.model, q + 4);
  if (const std::size_t r = text::InStr(out.model, "NO."); r > 0) out.model = text::Mid(out.model, r + 3);
  out.make = text::Left(out.make, kMakeModelWidth);
  out.model = text::Left(out.model, kMakeModelWidth);
  return out;
}

void GetSiteData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.site;
  SiteValues& s = state.site;
  if (!SeekFound(rs, state.row.site_key)) {
    for (std::string* value : {&s.street1, &s.city, &s.county, &s.state, &s.lat_dms, &s.lat_sec,
                               &s.lon_dms, &s.lon_sec, &s.nad_ind})
      value->clear();
    return;
  }
  state.cur_site_key = rs.Get("SiteKey").AsInteger();
  s.street1 = TextOf(rs, "SiteStreet1");
  s.street2 = TextOf(rs, "SiteStreet2");
  s.city = TextOf(rs, "SiteCity");
  s.county = TextOf(rs, "SiteCounty");
  s.state = TextOf(rs, "SiteState");
  s.elevation = TextOf(rs, "SiteElevation");
  s.lat_dms = TextOf(rs, "SiteLatDMS");
  s.lat_sec = TextOf(rs, "SiteLatSec");
  s.lon_dms = TextOf(rs, "SiteLonDMS");
  s.lon_sec = TextOf(rs, "SiteLonSec");
  s.nad_ind = TextOf(rs, "NadInd");
  s.street_text = SiteStreetTextOf(s.street1, s.street2);
  s.datum = SiteDatumOf(s.nad_ind);
  s.tower_site_key = TextOf(rs, "TowerSiteKey");
}

void GetAntennaData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.antenna;
  AntennaValues& a = state.antenna;
  if (!SeekFound(rs, state.row.antenna_key)) {
    for (std::string* value : {&a.diameter, &a.height_max_agl, &a.make, &a.model, &a.tower_id})
      value->clear();
    return;
  }
  state.cur_antenna_key = rs.Get("AntennaKey").AsInteger();
  state.cur_site_key = rs.Get("SiteKey").AsInteger();
  a.diameter = TextOf(rs, "Diameter");
  a.diameter_major = TextOf(rs, "DiameterMajor");
  a.height_max_agl = TextOf(rs, "HeightMaxAgl");
  a.tower_id = TextOf(rs, "TowerId");
  MakeModel mm = MakeModelOf(TextOf(rs, "Manufacturer"), TextOf(rs, "Model"));
  a.make = std::move(mm.make);
  a.model = std::move(mm.model);
}

void DecodeAntennaGainTbl(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.antenna_gain;
  state.antenna.gain = SeekFound(rs, state.row.antenna_key) ? TextOf(rs, "Gain") : std::string();
}

void GetFreqCoordData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.freq_coord;
  FreqCoordValues& c = state.freq_coord;
  if (!SeekFound(rs, state.row.antenna_key)) {
    c = FreqCoordValues{};
    return;
  }
  c.azimuth_east = TextOf(rs, "AzimuthEast");
  c.azimuth_west = TextOf(rs, "AzimuthWest");
  c.elevation_east = TextOf(rs, "ElevationEast");
  c.elevation_west = TextOf(rs, "ElevationWest");
  c.freq_limit_low = TextOf(rs, "FreqLimitLow");
  c.freq_limit_high = TextOf(rs, "FreqLimitHigh");
  c.sat_arc_east = TextOf(rs, "SatArcEast");
  c.sat_arc_west = TextOf(rs, "SatArcWest");
  c.sat_hemi_east = TextOf(rs, "SatHemiEast");
  c.sat_hemi_west = TextOf(rs, "SatHemiWest");
  c.sat_orbit_type = TextOf(rs, "SatOrbitType");
  // Copied like the others, so the transmit side's coordination record keeps
  // the density that the export holds.
  c.horiz_max_density = TextOf(rs, "HorizMaxDensity");
}

}  // namespace morvane::convert
