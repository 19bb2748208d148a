#include <gtest/gtest.h>

#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

const db::Value kNull;

TEST(StationLoadersTest, ShowAndLogTheirSteps) {
  const std::pair<StepTexts, std::string> cases[] = {
      {{"PopulatePtCommTable", 24, "ptcomm.dat", "Populating 'PtComm' table with  < ",
        "Populate Pt CommT able!"},
       "1|2|3|^|\n"},
      {{"PopulatePtCommFxTable", 25, "ptcomm_fx.dat", "Populating 'PtCommFx' table with  < ",
        "Populate Pt Comm FX Table!"},
       "1|2|x|4|^|\n"},
      {{"PopulateSpaceStationTable", 31, "space_sta.dat",
        "Populating 'SpaceStation' table with  < ", "Populate Space Station Table!"},
       "1|a|b|c|d||W|^|\n"},
      {{"PopulateSpaceStationStaTable", 32, "space_sta_sta.dat",
        "Populating 'SpaceStationSta' table with  < ", "Populate Space Station STA Table!"},
       "1|A||x|^|\n"},
      // Keeps its opening caption to the end.
      {{"PopulateEarthStationStaTable", 11, "earth_sta.dat",
        "Populating 'EarthStationSta' table with  < ", "Populate Earth Station STA Table!",
        false},
       "1|A||c|VA|1|2|3|N|4|5|6|W|^|\n"},
  };
  for (const auto& [texts, content] : cases) ExpectStepTexts(texts, content, 1);
}

TEST(StationLoadersTest, StoreEveryPieceAndRejectWhatDoesNotFit) {
  const LoadCase cases[] = {
      {"links to space stations", "PopulatePtCommTable", "ptcomm.dat", "DalkPtComm",
       "7|1002|45|^|\n"
       "7|1002|45|9|^|\n"  // the last piece is 45|9, whose number is 45
       "8|1002|46|^|\n"
       "|x||^|\n"
       "7|1002|^|\n"
       "7.5|1|2|^|\n"
       "1|2|-2147483649|^|\n"
       "1|2|-2147483648|^|\n",
       {{7, 1002, 45}, {7, 1002, 45}, {8, 1002, 46}, {0, 0, 0},
        {1, 2, std::int64_t{-2147483648}}},
       {5, 6, 7}},
      {"locations", "PopulatePtCommFxTable", "ptcomm_fx.dat", "DalkPtCommFx",
       "3|1002|  Near the  river |12|^|\n"
       "4|1003||0|^|\n"
       "5|1003|x|1.5|^|\n"     // a distance is rounded, halves away from zero
       "6|1004|y|-2.5|^|\n"
       "7.5|1005|z|1|^|\n",     // a key is not
       {{3, 1002, "Near the  river", 12}, {4, 1003, "", 0}, {5, 1003, "x", 2}, {6, 1004, "y", -3}},
       {5}},
      {"space stations", "PopulateSpaceStationTable", "space_sta.dat", "DalkSpaceStation",
       " 1002 | Galaxy 3C | G-3C |95.0W| A long text, kept whole  |Jan  5 2001| W |^|\n"
       "|a|b|c|d||E|^|\n"
       "x|" + std::string(20, 'u') + "|" + std::string(20, 'i') + "|" + std::string(10, 'o') +
           "|v||E|^|\n"
       "1|" + std::string(21, 'u') + "|b|c|d||E|^|\n"
       "2|a|b|c|d||WE|^|\n"
       "3|a|b|c|d||^|\n"
       "4|a|b|c|d|Jan 5 2001|E|^|\n",
       {{1002, "Galaxy 3C", "G-3C", "95.0W", "A long text, kept whole", "20010105", "W"},
        {0, "a", "b", "c", "d", "", "E"},
        {0, std::string(20, 'u'), std::string(20, 'i'), std::string(10, 'o'), "v", "", "E"},
        {4, "a", "b", "c", "d", "0010105", "E"}},  // the year taken from characters 8 to 11
       {4, 5, 6}},
      {"space station authorisations", "PopulateSpaceStationStaTable", "space_sta_sta.dat",
       "DalkSpaceStationSta",
       "12|A| |north|east|^|\n"
       " 13 | MOD1 |Dec 31 1999|  101 W  |^|\n"
       "14|ABCDEF||x|^|\n"
       "15|A||^|\n",
       {{12, "A", "", "north|east"}, {13, "MOD1", "19991231", "101 W"}},
       {3, 4}},
  };
  for (const LoadCase& c : cases) ExpectLoad(c);
}

