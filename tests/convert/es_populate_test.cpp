// The whole step on a tiny staging data set: keys, sequences, status codes,
// the process-log row and the status window.
#include "convert/es_populate.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "convert/es_fixture.h"
#include "convert/frequency_writer.h"

namespace morvane::convert {
namespace {

using Lines = std::vector<std::string>;

class EsPopulateTest : public ::testing::Test {
 protected:
  void RunStep() {
    f.CloseDatabase();
    f.run().step_current = 39;
    EsPopulateKtbTables(f.run());
  }
  bool Shown(const char* control, const std::string& text) {
    for (const auto& caption : f.ui().CaptionHistory("frmStatus", control))
      if (caption == text) return true;
    return false;
  }
  testing::EsFixture f;
};

TEST(PathKeyTest, TenDigitFilingKeysTwoDigitSequencesAndTheSideLetter) {
  EXPECT_EQ(PathSiteKeyOf(12345, 1, "R"), "QD0000012345~01R");
  EXPECT_EQ(PathAntKeyOf(12345, 1, 2, "R"), "QD0000012345~01~02R");
  EXPECT_EQ(PathAntKeyOf(-77, 3, 10, "T"), "QD-000000077~03~10T");
  EXPECT_EQ(PathAntKeyOf(2147483647, 100, 100, "T"), "QD2147483647~100~100T");  // 21: refused when stored
  EXPECT_EQ(PathSiteKeyOf(0, 9, "T"), "QD0000000000~09T");
  EXPECT_EQ(PathSiteKeyOf(-2147483648, 1, "R"), "QD-2147483648~01R");
  EXPECT_EQ(FreqKeyOf(2), "QD00000002");
  EXPECT_EQ(FreqKeyOf(123456789), "QD123456789");
}

TEST_F(EsPopulateTest, KeysSequencesAndStatusCodesOfEveryConvertedRow) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode, AddressKey) VALUES "
        "(12345, '1', 'KA1', 'SES', 'LIC', 5), (-77, '0', 'KB2', 'SES', 'STA', 5), "
        "(999, '1', 'KC3', 'FXX', 'LIC', 5), (888, '2', 'KD4', 'SES', 'LIC', 5);"
        "INSERT INTO DalkAddress (AddressKey, AddressId, AddressName) VALUES (5, 'A1234', 'Orbit Co');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (100, 12345), (200, 12345), (300, -77), (400, 999), "
        "(500, 888);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (7, 100), (8, 100), (9, 200), (10, 300), (11, 400), "
        "(12, 500);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, FrequencyUpper, TransModeFix, Emission) "
        "VALUES (9, 9, '00004000.00000000', '00004010.00000000', 'R', 'E9'), "
        "(1, 7, '00003800.00000000', '00003810.00000000', 'R', ''), (2, 7, '00003700.00000000', '00003710.00000000', 'R', ''), "
        "(3, 8, '00003700.00000000', '00003710.00000000', 'R', ''), (4, 8, '00003900.00000000', '00003910.00000000', 'R', ''), "
        "(5, 9, '00004000.00000000', '00004010.00000000', 'R', 'E5'), (6, 10, '00006000.00000000', '00006010.00000000', 'T', ''), "
        "(7, 11, '00006000.00000000', '00006010.00000000', 'T', ''), (8, 12, '00006000.00000000', '00006010.00000000', 'T', '')");
  RunStep();

  EXPECT_EQ(f.Rows("SELECT FreqKey, CsFnKey, PathSiteKey, PathAntKey, FreqL, StatusCode, UniqueSystemIdentifier "
                   "FROM Freq ORDER BY rowid"),
            (Lines{"QD00000002|KA1|QD0000012345~01R|QD0000012345~01~01R|00003700.00000000|9|12345",
                   "QD00000003|KA1|QD0000012345~01R|QD0000012345~01~01R|00003800.00000000|9|12345",
                   "QD00000004|KA1|QD0000012345~01R|QD0000012345~01~02R|00003700.00000000|9|12345",
                   "QD00000005|KA1|QD0000012345~01R|QD0000012345~01~02R|00003900.00000000|9|12345",
                   "QD00000006|KA1|QD0000012345~02R|QD0000012345~02~01R|00004000.00000000|9|12345",
                   "QD00000007|KA1|QD0000012345~02R|QD0000012345~02~01R|00004000.00000000|9|12345",
                   "QD00000008|KB2|QD-000000077~01T|QD-000000077~01~01T|00006000.00000000|6|-77"}));
  // Equal rows come in frequency-key order, whatever order they were stored in.
  EXPECT_EQ(f.Rows("SELECT EmissionDesignator1 FROM Freq WHERE PathAntKey = 'QD0000012345~02~01R' ORDER BY rowid"),
            (Lines{"E5", "E9"}));
  EXPECT_EQ(f.Rows("SELECT LicenseeIdKey, LiceName FROM Lice"), Lines{"QD~A1234|Orbit Co"});
  EXPECT_EQ(f.Rows("SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog"),
            Lines{"39|Es Populate Ktb Tables!|7"});
  EXPECT_TRUE(Shown("lblStatus", "Creating SQL record set to populating KTB tables!\r\n"
                                 "PLEASE wait, this will take some time . . . . "));
  EXPECT_TRUE(Shown("lblStatus", "Populating KTB tables.\r\nPlease wait . . . . "));
  EXPECT_EQ(f.ui().Caption("frmStatus", "lblStatus"), "Finished Populating KTB tables !");
  EXPECT_EQ(f.ui().Caption("frmStatus", "lblStepCurrent"), "39");
  EXPECT_EQ(f.ui().Caption("frmStatus", "lblTotalRecords"), "7");
  EXPECT_EQ(f.ui().CaptionHistory("frmStatus", "lblRecordCount"), (Lines{"0", "7"}));  // below 10: at the end only
  EXPECT_TRUE(f.RejectedLines().empty());
}

