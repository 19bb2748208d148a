// The filing, licensee and service lookups on a small staging database.
#include "convert/filing_lookups.h"

#include <gtest/gtest.h>

#include "convert/es_fixture.h"
#include "convert/es_populate.h"

namespace morvane::convert {
namespace {

TEST(ControlPhoneTest, TakesTheTenDigitsOfTheUsualLayouts) {
  const std::pair<const char*, const char*> cases[] = {
      {"555-301-7788", "5553017788"},   {"1-555-301-7788", "5553017788"},
      {"(555) 301-7788", "5553017788"}, {"(555)301-7788", "5553017788"},
      {"5553017788", "5553017788"},     {"555-3017788", "5553017788"},
      {"555-301-7788 x12", "5553017788"}, {"301-7788", ""},
      {"Call the office", " "},         {"", " "},
      {"1", " "},                       {"11-555-301-7788", "5553017788"},
  };
  for (const auto& [phone, expected] : cases) EXPECT_EQ(ControlPhoneOf(phone), expected) << phone;
}

TEST(LicenseeIdKeyTest, PutsQdTildeBeforeAnIdThatDoesNotStartWithQd) {
  EXPECT_EQ(LicenseeIdKeyOf("QD1234"), "QD1234");
  EXPECT_EQ(LicenseeIdKeyOf("A1234"), "QD~A1234");
  EXPECT_EQ(LicenseeIdKeyOf(" 77 "), "QD~77");
  EXPECT_EQ(LicenseeIdKeyOf("ABCDEFGHIJKL"), "QD~ABCDEFGHIJKL");
}

TEST(StatusCodeTest, FollowsTheApplicationTypeAndFilingState) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"LIC", "1", "9"}, {"AMD", "0", "6"}, {"RWL", "3", "6"}, {"MOD", "2", "0"},
      {"STA", "1", "8"}, {"STA", "0", "6"}, {"STA", "X", "0"}, {"NEW", "1", "0"},
      {"", "0", "0"},    {"lic", "1", "0"},
  };
  for (const auto& [app, state, expected] : cases) EXPECT_EQ(StatusCodeOf(app, state), expected) << app << state;
}

class FilingLookupsTest : public ::testing::Test {
 protected:
  testing::EsFixture f;
};

TEST_F(FilingLookupsTest, MainDataTrimsAndKeepsStateAndStatusWhenTheFilingIsMissing) {
  f.Sql("INSERT INTO DalkMain (FilingKey, FilingState, CallSign, FileNumber, StatusCode, StatusDate, "
        "DateFiled, DateExpire, AppTypeCode, TypeApplicantCode, ClassOfStationCode, ContactPhoneNum) "
        "VALUES (11, '1', ' E990001 ', ' SES-LIC-1 ', 'G', '20200102', ' 20190101 ', '20300101 ', ' LIC ', "
        "' CORP ', ' FX ', '(555) 301-7788')");
  f.state.row.filing_key = 11;
  GetMainData(f.state, f.Tables());
  const MainValues& m = f.state.main;
  EXPECT_EQ(m.filing_state, "1");
  EXPECT_EQ(f.state.cur_call_sign, "E990001");
  EXPECT_EQ(m.file_number, "SES-LIC-1");
  EXPECT_EQ(f.state.cur_status_code, "G");
  EXPECT_EQ(m.date_filed, "20190101");
  EXPECT_EQ(m.date_expire, "20300101");
  EXPECT_EQ(m.app_type_code, "LIC");
  EXPECT_EQ(m.type_applicant_code, "C");
  EXPECT_EQ(m.class_of_station_code, "FX");
  EXPECT_EQ(f.state.cur_control_phone, "5553017788");

  f.state.row.filing_key = 12;
  GetMainData(f.state, f.Tables());
  EXPECT_EQ(m.filing_state, "1");
  EXPECT_EQ(f.state.cur_status_code, "G");
  EXPECT_EQ(f.state.cur_call_sign, "");
  EXPECT_EQ(m.file_number, "");
  EXPECT_EQ(m.app_type_code, "");
  EXPECT_EQ(f.state.cur_control_phone, "");
}

TEST_F(FilingLookupsTest, AddressDataMakesTheLicenseeKeyAndKeepsTheRegistrationNumberOnNoMatch) {
  f.Sql("INSERT INTO DalkAddress (AddressKey, AddressId, AddressName, City, Kwd) "
        "VALUES (5, 'A1234', 'Orbit Co', 'Reston', '0001234567')");
  f.state.row.address_key = 5;
  GetAddressData(f.state, f.Tables());
  EXPECT_TRUE(f.state.address.found);
  EXPECT_EQ(f.state.licensee_id_key, "QD~A1234");
  EXPECT_EQ(f.state.address.address_name, "Orbit Co");
  EXPECT_EQ(f.state.address.street1, "");  // Null reads as the empty text
  EXPECT_EQ(f.state.cur_reg_num, "0001234567");

  f.state.row.address_key = 6;
  GetAddressData(f.state, f.Tables());
  EXPECT_FALSE(f.state.address.found);
  EXPECT_EQ(f.state.licensee_id_key, "");
  EXPECT_EQ(f.state.address.reg_num, "");
  EXPECT_EQ(f.state.cur_reg_num, "0001234567");
}

