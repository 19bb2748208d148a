// The site and antenna lookups on a small staging database.
#include "convert/site_lookups.h"

#include <gtest/gtest.h>

#include "convert/es_fixture.h"
#include "convert/site_record.h"

namespace morvane::convert {
namespace {

TEST(SiteTextsTest, StreetTextAndDatum) {
  EXPECT_EQ(SiteStreetTextOf(" 12 Main St ", " Bldg 4 "), "12 Main St / Bldg 4");
  EXPECT_EQ(SiteStreetTextOf("12 Main St", "   "), "12 Main St");
  EXPECT_EQ(SiteDatumOf(" 83 "), "NAD83");
  for (const char* other : {"27", "0", "", "84"}) EXPECT_EQ(SiteDatumOf(other), "NAD27") << other;
}

TEST(MakeModelTest, SplitsTheManufacturerAndStripsTheModelWord) {
  struct Case {
    const char *manufacturer, *model, *make, *expected_model;
  };
  const Case cases[] = {
      {"Alpha Dish Model 3.8M", "", "Alpha Dish", "3.8M"},
      {"Alpha Dish model 3.8M", "X1", "Alpha Dish", "3.8MX1"},
      {"Alpha", "Model 3.8", "Alpha", " 3.8"},
      {"Alpha", "No. 12", "Alpha", " 12"},
      {"Alpha", "ODEL7", "Alpha", "ODEL7"},
      {"MODEL 9 Dish", "", "", "9 Dish"},
      {"Abcdefghijklmnopqrstuvwxyz1234", "", "Abcdefghijklmnopqrstuvwxy", ""},
  };
  for (const Case& c : cases) {
    const MakeModel mm = MakeModelOf(c.manufacturer, c.model);
    EXPECT_EQ(mm.make, c.make) << c.manufacturer;
    EXPECT_EQ(mm.model, c.expected_model) << c.manufacturer << " / " << c.model;
  }
}

class SiteLookupsTest : public ::testing::Test {
 protected:
  testing::EsFixture f;
};

TEST_F(SiteLookupsTest, SiteDataCopiesTheRowAndKeepsSomeValuesOnNoMatch) {
  f.Sql("INSERT INTO DalkSite (SiteKey, SiteStreet1, SiteStreet2, SiteCity, SiteElevation, SiteLatDMS, "
        "NadInd) VALUES (100, '12 Main St', 'Bldg 4', 'Reston', '0123.0', '38-57-00.0N', '83')");
  f.state.row.site_key = 100;
  GetSiteData(f.state, f.Tables());
  const SiteValues& s = f.state.site;
  EXPECT_EQ(f.state.cur_site_key, 100);
  EXPECT_EQ(s.city, "Reston");
  EXPECT_EQ(s.street_text, "12 Main St / Bldg 4");
  EXPECT_EQ(s.datum, "NAD83");
  EXPECT_EQ(s.tower_site_key, "");  // Null

  f.state.row.site_key = 101;
  GetSiteData(f.state, f.Tables());
  EXPECT_EQ(s.street1, "");
  EXPECT_EQ(s.city, "");
  EXPECT_EQ(s.lat_dms, "");
  EXPECT_EQ(s.street2, "Bldg 4");
  EXPECT_EQ(s.elevation, "0123.0");
  EXPECT_EQ(s.street_text, "12 Main St / Bldg 4");
  EXPECT_EQ(s.datum, "NAD83");
  EXPECT_EQ(f.state.cur_site_key, 100);
}

TEST_F(SiteLookupsTest, AntennaGainAndCoordinationTakeTheFirstRowOrNothing) {
  f.Sql("INSERT INTO DalkAntenna (AntennaKey, SiteKey, Diameter, DiameterMajor, HeightMaxAgl, Manufacturer, "
        "Model, TowerId) VALUES (7, 100, '0003.8', '0004.0', '0010.0', 'Alpha Model 3.8M', 'X1', 'T1');"
        "INSERT INTO DalkAntennaGain (GainKey, AntennaKey, Gain) VALUES (1, 7, '0045.1');"
        "INSERT INTO DalkAntennaGain (GainKey, AntennaKey, Gain) VALUES (2, 7, '0046.2');"
        "INSERT INTO DalkFreqCoord (CoordKey, AntennaKey, AzimuthEast, FreqLimitLow, SatOrbitType, "
        "HorizMaxDensity) VALUES (1, 7, '0090.0', '00005925.00000000', 'G', '-030.0')");
  f.state.row.antenna_key = 7;
  GetAntennaData(f.state, f.Tables());
  DecodeAntennaGainTbl(f.state, f.Tables());
  GetFreqCoordData(f.state, f.Tables());
  const AntennaValues& a = f.state.antenna;
  EXPECT_EQ(f.state.cur_antenna_key, 7);
  EXPECT_EQ(f.state.cur_site_key, 100);
  EXPECT_EQ(a.make, "Alpha");
  EXPECT_EQ(a.model, "3.8MX1");
  EXPECT_EQ(a.tower_id, "T1");
  EXPECT_EQ(a.gain, "0045.1");
  EXPECT_EQ(f.state.freq_coord.azimuth_east, "0090.0");
  EXPECT_EQ(f.state.freq_coord.freq_limit_low, "00005925.00000000");
  EXPECT_EQ(f.state.freq_coord.horiz_max_density, "-030.0");

  f.state.row.antenna_key = 8;
  GetAntennaData(f.state, f.Tables());
  DecodeAntennaGainTbl(f.state, f.Tables());
  GetFreqCoordData(f.state, f.Tables());
  EXPECT_EQ(a.diameter, "");
  EXPECT_EQ(a.make, "");
  EXPECT_EQ(a.diameter_major, "0004.0");
  EXPECT_EQ(f.state.cur_antenna_key, 7);
  EXPECT_EQ(a.gain, "");
  EXPECT_EQ(f.state.freq_coord.freq_limit_low, "");
  EXPECT_EQ(f.state.freq_coord.sat_orbit_type, "");
}

TEST_F(SiteLookupsTest, EachCallGivesTheValuesOfItsOwnKeyWhateverTheKeyBefore) {
  f.Sql("INSERT INTO DalkAntenna (AntennaKey, SiteKey, Manufacturer, TowerId) VALUES (7, 100, 'Alpha', 'T7'), "
        "(8, 200, 'Beta', 'T8');"
        "INSERT INTO DalkAntennaGain (GainKey, AntennaKey, Gain) VALUES (1, 7, '0045.1');"
        "INSERT INTO DalkFreqCoord (CoordKey, AntennaKey, AzimuthEast) VALUES (1, 8, '0090.0')");
  // Key, then make, tower id, gain, azimuth and site key as the lookups leave them.
  const std::tuple<std::int64_t, const char*, const char*, const char*, const char*, std::int64_t> steps[] = {
      {7, "Alpha", "T7", "0045.1", "", 100}, {8, "Beta", "T8", "", "0090.0", 200},
      {7, "Alpha", "T7", "0045.1", "", 100}, {7, "Alpha", "T7", "0045.1", "", 100},
      {9, "", "", "", "", 100},              {8, "Beta", "T8", "", "0090.0", 200}};
  for (const auto& [key, make, tower, gain, azimuth, site] : steps) {
    f.state.antenna = AntennaValues{"x", "x", "x", "x", "x", "x", "x"};  // as a writer might leave them
    f.state.freq_coord.azimuth_east = "x";
    f.state.row.antenna_key = key;
    GetAntennaData(f.state, f.Tables());
    DecodeAntennaGainTbl(f.state, f.Tables());
    GetFreqCoordData(f.state, f.Tables());
    EXPECT_EQ(f.state.antenna.make, make) << key;
    EXPECT_EQ(f.state.antenna.tower_id, tower) << key;
    EXPECT_EQ(f.state.antenna.gain, gain) << key;
    EXPECT_EQ(f.state.freq_coord.azimuth_east, azimuth) << key;
    EXPECT_EQ(f.state.cur_site_key, site) << key;
  }
}

}  // namespace
}  // namespace morvane::convert