TEST_F(EsPopulateTest, EveryFreqRowOfARepeatedAddressGetsTheRegistrationNumber) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode, AddressKey) VALUES "
        "(31, '1', 'KE5', 'SES', 'LIC', 6);"
        "INSERT INTO DalkAddress (AddressKey, AddressId, Kwd) VALUES (6, 'A66', '7654321');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (310, 31);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (41, 310);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) VALUES "
        "(51, 41, '00003700.00000000', 'R'), (52, 41, '00003800.00000000', 'R')");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT FreqL, QalRegNum FROM Freq ORDER BY rowid"),
            (Lines{"00003700.00000000|7654321", "00003800.00000000|7654321"}));
}

TEST_F(EsPopulateTest, AFrequencyKeyStagedTwiceGivesBothRowsTheFirstStagedRowsValues) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode, AddressKey) VALUES "
        "(32, '1', 'KF6', 'SES', 'LIC', 6);"
        "INSERT INTO DalkAddress (AddressKey, AddressId) VALUES (6, 'A67');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (320, 32);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (42, 320);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, Emission, Eirp, TransModeFix) VALUES "
        "(61, 42, '00003800.00000000', 'EB', '20', 'R'), (61, 42, '00003700.00000000', 'EA', '10', 'R')");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT FreqL, EmissionDesignator1, TxEirp FROM Freq ORDER BY rowid"),
            (Lines{"00003800.00000000|EB|0020.0", "00003800.00000000|EB|0020.0"}));
}

TEST_F(EsPopulateTest, AnEmptyQueryLogsTheStepAtOneHundredPercent) {
  RunStep();
  EXPECT_EQ(f.Rows("SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog"),
            Lines{"39|Es Populate Ktb Tables!|0"});
  EXPECT_EQ(f.ui().Caption("frmStatus", "lblPercentCompleted"), "  100.0");
  EXPECT_EQ(f.Rows("SELECT COUNT(*) FROM Freq"), Lines{"0"});
}

