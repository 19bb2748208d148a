// The antenna-site records: SiteInfo, and AntSiteInfo and AntSiteCallSign in
// the user's antenna-site database.
#include "convert/antenna_site_writers.h"

#include "antenna_world.h"

namespace morvane::convert {
namespace {

using AntennaSiteWriters = AntennaWorld;

const std::vector<std::string> kSiteFields = {
    "AntSiteKey", "TowerReg",   "StructureType", "Name",   "Street",       "City",
    "County",     "State",      "Country",       "LatDMS", "LatSec",       "LonDMS",
    "LonSec",     "HorizDatum", "Nepa",          "GrEl",   "HgtStructure", "HgtToTip"};

TEST_F(AntennaSiteWriters, SiteRecordsOncePerSiteAndRun) {
  Row("T");
  state.site.city = "Later";  // the site met again: not reconsidered
  state.main.status_date = "20991231";
  Row("R");
  state.site.tower_site_key = "D0000002", state.site.lat_dms = "N0000000.0";
  for (const char* id : {"0", "   ", "abc"}) state.antenna.tower_id = id, Row("T", 2);
  std::vector<std::string> first = {"C0000001",    "1234567",    "",          "",      "12 Main St",
                                    "Springfield", "Greene",     "MO",        "USA",   "N0371230.5",
                                    "0133950.5",   "W0931752.1", "0337072.1", "NAD83", "",
                                    "0390.0",      "",           ""};
  std::vector<std::string> second = first;
  second[0] = "D0000002", second[1] = kNull, second[5] = "Later", second[9] = kNull;
  EXPECT_EQ(Rows(output, "SiteInfo", kSiteFields), (Table{first, second}));
  std::vector<std::string> fields = kSiteFields;
  fields.insert(fields.end(), {"Group", "StatusDate"});
  first.insert(first.end(), {"C", "20120301"});
  second.insert(second.end(), {"D", "20991231"});
  EXPECT_EQ(Rows(user, "AntSiteInfo", fields), (Table{first, second}));
  EXPECT_EQ(Rows(output, "SiteInfo", {"FipsCode"}), (Table{{""}, {""}}));
}

TEST_F(AntennaSiteWriters, AStoredSiteIsReplacedByALaterStatusDateOnly) {
  struct Case {
    const char *stored, *date;
    bool replaced;
  };
  const Case cases[] = {{"20100105", "20120301", true},
                        {"20100105", "20100105", false},
                        {"20100105", "20091231", false},
                        {nullptr, "20120301", false},
                        {"20100105", "", false}};
  int site = 0;
  for (const Case& c : cases) {
    state.site.tower_site_key = "C" + std::to_string(++site);
    user.Execute(
        "INSERT INTO AntSiteInfo (AntSiteKey, City, TowerReg, StatusDate) VALUES (?, 'Old', '999', "
        "?)",
        {state.site.tower_site_key, c.stored ? db::Value(c.stored) : db::Value()});
    state.main.status_date = c.date, state.antenna.tower_id = "0";
    Row("T", site);
  }
  const Table rows = Rows(user, "AntSiteInfo", {"City", "StatusDate", "TowerReg"});
  ASSERT_EQ(rows.size(), std::size(cases));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string stored = cases[i].stored ? cases[i].stored : kNull;
    EXPECT_EQ(rows[i],
              (std::vector<std::string>{cases[i].replaced ? "Springfield" : "Old",
                                        cases[i].replaced ? cases[i].date : stored, "999"}))
        << i;
  }
}

TEST_F(AntennaSiteWriters, CallSignsAndServicesListedAsWholeEntries) {
  struct Step {
    const char *call, *service, *calls, *services;
    int freqs, call_signs;
  };
  const Step steps[] = {
      {"E000001", "AB", "E000001~", "AB~", 1, 1},
      {"E000001", "XY", "E000001~", "AB~", 2, 1},
      {"E000002", "CD", "E000001~E000002~", "AB~CD~", 3, 2},
      {"E000012", "cd", "E000001~E000002~E000012~", "AB~CD~", 4, 3},
      {"E00001", "", "E000001~E000002~E000012~E00001~", "AB~CD~", 5, 4},
      {"e000002", "EF", "E000001~E000002~E000012~E00001~", "AB~CD~", 6, 4},
      {"E000003", "EF", "E000001~E000002~E000012~E00001~E000003~", "AB~CD~EF~", 7, 5}};
  for (const Step& s : steps) {
    state.cur_call_sign = s.call, state.cur_rad_svc_code = s.service;
    Row("T");
    EXPECT_EQ(Rows(user, "AntSiteCallSign",
                   {"AntSiteKey", "CallSigns", "RadSvc", "FreqCount", "CallSignCount"}),
              (Table{{"C0000001", s.calls, s.services, std::to_string(s.freqs),
                      std::to_string(s.call_signs)}}))
        << s.call;
  }
}

// A count at its 16-bit limit, or beyond it in the user's file, is left as
// stored; each count of a site held there gets one note per run.
TEST_F(AntennaSiteWriters, CountsAtOrBeyondTheirLimitAreLeftAsStoredWithOneNoteEach) {
  user.Execute("INSERT INTO AntSiteCallSign VALUES ('C0000001', 'E000001~', 'AB~', 32766, 32767), "
               "('D0000002', 'E000009~', 'CD~', 40000, 50000)");
  for (const char* call : {"E000002", "E000003", "E000001"}) state.cur_call_sign = call, Row("T");
  state.site.tower_site_key = "D0000002";
  Row("T", 2);
  EXPECT_EQ(Rows(user, "AntSiteCallSign", {"CallSigns", "RadSvc", "FreqCount", "CallSignCount"}),
            (Table{{"E000001~E000002~E000003~", "AB~", "32767", "32767"},
                   {"E000009~E000001~", "CD~AB~", "40000", "50000"}}));
  const std::string note = " is at or above its limit of 32767 and is left as stored\t";
  EXPECT_EQ(RejectedLines(),
            (std::vector<std::string>{
                "AntSiteCallSign\tantenna site C0000001\tthe count CallSignCount" + note + "32767",
                "AntSiteCallSign\tantenna site C0000001\tthe count FreqCount" + note + "32767",
                "AntSiteCallSign\tantenna site D0000002\tthe count FreqCount" + note + "40000",
                "AntSiteCallSign\tantenna site D0000002\tthe count CallSignCount" + note + "50000"}));
  // The rows were stored: notes, not records that could not be stored.
  EXPECT_EQ(rejected.Count(), 0);
  EXPECT_EQ(rejected.NoteCount(), 4);
}

TEST_F(AntennaSiteWriters, ASiteWithoutKeyWritesNoSiteRecords) {
  state.site.tower_site_key = "";
  Row("T");
  EXPECT_TRUE(Rows(output, "SiteInfo", {"City"}).empty());
  EXPECT_TRUE(Rows(user, "AntSiteInfo", {"City"}).empty());
  EXPECT_TRUE(Rows(user, "AntSiteCallSign", {"CallSigns"}).empty());
  EXPECT_EQ(Rows(output, "PathRecord", {"TxAntSiteKey", "TxCall"}), (Table{{"", "E000001"}}));
}

TEST_F(AntennaSiteWriters, ARefusedSiteInfoValueSetsThatRowAsideOnce) {
  state.site.city = "A City Of Twenty-Five Ch";
  Row("T");
  Row("R");
  EXPECT_TRUE(Rows(output, "SiteInfo", {"City"}).empty());
  EXPECT_EQ(Rows(user, "AntSiteInfo", {"City"}), (Table{{"A City Of Twenty-Five Ch"}}));
  const auto lines = RejectedLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("SiteInfo\tantenna site C0000001\t", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("City"), std::string::npos) << lines[0];
}

// A site whose key differs from a refused one in a letter beyond ASCII is
// another site, as the key's index tells them apart.
TEST_F(AntennaSiteWriters, ASiteSetAsideLeavesAKeyDifferingInANonAsciiLetterAlone) {
  state.site.tower_site_key = "Cé1";
  state.site.city = "A City Of Twenty-Five Ch";
  Row("T");
  state.site.tower_site_key = "CÉ1";
  state.site.city = "Short";
  Row("T", 2);
  EXPECT_EQ(Rows(output, "SiteInfo", {"AntSiteKey", "City"}), (Table{{"CÉ1", "Short"}}));
  EXPECT_EQ(RejectedLines().size(), 1u);
}

TEST_F(AntennaSiteWriters, ASecondRunCountsEveryRowAgainAndListsNothingTwice) {
  auto convert = [&] {
    for (const char* call : {"E000001", "E000002"}) {
      state.cur_call_sign = call;
      Row("T"), Row("R");
    }
    state.site.tower_site_key = "D0000002", state.cur_call_sign = "E000003";
    Row("T", 2);
    state.site.tower_site_key = "C0000001";
  };
  convert();
  const Table first = Rows(user, "AntSiteCallSign", {"CallSigns", "RadSvc", "FreqCount"});
  NewRun();
  convert();
  EXPECT_EQ(first, (Table{{"E000001~E000002~", "AB~", "4"}, {"E000003~", "AB~", "1"}}));
  EXPECT_EQ(Rows(user, "AntSiteCallSign", {"CallSigns", "RadSvc", "FreqCount"}),
            (Table{{"E000001~E000002~", "AB~", "8"}, {"E000003~", "AB~", "2"}}));
}

}  // namespace
}  // namespace morvane::convert