TEST(EarthStationStaLoaderTest, StoresCoordinatesAndLeavesTheTowerFieldsEmpty) {
  LoaderFixture fixture;
  fixture.WriteDataSet("earth_sta.dat",
                       "501| TEMP |Mar  9 2011| Reston, VA | VA |38|57|12.5| N |77|21|0|W|^|\n"
                       "502|||||||||||||^|\n"
                       "503|A||c|VA|32767|-32768|-3.4e38|N|0|0|3.4e38|W|^|\n"
                       "504|A||c|VA|32768|0|0|N|0|0|0|W|^|\n"
                       "505|A||c|VA|0|0|0|N|0|58.5|0|W|^|\n"
                       "506|A||c|VA|0|0|1e39|N|0|0|0|W|^|\n"
                       "507|A||c|VAX|0|0|0|N|0|0|0|W|^|\n"
                       "508|A||c|VA|0|0|0|NS|0|0|0|W|^|\n"
                       "509|ABCDEF||c|VA|0|0|0|N|0|0|0|W|^|\n"
                       "510|A||c|VA|0|0|0|N|0|0|0|^|\n"
                       "511|A|Jan 32 2011|c|VA|0|0|0|N|0|0|0|W|^|\n"
                       "512|A|Foo 32 2011|c|VA|0|0|0|N|0|0|0|W|^|\n");
  fixture.Run(LoaderNamed("PopulateEarthStationStaTable"), 11);

  const auto rows = fixture.Rows("DalkEarthStationSta");
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (Row{501, "TEMP", "20110309", "Reston, VA", "VA", 38, 57, 12.5, "N", 77,
                          21, 0.0, "W", kNull, kNull}));
  EXPECT_EQ(rows[1], (Row{502, "", "", "", "", 0, 0, 0.0, "", 0, 0, 0.0, "", kNull, kNull}));
  EXPECT_EQ(rows[2][5], db::Value(32767));
  EXPECT_EQ(rows[2][6], db::Value(-32768));
  EXPECT_FLOAT_EQ(static_cast<float>(rows[2][7].AsDouble()), -3.4e38f);
  EXPECT_FLOAT_EQ(static_cast<float>(rows[2][11].AsDouble()), 3.4e38f);
  EXPECT_EQ(rows[3][10], db::Value(59));  // LonMin 58.5, rounded
  EXPECT_EQ(rows[4][2], db::Value("20110132"));

  const auto rejected = Rejections(fixture);
  std::vector<std::int64_t> lines;
  for (const Rejection& r : rejected) lines.push_back(r.line);
  EXPECT_EQ(lines, (std::vector<std::int64_t>{4, 6, 7, 8, 9, 10, 12}));
  ASSERT_EQ(rejected.size(), 7u);
  EXPECT_TRUE(Mentions(rejected[0].reason, "LatDeg"));
  EXPECT_TRUE(Mentions(rejected[1].reason, "LatSec"));
  EXPECT_TRUE(Mentions(rejected[2].reason, "StateCode"));
  EXPECT_TRUE(Mentions(rejected[3].reason, "LatHemi"));
  EXPECT_TRUE(Mentions(rejected[4].reason, "TypeStaCode"));
  EXPECT_TRUE(Mentions(rejected[5].reason, "too few fields"));
  EXPECT_EQ(rejected[5].record, "510|A||c|VA|0|0|0|N|0|0|0");
  EXPECT_TRUE(Mentions(rejected[6].reason, "date"));
}

}  // namespace
}  // namespace morvane::testing
