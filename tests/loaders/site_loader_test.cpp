#include <gtest/gtest.h>
#include <sqlite3.h>

#include "loaders/common_loader.h"

#include "loaders/field_cases.h"
#include "loaders/site_positions.h"

namespace morvane::testing {
namespace {

using V = db::Value;

TEST(SitePositionTest, ElevationText) {
  const struct {
    double v;
    const char* text;
  } cases[] = {
      {12.34, "0012.3"}, {0, "0000.0"},       {-12.5, "-012.5"},     {9999.9, "9999.9"},
      {12000, "9999.9"}, {9999.94, "9999.9"}, {-999.94, "-999.9"},   {-999.95, "-1000.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.v);
    EXPECT_EQ(loaders::ElevationText(c.v), c.text);
  }
}

TEST(SitePositionTest, CoordinateTexts) {
  const struct {
    bool latitude;
    double d, m, s;
    const char* hemisphere;
    const char* dms;
    const char* seconds;
  } cases[] = {
      {true, 38, 53, 51.5, "N", "N0385351.5", "00140031.5"},
      {true, 38, 53, 51.5, "n", "N0385351.5", "00140031.5"},
      {true, 38, 53, 51.5, "North", "N0385351.5", "00140031.5"},
      {true, 38, 53, 51.5, "S", "S0385351.5", "-0140031.5"},
      {true, 38, 53, 51.5, "s", "S0385351.5", "-0140031.5"},
      {true, 38, 53, 51.5, "", "S0385351.5", "-0140031.5"},
      {true, 38, 53, 51.5, "X", "S0385351.5", "-0140031.5"},
      {true, 95, 0, 0, "N", "N0950000.0", "00342000.0"},
      // The seconds round to 60.0 in the text; the total is unrounded.
      {true, 38, 53, 59.96, "N", "N0385360.0", "00140040.0"},
      {false, 77, 2, 12.5, "W", "W0770212.5", "-0277332.5"},
      {false, 77, 2, 12.5, "w", "W0770212.5", "-0277332.5"},
      {false, 77, 2, 12.5, "E", "E0770212.5", "00277332.5"},
      {false, 77, 2, 12.5, "", "E0770212.5", "00277332.5"},
      {false, 180, 0, 0, "e", "E1800000.0", "00648000.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.hemisphere) + " " + c.dms);
    const auto texts = c.latitude ? loaders::LatitudeTexts(c.d, c.m, c.s, c.hemisphere)
                                  : loaders::LongitudeTexts(c.d, c.m, c.s, c.hemisphere);
    EXPECT_EQ(texts.dms, c.dms);
    EXPECT_EQ(texts.seconds, c.seconds);
  }
}

std::vector<std::string> SiteRecord() {
  return {"1",  "2",  "ID", "Desc", "Person", "St1", "St2", "City", "County", "VA",
          "22", "555", "12", "38",  "53",     "51.5", "N",  "77",   "2",      "12.5",
          "W",  "83", "12", "Jan  5 2010", "Y", "N", "Y", "N", "Y", "N"};
}

const std::vector<std::string> kSiteFields = {
    "SiteKey",       "FilingKey",       "SiteId",         "SiteDescription",
    "ContactPerson", "SiteStreet1",     "SiteStreet2",    "SiteCity",
    "SiteCounty",    "SiteState",       "SiteZipcode",    "SiteTelephone",
    "SiteElevation", "SiteLatDMS",      "SiteLatSec",     "SiteLonDMS",
    "SiteLonSec",    "NadInd",          "NumVsatsBuilt",  "VsatReportDate",
    "FaaCoordSw",    "Comply25209aSw",  "Comply25209a2Sw", "RemoteControlSw",
    "ForeignFreqCoordReqSw", "FreqCoordReqSw", "AreaOfOperationCode", "FaaCoordNotReqSw",
    "Comply25211Sw", "TowerSiteKey",    "TowerFlag"};

TEST(SiteLoaderTest, StoresOneRecordFieldByField) {
  LoaderFixture fx;
  EXPECT_EQ(Load(fx, LoaderNamed("PopulateSiteTable"),
                 " 101 | 7 | S1 |  A roof  | Ann Lee |1 Main St|| Reston | Fairfax | VA | 20190 |"
                 " 703-555 | 12.34 | 38 | 53 | 51.5 | N | 77 | 2 | 12.5 | W | 83 | 12 |Jan  5 2010|"
                 " Y | N | Y | N | Y |  |x|y|z|^|\n",
                 kSiteFields, 27),
            Expected({{V(101), V(7), V("S1"), V("A roof"), V("Ann Lee"), V("1 Main St"), V(""),
                       V("Reston"), V("Fairfax"), V("VA"), V("20190"), V("703-555"), V("0012.3"),
                       V("N0385351.5"), V("00140031.5"), V("W0770212.5"), V("-0277332.5"), V("83"),
                       V("000012"), V("20100105"), V("Y"), V("N"), V("Y"), V("N"), V("Y"), V(""),
                       V(), V(), V(), V(), V()}}));
  EXPECT_TRUE(fx.ui().Messages().empty());
  EXPECT_EQ(ProcessLog(fx), std::vector<std::string>{"27|Populate Site Table!|1"});
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblStatus"),
            "Finished processing  <  site.dat  >  data !");
  EXPECT_TRUE(fx.RejectedLines().empty());
}

TEST(SiteLoaderTest, FieldConversions) {
  ExpectFieldCases(LoaderNamed("PopulateSiteTable"), SiteRecord(),
                   {
                       Stores(13, "0", "SiteElevation", V("0000.0")),
                       Stores(13, "", "SiteElevation", V("0000.0")),
                       Stores(13, "-12.5", "SiteElevation", V("-012.5")),
                       Stores(13, "9999.9", "SiteElevation", V("9999.9")),
                       Stores(13, "12000", "SiteElevation", V("9999.9")),
                       Rejects(13, "-999.95", "SiteElevation"),
                       Rejects(13, "1e999", "SiteElevation"),
                       Stores(17, " n ", "SiteLatDMS", V("N0385351.5")),
                       Stores(17, "s", "SiteLatSec", V("-0140031.5")),
                       Stores(17, "", "SiteLatDMS", V("S0385351.5")),
                       Stores(21, "w", "SiteLonSec", V("-0277332.5")),
                       Stores(21, " E", "SiteLonDMS", V("E0770212.5")),
                       Stores(21, "", "SiteLonSec", V("00277332.5")),
                       Stores(14, "95", "SiteLatDMS", V("N0955351.5")),  // warned, and stored
                       Rejects(14, "-5", "SiteLatDMS"),     // a negative degree does not fit
                       Rejects(18, "1000", "SiteLonDMS"),
                       Rejects(15, "100", "SiteLatDMS"),
                       Stores(22, "", "NadInd", V("0")),
                       Stores(22, " 83 ", "NadInd", V("83")),
                       Rejects(22, "123", "NadInd"),
                       Rejects(22, "8.5", "NadInd"),
                       Stores(23, "", "NumVsatsBuilt", V("000000")),
                       Rejects(23, "1000000", "NumVsatsBuilt"),
                       Stores(24, "", "VsatReportDate", V("")),
                       Rejects(24, "Foo  5 2010", "VsatReportDate"),
                       Rejects(8, "A city name of 21 chr", "SiteCity"),
                       Stores(8, "A city name of 20 ch", "SiteCity", V("A city name of 20 ch")),
                       Rejects(25, "YY", "FaaCoordSw"),
                       Stores(1, "x", "SiteKey", V(0)),
                       Rejects(1, "1.5", "SiteKey"),
                   });
}

TEST(SiteLoaderTest, WarnsOfDegreesAndMinutesOutOfRangeAndStoresTheRecord) {
  LoaderFixture fx;
  std::string file;
  // One record: the base record with these pieces (1-based) replaced.
  auto add = [&](std::initializer_list<std::pair<int, const char*>> changes) {
    auto pieces = SiteRecord();
    for (const auto& [piece, value] : changes) pieces[piece - 1] = value;
    file += RecordLine(pieces);
  };
  add({{1, "1"}, {14, "90"}});
  add({{1, "2 "}, {14, " 91"}});
  add({{1, "3"}, {15, "59.9"}});
  add({{1, "4"}, {15, "60"}});
  add({{1, "5"}, {18, "180"}});
  add({{1, "6"}, {18, "181"}});
  add({{1, "7"}, {14, "-91"}});  // warned, then refused: the text does not fit
  add({{1, "8"}, {19, "75"}});   // longitude minutes are not checked
  add({{1, "9"}, {14, "95"}, {15, "61"}, {18, "200"}});
  add({{1, "10"}, {8, "A city name of 21 chr"}, {14, "95"}});  // refused before the check
  fx.WriteDataSet("site.dat", file);
  fx.Run(LoaderNamed("PopulateSiteTable"), 27);

  std::vector<std::string> texts;
  for (const auto& m : fx.ui().Messages()) {
    EXPECT_EQ(m.title, "Site Table");
    EXPECT_EQ(m.buttons, ui::Buttons::kOk);
    texts.push_back(m.text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Site Key: 2 \r\nLat Deg: \r\n 91",
                       "Site Key: 4\r\nLat Min: \r\n60",
                       "Site Key: 6\r\nLon Deg: \r\n181",
                       "Site Key: 7\r\nLat Deg: \r\n-91",
                       "Site Key: 9\r\nLat Deg: \r\n95",
                       "Site Key: 9\r\nLat Min: \r\n61",
                       "Site Key: 9\r\nLon Deg: \r\n200",
                   }));

  const auto rows = fx.Rows("DalkSite", {"SiteKey", "SiteLatDMS", "SiteLonDMS"});
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(Describe(rows[1]), Describe({V(2), V("N0915351.5"), V("W0770212.5")}));
  EXPECT_EQ(Describe(rows[7]), Describe({V(9), V("N0956151.5"), V("W2000212.5")}));
  EXPECT_EQ(RejectedLineNumbers(fx, "site.dat"), (std::vector<int>{7, 10}));
}

// Counts the site rows that another program would see while a box waits
// for its user.
class SiteRowsAtEachBox : public ui::RecordingUi {
 public:
  explicit SiteRowsAtEachBox(std::filesystem::path db) : db_(std::move(db)) {}
  ui::Answer ShowMessageWithIdleWork(const ui::Message& message,
                                     const std::function<void()>& idle_work) override {
    idle_work();  // the box has waited long enough
    return ShowMessage(message);
  }
  ui::Answer ShowMessage(const ui::Message& message) override {
    sqlite3* db = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(db_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* count = nullptr;
      const char* sql = "SELECT COUNT(*) FROM DalkSite";
      if (sqlite3_prepare_v2(db, sql, -1, &count, nullptr) == SQLITE_OK &&
          sqlite3_step(count) == SQLITE_ROW)
        rows = sqlite3_column_int(count, 0);
      sqlite3_finalize(count);
    }
    sqlite3_close(db);
    seen.push_back(rows);
    return RecordingUi::ShowMessage(message);
  }
  std::vector<int> seen;

