#include <gtest/gtest.h>

#include <optional>

#include "loaders/field_cases.h"
#include "loaders/frequency_values.h"

namespace morvane::testing {
namespace {

using V = db::Value;

TEST(TransmitReceiveLetterTest, BandsOverrideTheModeWhenTheyHoldBothFrequencies) {
  const struct {
    const char* mode;
    double lower, upper;
    const char* letter;
  } cases[] = {
      {"", 3700, 4200, "R"},         // an empty mode starts as R
      {"", 5925, 6425, "T"},
      {"", 14000, 14500.5, "R"},     // the upper one lies outside the band
      {"R", 14000, 14500, "T"},
      {"T", 11700, 12200, "R"},
      {"T", 10700, 10700, "R"},
      {"R", 10699.9, 10700, "R"},
      {"B", 7000, 7100, "B"},        // no band: the mode as it came
      {"t", 100, 200, "t"},          // lower case included
      {"", 1610, 1610, "T"},         // in two bands: the later wins
      {"T", 1525, 1609.9, "R"},
      {"T", 1525, 1525, "R"},
      {"R", 1660, 1660, "T"},
      {"R", 1660.1, 1661, "R"},
      {"X", 1600, 1620, "X"},        // in different bands
      {"R", 6425, 6425, "T"},
      {"R", 6425.01, 6426, "R"},
      {"T", 3699.99, 4000, "T"},
      {"T", 4200, 4200, "R"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.lower) + " " +
                 std::to_string(c.upper));
    EXPECT_EQ(loaders::TransmitReceiveLetter(c.mode, c.lower, c.upper), c.letter);
  }
}

TEST(EirpTextTest, FloorAtMinus999OnlyInTheFrequencyDataSet) {
  const struct {
    double v;
    const char* eirp;
    const char* signed_eirp;
  } cases[] = {
      {-12.34, "-012.3", "-012.3"}, {-998.96, "-999.0", "-999.0"}, {-998.9, "-998.9", "-998.9"},
      {-999, "-999.0", "-999.0"},   {-1500, "-999.0", "-1500.0"},  {0, "0000.0", "0000.0"},
      {45.67, "0045.7", "0045.7"},  {-12.5, "-012.5", "-012.5"},   {7, "0007.0", "0007.0"},
      {9999.9, "9999.9", "9999.9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(loaders::EirpText(c.v), c.eirp);
    EXPECT_EQ(loaders::SignedEirpText(c.v), c.signed_eirp);
  }
}

TEST(DensityTextTest, OnlyInsideMinus999To9999) {
  const struct {
    double v;
    std::optional<std::string> text;
  } cases[] = {
      {9999, "9999.0"}, {9999.5, std::nullopt}, {-999, "-999.0"}, {-999.01, std::nullopt},
      {0, " "},         {12.5, "0012.5"},       {-2.5, "-002.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(loaders::DensityText(c.v), c.text);
  }
}

// Frequencies outside every band, so the mode stays as it came.
const std::vector<std::string> kFrequency = {"1",       "2",    "RHC",  "12.5", "3",
                                             "36M0G7W", "7000", "7100", "",     "QPSK"};

TEST(FrequencyLoaderTest, StoresOneRecordFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateFrequencyTable"),
                 " 17 | 3 | RHC |-12.34| 45.67 | 36M0G7W |11450.5|11700| | QPSK 4 |x|y|z|^|\n",
                 {"FrequencyKey", "AntennaKey", "PolarizationCode", "Eirp", "EirpDensity",
                  "Emission", "FrequencyLower", "FrequencyUpper", "TransMode", "TransModeFix",
                  "Modulation", "FrequencyLowerDisplay", "FrequencyUpperDisplay",
                  "UnitOfMeasure"}, 13),
            Expected({{V(17), V(3), V("RHC"), V("-012.3"), V("0045.7"), V("36M0G7W"),
                       V("00011450.50000000"), V("00011700.00000000"), V(""), V("R"), V("QPSK 4"),
                       V(), V(), V()}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"13|Populate Frequency Table!|1"});
  EXPECT_TRUE(fx.RejectedLines().empty());
}

TEST(FrequencyLoaderTest, FieldConversions) {
  ExpectFieldCases(
      LoaderNamed("PopulateFrequencyTable"), kFrequency,
      {
          Stores(4, "-998.96", "Eirp", V("-999.0")),
          Stores(4, "-1500", "Eirp", V("-999.0")),
          Stores(4, "", "Eirp", V("0000.0")),
          Stores(4, "N/A", "Eirp", V("0000.0")),
          Rejects(4, "10000", "Eirp"),  // seven characters
          Rejects(4, "-1e999", "Eirp"),
          Stores(5, "-999", "EirpDensity", V("-999.0")),
          Stores(5, "9999.94", "EirpDensity", V("9999.9")),
          Stores(7, "", "FrequencyLower", V("00000000.00000000")),
          Stores(7, "99999999.99", "FrequencyLower", V("99999999.99000000")),
          Rejects(7, "-5", "FrequencyLower"),  // a negative frequency is 18 characters
          Rejects(8, "100000000", "FrequencyUpper"),
          Stores(9, " T ", "TransMode", V("T")),
          Stores(9, "t", "TransModeFix", V("t")),
          Stores(9, "", "TransModeFix", V("R")),
          Rejects(9, "TR", "TransMode"),
          Stores(1, "abc", "FrequencyKey", V(0)),
          Stores(1, "2147483647", "FrequencyKey", V(2147483647)),
          Rejects(1, "2147483648", "FrequencyKey"),
          Rejects(1, "12.5", "FrequencyKey"),
          Rejects(2, "-2147483649", "AntennaKey"),
          Rejects(6, "1234567890", "Emission"),
      });
}

TEST(FrequencyLoaderTest, TheBandsDecideTheLetterOfEachRecord) {
  // The frequencies as a record writes them, blanks and all.
  ExpectFieldCases(LoaderNamed("PopulateFrequencyTable"),
                   {"1", "2", "RHC", "0", "0", "E", " 5925 ", " 6425.0 ", "", ""},
                   {
                       Stores(9, "", "TransModeFix", V("T")),
                       Stores(9, "R", "TransModeFix", V("T")),
                       Stores(8, "6425.01", "TransModeFix", V("R")),
                   });
}

TEST(FrequencyLoaderTest, RecordsShortAndLong) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateFrequencyTable"),
                 "1|2|A|1|1|E|1|1|R|M|^|\n"  // 10 pieces: stored
                 "2|2|A|1|1|E|1|1|R|^|\n"    // 9 pieces: rejected
                 "3|2|A|1|1|E|1|1|R|M|11|12|13|14|15|16|17|18|19|20|^|\n",  // 20: the first 10
                 {"FrequencyKey", "Modulation"}),
            Expected({{V(1), V("M")}, {V(3), V("M")}}));
  EXPECT_EQ(RejectedLineNumbers(fx, "freq.dat"), std::vector<int>{2});
}

