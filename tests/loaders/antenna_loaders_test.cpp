#include <gtest/gtest.h>

#include "loaders/antenna_values.h"
#include "loaders/field_cases.h"

namespace morvane::testing {
namespace {

using V = db::Value;

TEST(AntennaValuesTest, GainTextReadsFiveCharactersAndKeepsSix) {
  const struct {
    const char* piece;
    const char* text;
  } cases[] = {
      {"12.345", "0012.3"},   // only 12.34 is read
      {"-1234.5", "-1234."},  // first six of -1234.0
      {"123456", "12345."},   // first six of 12345.0
      {"", "0000.0"},
      {"  12.5", "0012.0"},  // the leading blanks count among the five
      {"-2.5", "-002.5"},
      {"abc", "0000.0"},
      {"9999.9", "9999.0"},  // "9999." is all that is read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.piece);
    EXPECT_EQ(loaders::GainText(c.piece), c.text);
  }
}

TEST(AntennaValuesTest, CapAt9999_9) {
  EXPECT_EQ(loaders::CapAt9999_9(9999.9), 9999.9);
  EXPECT_EQ(loaders::CapAt9999_9(9999.91), 9999.9);
  EXPECT_EQ(loaders::CapAt9999_9(12345), 9999.9);
  EXPECT_EQ(loaders::CapAt9999_9(9999.89), 9999.89);
  EXPECT_EQ(loaders::CapAt9999_9(-50000), -50000);  // no lower bound
}

std::vector<std::string> AntennaRecord() {
  return {"1",   "A1", "2",  "3",     "4",  "5",  "6", "7", "8",
          "9",   "Mfr", "10", "11", "Model", "12", "T1", "Y"};
}

TEST(AntennaLoaderTest, StoresOneRecordFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAntennaTable"),
                 " 11 | ANT-1 | 22 |3.7|1.2|4.5|6.55|-12.34|-12.34|-12.34| Acme |-12.34|0|"
                 " DX-9 |2| TW | Y |^|\n",
                 {"AntennaKey", "AntennaId", "SiteKey", "Diameter",
                  "DiameterMinor", "DiameterMajor", "HeightBldgAgl",
                  "HeightMaxAgl", "HeightMaxAmsl", "HeightMaxARoof",
                  "Manufacturer", "MaxInputPower", "MaxOutputEirp", "Model",
                  "Quantity", "TowerId", "TowerClearedSw", "TowerSiteKey",
                  "TowerFlag"}, 6),
            Expected({{V(11), V("ANT-1"), V(22), V("0003.7"), V("0001.2"), V("0004.5"), V("0006.6"),
                       V("0012.3"), V("-012.3"), V("0012.3"), V("Acme"), V(" 012.3"), V("0000.0"),
                       V("DX-9"), V("000002"), V("TW"), V("Y"), V(), V()}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"6|Populate Antenna Table!|1"});
}

TEST(AntennaLoaderTest, HeightsAndPowers) {
  ExpectFieldCases(LoaderNamed("PopulateAntennaTable"), AntennaRecord(),
                   {
                       Stores(8, "-12.34", "HeightMaxAgl", V("0012.3")),
                       Stores(8, "12345", "HeightMaxAgl", V("9999.9")),
                       Stores(8, "9999.9", "HeightMaxAgl", V("9999.9")),
                       Stores(8, "-20000", "HeightMaxAgl", V("9999.9")),
                       Stores(9, "-12.34", "HeightMaxAmsl", V("-012.3")),
                       Stores(9, "0", "HeightMaxAmsl", V("0000.0")),
                       Stores(9, "20000", "HeightMaxAmsl", V("9999.9")),
                       Rejects(9, "-1000", "HeightMaxAmsl"),
                       Stores(10, "-12.34", "HeightMaxARoof", V("0012.3")),
                       Stores(10, "0", "HeightMaxARoof", V(" 000.0")),
                       Stores(10, "99999", "HeightMaxARoof", V("9999.9")),
                       Stores(12, "-12.34", "MaxInputPower", V(" 012.3")),
                       Stores(12, "0", "MaxInputPower", V("0000.0")),
                       Stores(12, "10000", "MaxInputPower", V("9999.9")),
                       Stores(13, "-12.34", "MaxOutputEirp", V(" 012.3")),
                       Stores(13, "", "MaxOutputEirp", V("0000.0")),
                       Rejects(13, "-999.95", "MaxOutputEirp"),
                       Stores(7, "9999.94", "HeightBldgAgl", V("9999.9")),
                       Rejects(7, "9999.96", "HeightBldgAgl"),  // not capped: 10000.0
                       Rejects(7, "-1", "HeightBldgAgl"),
                       Rejects(4, "10000", "Diameter"),
                       Rejects(4, "1e999", "Diameter"),  // beyond any number
                       Rejects(8, "-1e999", "HeightMaxAgl"),
                       Rejects(5, "-0.5", "DiameterMinor"),
                       Stores(15, "12", "Quantity", V("000012")),
                       Stores(15, "", "Quantity", V("000000")),
                       Stores(15, "123456789", "Quantity", V("123456789")),
                       Rejects(15, "1234567890", "Quantity"),
                       Rejects(2, "ELEVENCHARS", "AntennaId"),
                       Stores(1, "N/A", "AntennaKey", V(0)),
                       Rejects(3, "4.5", "SiteKey"),
                   });
}

TEST(AntennaLoaderTest, EqualKeysAreAllKept) {
  LoaderFixture fx;
  const std::string record = RecordLine(AntennaRecord());
  fx.WriteDataSet("anten.dat", record + record + "\n  \n");
  fx.Run(LoaderNamed("PopulateAntennaTable"));
  EXPECT_EQ(fx.RowCount("DalkAntenna"), 2);
  // The blank lines count among the records processed.
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"1|Populate Antenna Table!|4"});
}

