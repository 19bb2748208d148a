// The antenna, coordination, satellite, path and make-model records.
#include "convert/antenna_writers.h"

#include "antenna_world.h"

namespace morvane::convert {
namespace {

using AntennaWriters = AntennaWorld;

TEST_F(AntennaWriters, OneAntMainPerPathAntennaWithHeightAndSize) {
  struct Case {
    const char *diameter, *major, *height, *letter, *ant_hgt, *ant_size;
  };
  const Case cases[] = {{"2.4", "3.0", "10", "T", "0008.5", "3.0"},
                        {"3", "3.0", "10", "R", "0008.5", "3"},
                        {"4", "", "1", "T", " 001.0", "4"},
                        {"4", "", "1", "R", "001.0", "4"}};
  int ant = 0;
  for (const Case& c : cases) {
    state.antenna.diameter = c.diameter, state.antenna.diameter_major = c.major;
    state.antenna.height_max_agl = c.height;
    Row(c.letter, 1, ++ant);
    state.antenna.height_max_agl = "99";  // a second frequency writes no second row
    Row(c.letter, 1, ant);
  }
  const Table rows = Rows(output, "AntMain", {"AntHgt", "AntSize"});
  ASSERT_EQ(rows.size(), 4u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(rows[i], (std::vector<std::string>{cases[i].ant_hgt, cases[i].ant_size}));
  EXPECT_EQ(Rows(output, "AntMain",
                 {"PathAntKey", "AntennaKey", "LocationKey", "CallSign", "AntPlr", "AntMfg",
                  "AntMod", "AntGn", "AntHaat"})[0],
            (std::vector<std::string>{"QD0000012345~01~01T", "QD0000004711", "QD0000000100",
                                      "E000001", "H", "Alpha", "3.8M", "0045.1", kNull}));
}

TEST_F(AntennaWriters, KeysStoredBeforeTheStepInOtherLetterCaseWriteNoSecondAntMainOrSiteSatRow) {
  output.Execute("INSERT INTO AntMain (PathAntKey, AntMfg) VALUES ('qd0000012345~01~02t', 'Early')");
  output.Execute("INSERT INTO SiteSat (PathSiteKey, UsName) VALUES ('qd0000012345~01t', 'Early')");
  tables = std::make_unique<AntennaSideTables>(output, user);
  Row("T", 1, 2);
  Row("T", 1, 3);
  Row("t", 1, 3);
  EXPECT_EQ(Rows(output, "AntMain", {"PathAntKey", "AntMfg"}),
            (Table{{"qd0000012345~01~02t", "Early"}, {"QD0000012345~01~03T", "Alpha"}}));
  EXPECT_EQ(Rows(output, "SiteSat", {"PathSiteKey", "UsName"}), (Table{{"qd0000012345~01t", "Early"}}));
}

TEST_F(AntennaWriters, ClassOfStationOfTheRowsSideOnly) {
  struct Case {
    const char *code, *letter, *tx, *rx;
  };
  for (const Case& c :
       {Case{"fxe ", "T", "FXE", ""}, Case{"ZZZ", "R", "", "QDU"}, Case{"", "t", "", " "}}) {
    state.main.class_of_station_code = c.code;
    Row(c.letter);
    EXPECT_EQ(state.tx.class_station, c.tx) << c.code;
    EXPECT_EQ(state.rx.class_station, c.rx) << c.code;
  }
}

TEST_F(AntennaWriters, CoordinationRowsNumberedPerPathSiteWithoutRepeats) {
  const std::pair<const char*, int> rows[] = {{"T", 1}, {"R", 1}, {"T", 1},
                                              {"R", 1}, {"R", 1}, {"R", 2}};
  for (auto [letter, site] : rows) Row(letter, site);
  for (const char* low : {"", "0", "N/A"}) {
    state.freq_coord.freq_limit_low = low;
    Row("T", 1);
    EXPECT_EQ(state.tx.es_coord_flag, "0") << low;
  }
  EXPECT_EQ(Rows(output, "SiteEsCoord", {"PathAntKey", "Seq", "CallSign", "HorizMaxDensity"}),
            (Table{{"QD0000012345~01~01T", "1", "E000001M", "-040.0"},
                   {"QD0000012345~01~01R", "1", "E000001", kNull},
                   {"QD0000012345~01~01T", "2", "E000001M", "-040.0"},
                   {"QD0000012345~01~01R", "2", "E000001", kNull},
                   {"QD0000012345~01~01R", "3", "E000001", kNull},
                   {"QD0000012345~02~01R", "1", "E000001", kNull}}));
  EXPECT_EQ(Rows(output, "SiteEsCoord",
                 {"AzimuthEast", "AzimuthWest", "ElevationEast", "ElevationWest", "FreqLimitLow",
                  "FreqLimitHigh", "SatArcEast", "SatArcWest", "SatHemiEast", "SatHemiWest",
                  "SatOrbitType", "LocationKey"})[0],
            (std::vector<std::string>{"045.0", "046.0", "005.0", "006.0", "03700.00000000",
                                      "04200.00000000", "060.0", "061.0", "E", "W", "G", kNull}));
}

// Letters other than "T" are all receive rows, each letter a path site of its
// own: switching between them does not restart a path site's numbering.
TEST_F(AntennaWriters, CoordinationRowsNumberedPerPathSiteWhateverCameBetween) {
  for (const char* letter : {"R", "B", "R", "B", "R"}) Row(letter);
  EXPECT_EQ(Rows(output, "SiteEsCoord", {"PathAntKey", "Seq"}),
            (Table{{"QD0000012345~01~01R", "1"},
                   {"QD0000012345~01~01B", "1"},
                   {"QD0000012345~01~01R", "2"},
                   {"QD0000012345~01~01B", "2"},
                   {"QD0000012345~01~01R", "3"}}));
}

// The record of a path antenna or path site that a field refuses is set
// aside with one line, however many rows of it come.
TEST_F(AntennaWriters, ARefusedRecordIsReportedOnce) {
  state.antenna.height_max_agl = "12345";  // AntHgt 12343.5: seven characters
  state.space_station.us_name = "A Satellite Name Of 21";
  output.Execute("INSERT INTO DalkClassOfStationCode (ClassOfStationCode) VALUES ('FXEOX')");
  state.main.class_of_station_code = "fxeox";  // RxStationClass of five characters
  for (int i = 0; i < 4; ++i) Row("R");
  EXPECT_TRUE(Rows(output, "AntMain", {"PathAntKey"}).empty());
  EXPECT_TRUE(Rows(output, "SiteSat", {"PathSiteKey"}).empty());
  EXPECT_TRUE(Rows(output, "PathRecord", {"PathSiteKey"}).empty());
  const auto lines = RejectedLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("AntMain\tfiling 12345, path antenna QD0000012345~01~01R\t", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("PathRecord\tfiling 12345, path site QD0000012345~01R\t", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("SiteSat\tfiling 12345, path site QD0000012345~01R\t", 0), 0u) << lines[2];
  EXPECT_EQ(rejected.Count(), 3);
}

// A later row of a refused path antenna and path site is tried again when
// its values differ: refused again, it writes no second line; when they fit
// (the filing met again under another call sign) its row is stored.
TEST_F(AntennaWriters, ALaterRowOfARefusedKeyWithOtherValuesIsStored) {
  state.antenna.height_max_agl = "12345";
  state.space_station.us_name = "A Satellite Name Of 21";
  Row("R");
  state.frequency.polarization_code = "V", state.space_station.orbit_location = "99.0W";
  Row("R");
  state.antenna.height_max_agl = "10", state.antenna.diameter = "4", state.antenna.diameter_major = "";
  state.space_station.us_name = "Galaxy 9", state.cur_call_sign = "E000002";
  Row("R");
  EXPECT_EQ(Rows(output, "AntMain", {"PathAntKey", "CallSign", "AntHgt"}),
            (Table{{"QD0000012345~01~01R", "E000002", "0008.0"}}));
  EXPECT_EQ(Rows(output, "SiteSat", {"PathSiteKey", "UsName"}),
            (Table{{"QD0000012345~01R", "Galaxy 9"}}));
  EXPECT_EQ(RejectedLines().size(), 2u);
}

// Coordination rows that a field refuses are records of their own, each
// named by the frequency key of its query row; they take no number.
TEST_F(AntennaWriters, RefusedCoordinationRowsAreNamedByTheirFrequency) {
  state.freq_coord.sat_hemi_east = "East";  // the field holds one character
  for (int counter : {7, 8}) state.freq_counter = counter, Row("R");
  state.freq_coord.sat_hemi_east = "E";
  Row("R");
  EXPECT_EQ(Rows(output, "SiteEsCoord", {"Seq", "SatHemiEast"}), (Table{{"1", "E"}}));
  const auto lines = RejectedLines();
  ASSERT_EQ(lines.size(), 2u);
  const std::string where = "SiteEsCoord\tfiling 12345, path antenna QD0000012345~01~01R, frequency ";
  EXPECT_EQ(lines[0].rfind(where + "QD00000008\t", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind(where + "QD00000009\t", 0), 0u) << lines[1];
}

TEST_F(AntennaWriters, PathRecordHoldsTheLastRowOfItsSideFromTheFirstRowOn) {
  Row("T");  // a path site of one row
  Row("R", 1, 1);
  state.cur_antenna_key = 4712, state.site.tower_site_key = "D0000002";
  Row("R", 1, 2);
  state.freq_coord.freq_limit_low = "";  // the last row differs only in its coordination
  Row("R", 1, 2);
  const std::vector<std::string> tx = {"TxAntSiteKey",   "TxAntennaKey",  "TxCall",
                                       "TxStationClass", "TxEsCoordFlag", "TxAreaOfOpCode",
                                       "TxRadOfOp"};
  std::vector<std::string> rx;
  for (const auto& f : tx) rx.push_back("Rx" + f.substr(2));
  EXPECT_EQ(Rows(output, "PathRecord", tx),
            (Table{{"C0000001", "QD0000004711", "E000001", "FXE", "1", "", ""},
                   {kNull, kNull, kNull, kNull, kNull, kNull, kNull}}));
  EXPECT_EQ(Rows(output, "PathRecord", rx),
            (Table{{kNull, kNull, kNull, kNull, kNull, kNull, kNull},
                   {"D0000002", "QD0000004712", "E000001", "FXE", "0", "", ""}}));
}

TEST_F(AntennaWriters, PathRecordTakesBackValuesItHeldTwoRowsBefore) {
  for (const char* site : {"C0000001", "D0000002", "C0000001", "C0000001"}) {
    state.site.tower_site_key = site;
    Row("R");
  }
  EXPECT_EQ(Rows(output, "PathRecord", {"RxAntSiteKey"}), Table{{"C0000001"}});
}

TEST_F(AntennaWriters, OneSiteSatPerPathSiteFromItsFirstRow) {
  Row("R");
  state.space_station.orbit_location = "99.0W";
  Row("R", 1, 2);
  Row("T");
  EXPECT_EQ(Rows(output, "SiteSat", {"PathSiteKey", "SatOrbitType", "OrbitLocation", "UsName"}),
            (Table{{"QD0000012345~01R", "G", "101.0W", "SATCOM"},
                   {"QD0000012345~01T", "G", "99.0W", "SATCOM"}}));
}

TEST_F(AntennaWriters, MakeModelListOnePerKeyCutToTheField) {
  const std::string make30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", model = "1234567890123456789012345";
  for (auto [make, mod] : std::vector<std::pair<std::string, std::string>>{{"Alpha", ""},
                                                                           {"", " 3.8M"},
                                                                           {"", ""},
                                                                           {"ALPHA ", ""},
                                                                           {make30, model},
                                                                           {make30, model}})
    WriteMfgModList(run, *tables, "A", make, mod);
  EXPECT_EQ(Rows(output, "MfgModList", {"EquipAntFlag", "MfgMod", "Mfg", "Mod"}),
            (Table{{"A", "Alpha^", "Alpha", ""},
                   {"A", "^3.8M", "", "3.8M"},
                   {"A", make30.substr(0, 25) + "^" + model.substr(0, 24), make30.substr(0, 25),
                    model}}));
}

}  // namespace
}  // namespace morvane::convert