TEST_F(FilingLookupsTest, ASiteWithoutPointOfCommunicationGetsSpaceStationZero) {
  f.Sql("INSERT INTO DalkPtComm (PtCommKey, SiteKey, SpaceStationKey) VALUES (3, 100, 40);"
        "INSERT INTO DalkSpaceStation (SpaceStationKey, UsName, OrbitLocation) VALUES (40, 'SAT-A', '101 W');"
        "INSERT INTO DalkSpaceStation (SpaceStationKey, UsName) VALUES (0, 'never found')");
  f.state.row.site_key = 100;
  GetPtCommData(f.state, f.Tables());
  GetSpaceStationData(f.state, f.Tables());
  EXPECT_EQ(f.state.pt_comm.pt_comm_key, 3);
  EXPECT_EQ(f.state.space_station.us_name, "SAT-A");
  EXPECT_EQ(f.state.space_station.orbit_location, "101 W");

  f.Sql("DELETE FROM DalkSpaceStation WHERE SpaceStationKey = 0");
  f.state.row.site_key = 200;
  GetPtCommData(f.state, f.Tables());
  GetSpaceStationData(f.state, f.Tables());
  EXPECT_EQ(f.state.pt_comm.space_station_key, 0);
  EXPECT_EQ(f.state.space_station.us_name, "");
  EXPECT_EQ(f.state.space_station.orbit_location, "");
}

TEST_F(FilingLookupsTest, AFailedRadioServiceLookupGivesTheEmptyCodeNotThePreviousOne) {
  f.Sql("INSERT INTO DalkNatureOfService (FilingKey, NatureOfServiceCode) VALUES (11, ' FSS ');"
        "INSERT INTO DalkNatureOfService (FilingKey, NatureOfServiceCode) VALUES (12, 'ZZZ');"
        "INSERT INTO DalkNatureOfServiceCode (NatureOfServiceCode, RadSvcCode) VALUES ('FSS', 'CF')");
  f.state.row.filing_key = 11;
  GetRadSvcCode(f.state, f.Tables());
  EXPECT_EQ(f.state.cur_rad_svc_code, "CF");
  EXPECT_EQ(f.state.nature_of_service_code, " FSS ");

  f.state.row.filing_key = 12;
  GetRadSvcCode(f.state, f.Tables());
  EXPECT_EQ(f.state.cur_rad_svc_code, "");
  EXPECT_EQ(f.state.nature_of_service_code, "?1");

  f.state.cur_rad_svc_code = "CF";
  f.state.row.filing_key = 13;
  GetRadSvcCode(f.state, f.Tables());
  EXPECT_EQ(f.state.cur_rad_svc_code, "");
  EXPECT_EQ(f.state.nature_of_service_code, "?2");
}

TEST_F(FilingLookupsTest, FrequencyAndEnvironmentalSwitchAreEmptyWithoutTheirRows) {
  f.Sql("INSERT INTO DalkFrequency (FrequencyKey, Eirp, Emission, FrequencyLower, FrequencyUpper, "
        "TransModeFix) VALUES (9, '0050.0', '36M0G7W', '00006000.00000000', '00006010.00000000', 'T');"
        "INSERT INTO DalkForm312 (FilingKey, EnvironEffectSw) VALUES (11, 'Y')");
  f.state.row.frequency_key = 9;
  f.state.row.filing_key = 11;
  GetFrequencyData(f.state, f.Tables());
  GetEnvironEffectSw(f.state, f.Tables());
  EXPECT_EQ(f.state.freq_lower_text, "00006000.00000000");
  EXPECT_EQ(f.state.freq_upper_text, "00006010.00000000");
  EXPECT_EQ(f.state.cur_trans_mode_fix, "T");
  EXPECT_EQ(f.state.environ_effect_sw, "Y");

  f.state.row.frequency_key = 10;
  f.state.row.filing_key = 12;
  GetFrequencyData(f.state, f.Tables());
  GetEnvironEffectSw(f.state, f.Tables());
  EXPECT_EQ(f.state.freq_lower_text, "");
  EXPECT_EQ(f.state.frequency.emission, "");
  EXPECT_EQ(f.state.environ_effect_sw, "");
}

}  // namespace
}  // namespace morvane::convert