TEST_F(EsPopulateTest, AFilingWhoseFirstStagedRowIsWithdrawnWritesNothing) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES "
        "(50, '2', 'KZ9', 'SES', 'LIC'), (50, '1', 'KZ9', 'SES', 'LIC');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (1, 50);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (2, 1);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower) VALUES (3, 2, '00006000.00000000')");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT COUNT(*) FROM Freq"), Lines{"0"});
  EXPECT_EQ(f.Rows("SELECT RecordsProcessed FROM ProcessLog"), Lines{"1"});
}

TEST_F(EsPopulateTest, AStopInTheMiddleOfTheStepLeavesTheDeferredIndexesBuilt) {
  const std::string indexes = "SELECT name FROM sqlite_master WHERE type = 'index' AND "
                              "tbl_name IN ('Freq', 'FreqList', 'AntMain') ORDER BY 1";
  const Lines before = f.Rows(indexes);
  ASSERT_NE(std::find(before.begin(), before.end(), "FreqList.idxFreqListKey"), before.end());
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES "
        "(33, '1', 'KG7', 'SES', 'LIC');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (330, 33);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (43, 330);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) VALUES "
        "(63, 43, '00003700.00000000', 'R')");
  f.ui().RequestStopAtCaption("frmStatus", "lblStatus", "Populating KTB tables.\r\nPlease wait . . . . ");
  EXPECT_THROW(RunStep(), engine::RunStopped);
  EXPECT_EQ(f.Rows(indexes), before);
}

// Filing 70 has a main record under two call signs, so its rows come twice,
// apart: its path keys are stored once, and the keys after it still are,
// while the query has many rows to go.
TEST_F(EsPopulateTest, AFilingUnderTwoCallSignsStoresItsPathKeysOnce) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES "
        "(70, '1', 'KA1', 'SES', 'LIC'), (70, '1', 'KB2', 'SES', 'LIC'), (72, '1', 'KC3', 'SES', 'LIC');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (700, 70), (720, 72);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (71, 700), (73, 720);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) VALUES "
        "(81, 71, '00003700.00000000', 'R'), (82, 71, '00003800.00000000', 'R'), "
        "(83, 73, '00003900.00000000', 'R');"
        // Filings 1001 to 1150 under call signs KD1001 to KD1150, one row each.
        "WITH RECURSIVE n(i) AS (SELECT 1001 UNION ALL SELECT i + 1 FROM n WHERE i < 1150) "
        "INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) "
        "SELECT i, '1', 'KD' || i, 'SES', 'LIC' FROM n;"
        "INSERT INTO DalkSite (SiteKey, FilingKey) SELECT FilingKey, FilingKey FROM DalkMain WHERE FilingKey > 1000;"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) SELECT SiteKey, SiteKey FROM DalkSite WHERE SiteKey > 1000;"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) "
        "SELECT AntennaKey, AntennaKey, '00004000.00000000', 'T' FROM DalkAntenna WHERE AntennaKey > 1000");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT PathAntKey FROM AntMain ORDER BY rowid LIMIT 3"),
            (Lines{"QD0000000070~01~01R", "QD0000000072~01~01R", "QD0000001001~01~01T"}));
  EXPECT_EQ(f.Rows("SELECT PathSiteKey FROM SiteSat ORDER BY rowid LIMIT 3"),
            (Lines{"QD0000000070~01R", "QD0000000072~01R", "QD0000001001~01T"}));
  EXPECT_EQ(f.Rows("SELECT COUNT(*), COUNT(DISTINCT PathAntKey) FROM AntMain"), Lines{"152|152"});
  EXPECT_EQ(f.Rows("SELECT COUNT(*), COUNT(DISTINCT PathSiteKey) FROM SiteSat"), Lines{"152|152"});
  EXPECT_EQ(f.Rows("SELECT COUNT(*) FROM Freq"), Lines{"155"});
}