 private:
  std::filesystem::path db_;
};

TEST(SiteLoaderTest, TheRowsBeforeABoxAreCommittedWhileItWaits) {
  LoaderFixture fx;
  std::string file;
  for (const char* degrees : {"38", "38", "91", "38", "92"}) {
    auto pieces = SiteRecord();
    pieces[13] = degrees;
    file += RecordLine(pieces);
  }
  fx.WriteDataSet("site.dat", file);
  SiteRowsAtEachBox ui(fx.OutputPath());
  db::Workspace workspace;
  engine::RunContext run(ui, workspace, fx.run().paths());
  run.step_current = 27;
  loaders::RunLoader(LoaderNamed("PopulateSiteTable"), run);
  EXPECT_EQ(ui.seen, (std::vector<int>{2, 4}));
}

TEST(SiteLoaderTest, ARecordWithTooFewPiecesIsRejected) {
  LoaderFixture fx;
  auto pieces = SiteRecord();
  std::string file = RecordLine(pieces);
  pieces.resize(29);
  file += RecordLine(pieces);
  fx.WriteDataSet("site.dat", file);
  fx.Run(LoaderNamed("PopulateSiteTable"), 27);
  EXPECT_EQ(fx.RowCount("DalkSite"), 1);
  EXPECT_EQ(RejectedLineNumbers(fx, "site.dat"), std::vector<int>{2});
}

}  // namespace
}  // namespace morvane::testing
