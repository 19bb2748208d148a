// The licensee, frequency and special-condition writers on a small database.
#include <gtest/gtest.h>

#include "convert/es_fixture.h"
#include "convert/filing_lookups.h"
#include "convert/frequency_writer.h"
#include "convert/licensee_writer.h"
#include "convert/spc_cnd_writers.h"

namespace morvane::convert {
namespace {

using Lines = std::vector<std::string>;

class WritersTest : public ::testing::Test {
 protected:
  // The row's address lookup and the licensee writer, for filing `filing`.
  void Licensee(std::int64_t filing, std::int64_t address_key) {
    f.state.row.filing_key = filing;
    f.state.row.address_key = address_key;
    GetAddressData(f.state, f.Tables());
    WriteLiceTable(f.run(), f.state, f.Tables());
  }
  // baddata.txt holds one line, which starts with `start` and names `part`.
  void ExpectOneRejectedLine(const std::string& start, const std::string& part) {
    const Lines rejected = f.RejectedLines();
    ASSERT_EQ(rejected.size(), 1u);
    EXPECT_EQ(rejected[0].rfind(start, 0), 0u) << rejected[0];
    EXPECT_NE(rejected[0].find(part), std::string::npos) << rejected[0];
  }
  testing::EsFixture f;
};

TEST(RegistrationNumberTest, OnlyWholeNumbersWithinTheLongRange) {
  EXPECT_EQ(RegistrationNumberOf("0001234567"), 1234567);
  EXPECT_EQ(RegistrationNumberOf(" 42 "), 42);
  EXPECT_EQ(RegistrationNumberOf("-5"), -5);
  for (const char* bad : {"", "12A", "1.5", "2147483648", "-", "1 2"})
    EXPECT_FALSE(RegistrationNumberOf(bad).has_value()) << bad;
}

TEST_F(WritersTest, OneLiceRowPerLicenseeWithItsCutsAndRegistrationNumber) {
  const std::string dba(80, 'D'), street1(70, 'S'), city(30, 'C');
  f.Sql("INSERT INTO DalkAddress (AddressKey, AddressId, AddressName, DbaName, Street1, Street2, City, StateCode, "
        "ZipCode, CountryCode, Kwd) VALUES (5, 'A1234', 'Orbit Co', '" + dba + "', '" + street1 +
        "', 'Suite 9', '" + city + "', 'VA', '20190', 'USA', '0001234567'),"
        "(6, 'A1234', 'Other spelling', '', '', '', '', '', '', '', ''),"
        "(7, 'QDX', 'No number', '', '', '', '', '', '', '', ''),"
        "(8, 'B77', 'Bad number', '', '', '', '', '', '', '', '12A')");
  f.state.main.type_applicant_code = "C";
  Licensee(1, 5);
  Licensee(2, 6);  // same licensee: nothing more
  Licensee(3, 7);
  f.state.main.type_applicant_code = "";
  Licensee(4, 8);
  EXPECT_EQ(f.Rows("SELECT LicenseeIdKey, QalRegNum, LiceName, length(LiceDBA), length(LiceStreet1), LiceStreet2, "
                   "length(LiceCity), LiceState, LiceZipCode, LiceCountry, LicePhone, LiceAttn, LiceType, "
                   "EntityType, GrpKwd FROM Lice ORDER BY rowid"),
            (Lines{"QD~A1234|1234567|Orbit Co|40|60|Suite 9|20|VA|20190|USA|||C|L|~",
                   "QDX|~|No number|0|0||0||||||C|L|~", "QD~B77|~|Bad number|0|0||0|||||||L|~"}));
  ExpectOneRejectedLine("Lice\tfiling 4\t", "\t12A");
}

TEST_F(WritersTest, ALiceRowSetAsideLeavesItsLicenseeToALaterRowInAnyLetterCase) {
  f.Sql("INSERT INTO DalkAddress (AddressKey, AddressId, AddressName) VALUES (5, 'A1234', '" +
        std::string(81, 'N') + "'), (6, 'a1234', 'Second'), (7, 'A1234', 'Third')");
  for (std::int64_t filing : {5, 6, 7}) Licensee(filing, filing);
  EXPECT_EQ(f.Rows("SELECT LicenseeIdKey, LiceName FROM Lice"), Lines{"QD~a1234|Second"});
  ExpectOneRejectedLine("Lice\tfiling 5\t", "LiceName");
}

TEST_F(WritersTest, AnAddressWithoutItsIdSaysSoOnEveryRowAndStoresOneLicensee) {
  f.Sql("INSERT INTO DalkAddress (AddressKey, AddressId, AddressName) VALUES (9, NULL, 'Nameless'), "
        "(10, 'A10', 'Named')");
  Licensee(1, 9);
  Licensee(2, 10);
  Licensee(3, 9);
  ASSERT_EQ(f.ui().Messages().size(), 2u);
  EXPECT_EQ(f.ui().Messages()[1].text, "Null in WriteLiceTable");
  EXPECT_EQ(f.Rows("SELECT LicenseeIdKey, LiceName FROM Lice ORDER BY rowid"),
            (Lines{"QD~|Nameless", "QD~A10|Named"}));
}

TEST_F(WritersTest, AFilingWithoutItsAddressRowWritesNoLiceRowAndIsReportedOnce) {
  f.state.cur_reg_num = "99";
  Licensee(12345, 77);
  Licensee(12345, 77);
  EXPECT_EQ(f.Rows("SELECT COUNT(*) FROM Lice"), Lines{"0"});
  EXPECT_TRUE(f.ui().Messages().empty());
  EXPECT_EQ(f.state.cur_reg_num, "99");  // kept for the frequency writer, as the lookup leaves it
  ExpectOneRejectedLine("Lice\tfiling 12345\t", "AddressKey 77");
}

TEST_F(WritersTest, FreqRowsTakeTheRunningKeyAndTheRegistrationNumberOnce) {
  ConversionState& s = f.state;
  s.cur_call_sign = "E990001";
  s.path_site_key = "QD0000012345~01T";
  s.path_ant_key = "QD0000012345~01~01T";
  s.licensee_id_key = " QD~A1 ";
  s.cur_reg_num = "0001234567";
  s.cur_filing_key = 12345;
  s.freq_lower_text = "00014000.00000000";
  s.freq_upper_text = "00014500.00000000";
  s.frequency.emission = "36M0G7WXY";
  s.frequency.eirp = "-2.5";
  s.tx.class_station = "TC";
  s.main = {true, "1", "E990001", " SES-LIC ", "", "20190101", "20300101", "LIC", "C", "TC"};
  s.cur_rad_svc_code = "CF";
  s.cur_status_code = "9";
  s.cur_control_phone = "5553017788";
  WriteFreqTable(f.run(), s, f.Tables());
  s.frequency.eirp = "50";
  WriteFreqTable(f.run(), s, f.Tables());
  EXPECT_EQ(f.Rows("SELECT FreqKey, CsFnKey, PathSiteKey, PathAntKey, LicenseeIdKey, QalRegNum, "
                   "UniqueSystemIdentifier, FreqC, FreqL, FreqU, EmissionDesignator1, TxClassStation, "
                   "RxClassStation, TxEirp, TxEirpUnit, DateApp, DateExpire, AppFileNum, QalRadSvc, RulePartElig, "
                   "StatusCode, ControlPhone FROM Freq ORDER BY rowid"),
            (Lines{"QD00000002|E990001|QD0000012345~01T|QD0000012345~01~01T|QD~A1|0001234567|12345|14000|"
                   "00014000.00000000|00014500.00000000|36M0G7W|TC|| 002.5|W|20190101|20300101|SES-LIC|CF|25|9|"
                   "5553017788",
                   "QD00000003|E990001|QD0000012345~01T|QD0000012345~01~01T|QD~A1||12345|14000|"
                   "00014000.00000000|00014500.00000000|36M0G7W|TC||0050.0|W|20190101|20300101|SES-LIC|CF|25|9|"
                   "5553017788"}));
  EXPECT_EQ(f.Rows("SELECT FreqListKey, Freq, QalRadSvc, TxClassStation, RxClassStation, FreqCnt FROM FreqList"),
            Lines{"00014000.00000000CFTC|00014000.00000000|CF|TC||2"});
}

TEST_F(WritersTest, APathKeyThatDoesNotFitSetsTheFreqRowAsideAndTheConversionGoesOn) {
  ConversionState& s = f.state;
  s.row.filing_key = 2147483647;
  s.path_ant_key = "QD2147483647~100~100T";  // 21 characters
  s.freq_lower_text = "00006000.00000000";
  WriteFreqTable(f.run(), s, f.Tables());
  EXPECT_EQ(s.freq_key, "QD00000002");
  s.path_ant_key = "QD2147483647~99~100T";
  WriteFreqTable(f.run(), s, f.Tables());
  EXPECT_EQ(f.Rows("SELECT FreqKey FROM Freq"), Lines{"QD00000003"});
  EXPECT_EQ(f.Rows("SELECT FreqCnt FROM FreqList"), Lines{"1"});  // only the stored row counts
  ExpectOneRejectedLine("Freq\tfiling 2147483647, frequency QD00000002\t", "PathAntKey");
}

TEST_F(WritersTest, FreqListKeepsTransmitAndReceiveClassesApart) {
  ConversionState& s = f.state;
  s.freq_lower_text = "00003700.00000000";
  s.cur_rad_svc_code = "C";
  const std::pair<const char*, const char*> sides[] = {{"AB", ""}, {"", "AB"}, {"AB", ""}};
  for (const auto& [tx, rx] : sides) {
    s.tx.class_station = tx;
    s.rx.class_station = rx;
    WriteFreqList(f.run(), s, f.Tables());
  }
  EXPECT_EQ(f.Rows("SELECT FreqListKey, QalRadSvc, TxClassStation, RxClassStation, FreqCnt FROM FreqList "
                   "ORDER BY rowid"),
            (Lines{"00003700.00000000C AB|C|AB||2", "00003700.00000000C     AB|C||AB|1"}));
}

// List rows stored before the step count on, the first row of a key taking
// the count; keys differing in letter case only share a row; a row a field
// refuses is not stored, nor counted, nor tried again in any letter case.
TEST_F(WritersTest, FreqListCountsOnRowsOfTheSameKeyWhateverItsCaseAndSkipsRefusedRows) {
  f.Sql("INSERT INTO FreqList (FreqListKey, Freq, FreqCnt) VALUES ('00001000.00000000P Z', 'old1', 7), "
        "('00001000.00000000p z', 'old2', 40)");
  ConversionState& s = f.state;
  struct Row { const char* freq; const char* svc; const char* tx; };
  const Row rows[] = {{"00001000.00000000", "p", "Z"},      {"00002000.00000000", "Mx", "Ab"},
                      {"00002000.00000000", "mX", "aB"},    {"00003000.00000000", "Qz", "TOOLONG"},
                      {"00003000.00000000", "qZ", "tooLong"}, {"00002000.00000000", "MX", "AB"}};
  for (const Row& r : rows) {
    s.freq_lower_text = r.freq;
    s.cur_rad_svc_code = r.svc;
    s.tx.class_station = r.tx;
    s.rx.class_station = "";
    WriteFreqList(f.run(), s, f.Tables());
  }
  EXPECT_EQ(f.Rows("SELECT FreqListKey, Freq, QalRadSvc, TxClassStation, FreqCnt FROM FreqList ORDER BY rowid"),
            (Lines{"00001000.00000000P Z|old1|~|~|8", "00001000.00000000p z|old2|~|~|40",
                   "00002000.00000000MxAb|00002000.00000000|Mx|Ab|3"}));
  const Lines rejected = f.RejectedLines();  // the refused row once
  ASSERT_EQ(rejected.size(), 1u);
  EXPECT_EQ(rejected[0].rfind("FreqList\t", 0), 0u) << rejected[0];
}

// A count that would leave the Long range is refused as an edit of the row
// would refuse it: the row keeps its count, each raise gives one line; so is
// one at the top of the 64-bit range, which has no whole number above it.
TEST_F(WritersTest, FreqListCountPastTheLongRangeIsSetAsideAndTheRowKeepsItsCount) {
  const std::pair<const char*, const char*> cases[] = {{"2147483647", "2147483648"},
                                                       {"9223372036854775807", "FreqCnt"}};
  for (const auto& [stored, named] : cases) {
    testing::EsFixture g;
    g.Sql(std::string("INSERT INTO FreqList (FreqListKey, FreqCnt) VALUES ('00001000.00000000P Z', ") +
          stored + ")");
    g.state.freq_lower_text = "00001000.00000000";
    g.state.cur_rad_svc_code = "P";
    g.state.tx.class_station = "Z";
    for (int i = 0; i < 2; ++i) WriteFreqList(g.run(), g.state, g.Tables());
    EXPECT_EQ(g.Rows("SELECT FreqCnt FROM FreqList"), Lines{stored});
    const Lines rejected = g.RejectedLines();
    ASSERT_EQ(rejected.size(), 2u) << stored;
    EXPECT_EQ(rejected[0], rejected[1]);
    EXPECT_EQ(rejected[0].rfind("FreqList\t", 0), 0u) << rejected[0];
    EXPECT_NE(rejected[0].find("FreqCnt"), std::string::npos) << rejected[0];
    EXPECT_NE(rejected[0].find(named), std::string::npos) << rejected[0];
  }
}

class SpecialConditionsTest : public WritersTest {
 protected:
  void SetUp() override {
    f.Sql("INSERT INTO DalkCondition (ConditionCode, ConditionText, ConditionNote) VALUES "
          "(1, ' Alpha ', ''), (2, 'Beta', ' see B '), (3, 'Gamma', NULL);"
          "INSERT INTO DalkAntennaCondition (ConditionKey, AntennaKey, ConditionCode) VALUES (1, 7, 1), (2, 7, 2), "
          "(3, 8, 77), (4, 6, 3);"
          "INSERT INTO DalkFrequencyCondition (ConditionKey, FrequencyKey, ConditionCode) VALUES (1, 500, 77), "
          "(2, 500, 1);"
          "INSERT INTO DalkLicenseCondition (ConditionKey, FilingKey, ConditionCode) VALUES (1, 11, 3), (2, 12, 1);"
          "INSERT INTO DalkSiteCondition (ConditionKey, SiteKey, ConditionCode) VALUES (1, 100, 2)");
  }
};

TEST_F(SpecialConditionsTest, TextsJoinTheirEntriesWithTheSeparator) {
  ConversionState& s = f.state;
  s.cur_antenna_key = 7;
  s.path_ant_key = "QD0000000011~01~01R";
  WriteSpcCndAnt(f.run(), s, f.Tables());
  s.cur_antenna_key = 8;
  s.path_ant_key = "QD0000000011~01~02R";
  WriteSpcCndAnt(f.run(), s, f.Tables());
  s.cur_antenna_key = 9;  // no conditions: no row
  WriteSpcCndAnt(f.run(), s, f.Tables());
  s.cur_frequency_key = 500;
  s.freq_key = "QD00000002";
  WriteSpcCndFreq(f.run(), s, f.Tables());
  s.cur_site_key = 100;
  s.path_site_key = "QD0000000011~01R";
  WriteSpcCndSite(f.run(), s, f.Tables());
  EXPECT_EQ(f.Rows("SELECT PathAntKey, SpecCond FROM SpcCndAnt ORDER BY rowid"),
            (Lines{"QD0000000011~01~01R|Text: Alpha {/n} Text: Beta {/n} Note: see B",
                   "QD0000000011~01~02R|Entry NOT found in Condition table:   AntennaKey = 8"}));
  EXPECT_EQ(f.Rows("SELECT FreqKey, SpecCond FROM SpcCndFreq"),
            Lines{"QD00000002|Entry NOT found in Condition table:   FrequencyKey = 500  /   ConditionCode = 77"
                  " {/n} Text: Alpha"});
  EXPECT_EQ(f.Rows("SELECT PathSiteKey, SpecCond FROM SpcCndSite"),
            Lines{"QD0000000011~01R|Text: Beta {/n} Note: see B"});
}

TEST_F(SpecialConditionsTest, OneRowPerKeyAndTextButEveryTextOfAKey) {
  ConversionState& s = f.state;
  s.cur_call_sign = "E990001";
  for (std::int64_t filing : {11, 11, 12}) {  // two filings of one call sign
    s.cur_filing_key = filing;
    WriteSpcCndLice(f.run(), s, f.Tables());
  }
  s.cur_antenna_key = 6;
  s.path_ant_key = "QD0000000011~01~03T";
  WriteSpcCndAnt(f.run(), s, f.Tables());  // a second frequency of the path antenna
  WriteSpcCndAnt(f.run(), s, f.Tables());
  EXPECT_EQ(f.Rows("SELECT CsFnKey, SpecCond FROM SpcCndLice ORDER BY rowid"),
            (Lines{"E990001|Text: Gamma", "E990001|Text: Alpha"}));
  EXPECT_EQ(f.Rows("SELECT COUNT(*) FROM SpcCndAnt"), Lines{"1"});
}

TEST_F(SpecialConditionsTest, ATextStoredBeforeTheStepOrUnderAnEarlierKeyIsNotAddedAgain) {
  f.Sql("INSERT INTO SpcCndSite (PathSiteKey, SpecCond) VALUES ('qd0000000011~01R', 'Text: Beta {/n} Note: see B')");
  ConversionState& s = f.state;
  s.cur_site_key = 100;
  for (const char* key : {"QD0000000011~01R", "QD0000000011~02R", "QD0000000011~01R", "QD0000000011~02R"}) {
    s.path_site_key = key;
    WriteSpcCndSite(f.run(), s, f.Tables());
  }
  EXPECT_EQ(f.Rows("SELECT PathSiteKey FROM SpcCndSite ORDER BY rowid"),
            (Lines{"qd0000000011~01R", "QD0000000011~02R"}));
}

// The texts under a key are those the index holds under it: a key that
// differs in a letter beyond ASCII is another key.
TEST_F(SpecialConditionsTest, ATextUnderAKeyDifferingInANonAsciiLetterIsStoredAgain) {
  f.Sql("INSERT INTO SpcCndLice (CsFnKey, SpecCond) VALUES ('XÉ1', 'Text: Alpha'), ('xé1', 'Text: Gamma')");
  f.state.cur_call_sign = "XÉ1";
  f.state.cur_filing_key = 11;  // Gamma
  WriteSpcCndLice(f.run(), f.state, f.Tables());
  EXPECT_EQ(f.Rows("SELECT CsFnKey, SpecCond FROM SpcCndLice ORDER BY rowid"),
            (Lines{"XÉ1|Text: Alpha", "xé1|Text: Gamma", "XÉ1|Text: Gamma"}));
}

}  // namespace
}  // namespace morvane::convert