// Rows alike but for their side come receive ("R") before transmit ("T"),
// though the transmit row was staged first, with the lower frequency key.
// The antenna's coordination values do not fit: each row's line names the
// key of that row's Freq record.
TEST_F(EsPopulateTest, RowsAlikeButForTheirSideComeReceiveFirst) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES "
        "(34, '1', 'KH8', 'SES', 'LIC');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (340, 34);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (44, 340);"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, FrequencyUpper, TransModeFix, Emission) "
        "VALUES (64, 44, '00005925.00000000', '00006425.00000000', 'T', 'ET'), "
        "(65, 44, '00005925.00000000', '00006425.00000000', 'R', 'ER');"
        "INSERT INTO DalkFreqCoord (AntennaKey, FreqLimitLow, SatHemiEast) VALUES (44, '3700', 'EW')");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT FreqKey, PathAntKey, EmissionDesignator1 FROM Freq ORDER BY rowid"),
            (Lines{"QD00000002|QD0000000034~01~01R|ER", "QD00000003|QD0000000034~01~01T|ET"}));
  const Lines lines = f.RejectedLines();  // after the line of the filing's missing address
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].rfind("SiteEsCoord\tfiling 34, path antenna QD0000000034~01~01R, frequency QD00000002\t", 0), 0u);
  EXPECT_EQ(lines[2].rfind("SiteEsCoord\tfiling 34, path antenna QD0000000034~01~01T, frequency QD00000003\t", 0), 0u);
}

// Filing 74 comes under call signs KA1 and KC3, with filing 75 of KB2 in
// between: its coordination rows are numbered on, not from 1 again.
TEST_F(EsPopulateTest, CoordinationRowsOfAFilingUnderTwoCallSignsAreNumberedOn) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, SubsystemCode, AppTypeCode) VALUES "
        "(74, '1', 'KA1', 'SES', 'LIC'), (75, '1', 'KB2', 'SES', 'LIC'), (74, '1', 'KC3', 'SES', 'LIC');"
        "INSERT INTO DalkSite (SiteKey, FilingKey) VALUES (740, 74), (750, 75);"
        "INSERT INTO DalkAntenna (AntennaKey, SiteKey) VALUES (741, 740), (751, 750);"
        "INSERT INTO DalkFreqCoord (AntennaKey, FreqLimitLow) VALUES (741, '3700'), (751, '3700');"
        "INSERT INTO DalkFrequency (FrequencyKey, AntennaKey, FrequencyLower, TransModeFix) VALUES "
        "(91, 741, '00003700.00000000', 'R'), (92, 741, '00003800.00000000', 'R'), "
        "(93, 751, '00003900.00000000', 'R')");
  RunStep();
  EXPECT_EQ(f.Rows("SELECT PathAntKey, Seq, CallSign FROM SiteEsCoord ORDER BY rowid"),
            (Lines{"QD0000000074~01~01R|1|KA1", "QD0000000074~01~01R|2|KA1",
                   "QD0000000075~01~01R|1|KB2", "QD0000000074~01~01R|3|KC3",
                   "QD0000000074~01~01R|4|KC3"}));
}

TEST_F(EsPopulateTest, AMissingAntennaSiteDatabaseStopsTheStepNamingIt) {
  engine::RunPaths paths = f.run().paths();
  paths.ant_site_db = "NONE";
  engine::RunContext run(f.ui(), f.run().workspace(), paths);
  f.CloseDatabase();
  EXPECT_THROW(EsPopulateKtbTables(run), engine::StepError);
  paths.ant_site_db = "/no/such/AntSiteDb.mdb";
  engine::RunContext run2(f.ui(), f.run().workspace(), paths);
  try {
    EsPopulateKtbTables(run2);
    ADD_FAILURE() << "no error";
  } catch (const engine::StepError& e) {
    EXPECT_EQ(e.file(), "/no/such/AntSiteDb.mdb");
  }
}

}  // namespace
}  // namespace morvane::convert
