#include "convert/site_lookups.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

constexpr std::size_t kMakeModelWidth = 25;

std::string TextOf(const MemoRow& row, std::size_t field) { return row.Get(field).AsText(); }

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

void GetSiteData(ConversionState& state, EsTables& tables, LookupMemo& memo) {
  enum { kSiteKey, kStreet1, kStreet2, kCity, kCounty, kState, kElevation, kLatDms, kLatSec,
         kLonDms, kLonSec, kNadInd, kTowerSiteKey };
  static constexpr std::string_view kFields[] = {
      "SiteKey",    "SiteStreet1", "SiteStreet2", "SiteCity",   "SiteCounty",
      "SiteState",  "SiteElevation", "SiteLatDMS", "SiteLatSec", "SiteLonDMS",
      "SiteLonSec", "NadInd",      "TowerSiteKey"};
  MemoRow& row = memo.site;
  SiteValues& s = state.site;
  if (!row.Find(tables.site, state.row.site_key, kFields)) {
    for (std::string* value : {&s.street1, &s.city, &s.county, &s.state, &s.lat_dms, &s.lat_sec,
                               &s.lon_dms, &s.lon_sec, &s.nad_ind})
      value->clear();
    return;
  }
  state.cur_site_key = row.Get(kSiteKey).AsInteger();
  s.street1 = TextOf(row, kStreet1);
  s.street2 = TextOf(row, kStreet2);
  s.city = TextOf(row, kCity);
  s.county = TextOf(row, kCounty);
  s.state = TextOf(row, kState);
  s.elevation = TextOf(row, kElevation);
  s.lat_dms = TextOf(row, kLatDms);
  s.lat_sec = TextOf(row, kLatSec);
  s.lon_dms = TextOf(row, kLonDms);
  s.lon_sec = TextOf(row, kLonSec);
  s.nad_ind = TextOf(row, kNadInd);
  s.street_text = SiteStreetTextOf(s.street1, s.street2);
  s.datum = SiteDatumOf(s.nad_ind);
  s.tower_site_key = TextOf(row, kTowerSiteKey);
}

void GetAntennaData(ConversionState& state, EsTables& tables, LookupMemo& memo) {
  enum { kAntennaKey, kSiteKey, kDiameter, kDiameterMajor, kHeightMaxAgl, kTowerId,
         kManufacturer, kModel };
  static constexpr std::string_view kFields[] = {"AntennaKey",   "SiteKey", "Diameter",
                                                 "DiameterMajor", "HeightMaxAgl", "TowerId",
                                                 "Manufacturer", "Model"};
  MemoRow& row = memo.antenna;
  AntennaValues& a = state.antenna;
  if (!row.Find(tables.antenna, state.row.antenna_key, kFields)) {
    for (std::string* value : {&a.diameter, &a.height_max_agl, &a.make, &a.model, &a.tower_id})
      value->clear();
    return;
  }
  state.cur_antenna_key = row.Get(kAntennaKey).AsInteger();
  state.cur_site_key = row.Get(kSiteKey).AsInteger();
  a.diameter = TextOf(row, kDiameter);
  a.diameter_major = TextOf(row, kDiameterMajor);
  a.height_max_agl = TextOf(row, kHeightMaxAgl);
  a.tower_id = TextOf(row, kTowerId);
  MakeModel mm = MakeModelOf(TextOf(row, kManufacturer), TextOf(row, kModel));
  a.make = std::move(mm.make);
  a.model = std::move(mm.model);
}

void DecodeAntennaGainTbl(ConversionState& state, EsTables& tables, LookupMemo& memo) {
  static constexpr std::string_view kFields[] = {"Gain"};
  MemoRow& row = memo.antenna_gain;
  state.antenna.gain =
      row.Find(tables.antenna_gain, state.row.antenna_key, kFields) ? TextOf(row, 0) : std::string();
}

void GetFreqCoordData(ConversionState& state, EsTables& tables, LookupMemo& memo) {
  enum { kAzimuthEast, kAzimuthWest, kElevationEast, kElevationWest, kFreqLimitLow,
         kFreqLimitHigh, kSatArcEast, kSatArcWest, kSatHemiEast, kSatHemiWest, kSatOrbitType,
         kHorizMaxDensity };
  static constexpr std::string_view kFields[] = {
      "AzimuthEast", "AzimuthWest", "ElevationEast", "ElevationWest", "FreqLimitLow",
      "FreqLimitHigh", "SatArcEast", "SatArcWest", "SatHemiEast", "SatHemiWest",
      "SatOrbitType", "HorizMaxDensity"};
  MemoRow& row = memo.freq_coord;
  FreqCoordValues& c = state.freq_coord;
  if (!row.Find(tables.freq_coord, state.row.antenna_key, kFields)) {
    c = FreqCoordValues{};
    return;
  }
  c.azimuth_east = TextOf(row, kAzimuthEast);
  c.azimuth_west = TextOf(row, kAzimuthWest);
  c.elevation_east = TextOf(row, kElevationEast);
  c.elevation_west = TextOf(row, kElevationWest);
  c.freq_limit_low = TextOf(row, kFreqLimitLow);
  c.freq_limit_high = TextOf(row, kFreqLimitHigh);
  c.sat_arc_east = TextOf(row, kSatArcEast);
  c.sat_arc_west = TextOf(row, kSatArcWest);
  c.sat_hemi_east = TextOf(row, kSatHemiEast);
  c.sat_hemi_west = TextOf(row, kSatHemiWest);
  c.sat_orbit_type = TextOf(row, kSatOrbitType);
  // Copied like the others, so the transmit side's coordination record keeps
  // the density that the export holds.
  c.horiz_max_density = TextOf(row, kHorizMaxDensity);
}

}  // namespace morvane::convert