TEST(AntennaGainLoaderTest, Fields) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAntennaGainTable"),
                 " 3 | 11 |12.345| 11700.5 | T |^|\n",
                 {"GainKey", "AntennaKey", "Gain", "Frequency", "TransMode"}, 4),
            Expected({{V(3), V(11), V("0012.3"), V("00011700.50000000"), V("T")}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"4|Populate Antenna Gain Table!|1"});

  ExpectFieldCases(LoaderNamed("PopulateAntennaGainTable"), {"1", "2", "3", "4", "R"},
                   {
                       Stores(3, "-1234.5", "Gain", V("-1234.")),
                       Stores(3, "123456", "Gain", V("12345.")),
                       Stores(3, "", "Gain", V("0000.0")),
                       Stores(4, "-5", "Frequency", V("-0000005.00000000")),
                       Stores(4, "", "Frequency", V("00000000.00000000")),
                       Rejects(4, "100000000", "Frequency"),
                       Rejects(4, "-10000000", "Frequency"),
                       Rejects(5, "TR", "TransMode"),
                       Rejects(3, "9e999", "Gain"),
                   });
}

TEST(AntennaTypeCodeLoaderTest, Fields) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateAntennaTypeCodeTable"),
                 "7|  Parabolic dish  |Jan 05 2010|^|\n",
                 {"AntennaTypeCode", "Description", "InactiveDate"}, 5),
            Expected({{V("07"), V("  Parabolic dish  "), V("20100105")}}));

  ExpectFieldCases(LoaderNamed("PopulateAntennaTypeCodeTable"), {"1", "D", ""},
                   {
                       Stores(1, "X1", "AntennaTypeCode", V("00")),
                       Stores(1, "42", "AntennaTypeCode", V("42")),
                       Rejects(1, "100", "AntennaTypeCode"),
                       Stores(3, "", "InactiveDate", V("")),
                       Rejects(3, "Foo 12 2010", "InactiveDate"),
                       Stores(3, "Jan  0 2010", "InactiveDate", V("20100100")),
                       Stores(3, "Jan 32 2010", "InactiveDate", V("20100132")),
                       Stores(3, "Jan  x 2010", "InactiveDate", V("2010010x")),
                   });
}

TEST(AzimuthLoaderTest, Fields) {
  ExpectFieldCases(LoaderNamed("PopulateAzimuth"), {"1", "2", "3"},
                   {
                       Stores(3, "12.5", "Azimuth", V(12.5)),
                       Stores(3, "", "Azimuth", V(0.0)),
                       Stores(3, "-359.75", "Azimuth", V(-359.75)),
                       Rejects(3, "1e39", "Azimuth"),  // beyond a Single
                       Stores(1, " 8 ", "AzimuthKey", V(8)),
                       Rejects(2, "2.5", "AntennaKey"),
                   });
}

TEST(PolarizationCodeLoaderTest, StoresThePiecesAsTheyStand) {
  LoaderFixture fx;
  // A line is read without its leading blanks, so piece 1 keeps only its trailing ones.
  EXPECT_EQ(Load(fx, LoaderNamed("PopulatePolarizationCode"),
                 " L |   |Feb 28 1999|^|\n",
                 {"PolarizationCode", "PolarizationType", "InactiveDate"}, 23),
            Expected({{V("L "), V("   "), V("19990228")}}));
  EXPECT_EQ(fx.ui().CaptionHistory("frmStatus", "lblStatus").front(),
            "Populating 'NatureOfServiceCode' table with  < polar.dat >  data !");
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"23|Populate Polarization Code Table!|1"});

  ExpectFieldCases(LoaderNamed("PopulatePolarizationCode"), {"L", "Linear", ""},
                   {
                       Stores(1, "LH ", "PolarizationCode", V("LH ")),
                       Stores(2, " Linear ", "PolarizationType", V(" Linear ")),
                       Rejects(1, "LHCP", "PolarizationCode"),
                       Stores(2, "Twenty-eight characters long", "PolarizationType",
                              V("Twenty-eight characters long")),
                       Rejects(2, "Twenty-nine characters long!!", "PolarizationType"),
                   });
}

}  // namespace
}  // namespace morvane::testing