const std::vector<std::string> kFreqCoord = {"1",    "2", "10",  "20",  "5", "6", "3700",
                                             "4200", "1", "100", "200", "E", "W", "G"};

TEST(FreqCoordLoaderTest, StoresOneRecordFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateFreqCoordTable"),
                 "9 | 4 |12.34|-2.5|0|5|3700|4200.5| -12.5 |100|200| E | W | G |rest|^|\n",
                 {"CoordKey", "AntennaKey", "AzimuthEast", "AzimuthWest",
                  "ElevationEast", "ElevationWest", "FreqLimitLow",
                  "FreqLimitHigh", "HorizMaxDensity", "SatArcEast",
                  "SatArcWest", "SatHemiEast", "SatHemiWest",
                  "SatOrbitType", "TransMode"}, 15),
            Expected({{V(9), V(4), V("0012.3"), V(" 002.5"), V("0000.0"), V("0005.0"),
                       V("00003700.00000000"), V("00004200.50000000"), V("-012.5"), V("0100.0"),
                       V("0200.0"), V("E"), V("W"), V("G"), V()}}));
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"15|Populate Freq Coord Table!|1"});
}

TEST(FreqCoordLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateFreqCoordTable"), kFreqCoord,
                   {
                       Stores(9, "9999", "HorizMaxDensity", V("9999.0")),
                       Stores(9, "9999.5", "HorizMaxDensity", V()),
                       Stores(9, "-999", "HorizMaxDensity", V("-999.0")),
                       Stores(9, "-999.01", "HorizMaxDensity", V()),
                       Stores(9, "0", "HorizMaxDensity", V(" ")),
                       Stores(9, "", "HorizMaxDensity", V(" ")),
                       Stores(9, "-99999", "AzimuthEast", V("0010.0")),  // the rest still stored
                       Stores(3, "-3", "AzimuthEast", V(" 003.0")),
                       Rejects(3, "-999.95", "AzimuthEast"),
                       Rejects(3, "9999.95", "AzimuthEast"),
                       Rejects(10, "-1", "SatArcEast"),
                       Stores(11, "9999.9", "SatArcWest", V("9999.9")),
                       Rejects(12, "EW", "SatHemiEast"),
                   });
}

TEST(FrequencyFxLoaderTest, StoresOneRecordFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateFrequencyFxTable"),
                 " 5 | 42 | V |-12.5| 6K00A3E |11450.5|11460| T |^|\n",
                 {"FrequencyKey", "SiteKey", "PolarizationCode", "Eirp",
                  "Emission", "FrequencyLower", "FrequencyUpper",
                  "TransMode"}, 16),
            Expected({{V(5), V(42), V("V"), V("-012.5"), V("6K00A3E"),
                       V("00011450.50000000"), V("00011460.00000000"), V("T")}}));
}

TEST(FrequencyFxLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateFrequencyFxTable"),
                   {"1", "2", "V", "0", "E", "1", "2", "T"},
                   {
                       Stores(2, " 42 ", "SiteKey", V(42)),
                       Stores(2, "", "SiteKey", V()),   // no site key: the field stays empty
                       Stores(2, "   ", "SiteKey", V()),
                       Rejects(2, "abc", "SiteKey"),    // not a number: nothing to store
                       Rejects(2, "12.5", "SiteKey"),
                       Rejects(2, "12abc", "SiteKey"),
                       Rejects(2, "3000000000", "SiteKey"),
                       Stores(4, "7", "Eirp", V("0007.0")),
                       Stores(4, "-999.9", "Eirp", V("-999.9")),
                       Rejects(4, "-1000", "Eirp"),  // no floor here
                       Rejects(6, "-1", "FrequencyLower"),
                   });
}

TEST(FrequencyFxLoaderTest, LoadsEvenWhenTheStepBeforeReadNoRecord) {
  LoaderFixture fx;
  fx.WriteDataSet("freq_fx.dat", "5|42|V|1|E|1|2|T|^|\n");
  fx.run().record_counter = 0;
  fx.Run(LoaderNamed("PopulateFrequencyFxTable"), 16);
  EXPECT_EQ(fx.RowCount("DalkFrequencyFx"), 1);
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"16|Populate Frequency FX Table!|1"});
}

}  // namespace
}  // namespace morvane::testing
