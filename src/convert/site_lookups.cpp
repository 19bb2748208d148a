#include "convert/site_lookups.h"

#include "convert/site_record.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

constexpr std::size_t kMakeModelWidth = 25;

}  // namespace

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
  enum { kSiteKey, kStreet1, kStreet2, kCity, kCounty, kState, kElevation, kLatDms, kLatSec,
         kLonDms, kLonSec, kNadInd, kTowerSiteKey };
  static constexpr std::string_view kFields[] = {
      "SiteKey",    "SiteStreet1", "SiteStreet2", "SiteCity",   "SiteCounty",
      "SiteState",  "SiteElevation", "SiteLatDMS", "SiteLatSec", "SiteLonDMS",
      "SiteLonSec", "NadInd",      "TowerSiteKey"};
  StagingLookup& row = tables.site;
  SiteValues& s = state.site;
  if (!row.Find(state.row.site_key, kFields)) {
    for (std::string* value : {&s.street1, &s.city, &s.county, &s.state, &s.lat_dms, &s.lat_sec,
                               &s.lon_dms, &s.lon_sec, &s.nad_ind})
      value->clear();
    return;
  }
  state.cur_site_key = row.Get(kSiteKey).AsInteger();
  s.street1 = row.Text(kStreet1);
  s.street2 = row.Text(kStreet2);
  s.city = row.Text(kCity);
  s.county = row.Text(kCounty);
  s.state = row.Text(kState);
  s.elevation = row.Text(kElevation);
  s.lat_dms = row.Text(kLatDms);
  s.lat_sec = row.Text(kLatSec);
  s.lon_dms = row.Text(kLonDms);
  s.lon_sec = row.Text(kLonSec);
  s.nad_ind = row.Text(kNadInd);
  s.street_text = SiteStreetTextOf(s.street1, s.street2);
  s.datum = SiteDatumOf(s.nad_ind);
  s.tower_site_key = row.Text(kTowerSiteKey);
}

void GetAntennaData(ConversionState& state, EsTables& tables) {
  enum { kAntennaKey, kSiteKey, kDiameter, kDiameterMajor, kHeightMaxAgl, kTowerId,
         kManufacturer, kModel };
  static constexpr std::string_view kFields[] = {"AntennaKey",   "SiteKey", "Diameter",
                                                 "DiameterMajor", "HeightMaxAgl", "TowerId",
                                                 "Manufacturer", "Model"};
  StagingLookup& row = tables.antenna;
  AntennaValues& a = state.antenna;
  if (!row.Find(state.row.antenna_key, kFields)) {
    for (std::string* value : {&a.diameter, &a.height_max_agl, &a.make, &a.model, &a.tower_id})
      value->clear();
    return;
  }
  state.cur_antenna_key = row.Get(kAntennaKey).AsInteger();
  state.cur_site_key = row.Get(kSiteKey).AsInteger();
  a.diameter = row.Text(kDiameter);
  a.diameter_major = row.Text(kDiameterMajor);
  a.height_max_agl = row.Text(kHeightMaxAgl);
  a.tower_id = row.Text(kTowerId);
  MakeModel mm = MakeModelOf(row.Text(kManufacturer), row.Text(kModel));
  a.make = std::move(mm.make);
  a.model = std::move(mm.model);
}

void DecodeAntennaGainTbl(ConversionState& state, EsTables& tables) {
  static constexpr std::string_view kFields[] = {"Gain"};
  StagingLookup& row = tables.antenna_gain;
  state.antenna.gain =
      row.Find(state.row.antenna_key, kFields) ? row.Text(0) : std::string();
}

void GetFreqCoordData(ConversionState& state, EsTables& tables) {
  enum { kAzimuthEast, kAzimuthWest, kElevationEast, kElevationWest, kFreqLimitLow,
         kFreqLimitHigh, kSatArcEast, kSatArcWest, kSatHemiEast, kSatHemiWest, kSatOrbitType,
         kHorizMaxDensity };
  static constexpr std::string_view kFields[] = {
      "AzimuthEast", "AzimuthWest", "ElevationEast", "ElevationWest", "FreqLimitLow",
      "FreqLimitHigh", "SatArcEast", "SatArcWest", "SatHemiEast", "SatHemiWest",
      "SatOrbitType", "HorizMaxDensity"};
  StagingLookup& row = tables.freq_coord;
  FreqCoordValues& c = state.freq_coord;
  if (!row.Find(state.row.antenna_key, kFields)) {
    c = FreqCoordValues{};
    return;
  }
  c.azimuth_east = row.Text(kAzimuthEast);
  c.azimuth_west = row.Text(kAzimuthWest);
  c.elevation_east = row.Text(kElevationEast);
  c.elevation_west = row.Text(kElevationWest);
  c.freq_limit_low = row.Text(kFreqLimitLow);
  c.freq_limit_high = row.Text(kFreqLimitHigh);
  c.sat_arc_east = row.Text(kSatArcEast);
  c.sat_arc_west = row.Text(kSatArcWest);
  c.sat_hemi_east = row.Text(kSatHemiEast);
  c.sat_hemi_west = row.Text(kSatHemiWest);
  c.sat_orbit_type = row.Text(kSatOrbitType);
  // Copied like the others, so the transmit side's coordination record keeps
  // the density that the export holds.
  c.horiz_max_density = row.Text(kHorizMaxDensity);
}

}  // namespace morvane::convert
