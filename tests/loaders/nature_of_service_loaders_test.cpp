#include <gtest/gtest.h>

#include "loaders/nature_of_service.h"
#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

const db::Value kNull;

TEST(RadioServiceOfTest, MapsTheTableExactlyAndLeavesOtherCodesOut) {
  const struct {
    std::string code;
    std::optional<std::string_view> service;
  } cases[] = {
      {"AMSS", "JA"}, {"FSS", "JO"}, {"ESV", "KF"}, {"LATC", "LA"}, {"DTH", "KE"},
      {"CC", "JB"},   {"IP", "JY"},  {"MSS", "KA"}, {"MMS", "JZ"},
      {"RNSS", "K?"},  // its own row, so no message
      {"XYZ", std::nullopt},  {"fss", std::nullopt}, {"FSS ", std::nullopt},
      {"", std::nullopt},     {"FS", std::nullopt},  {"FSSS", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.code + "\"");
    EXPECT_EQ(loaders::RadioServiceOf(c.code), c.service);
  }
}

TEST(NatureOfServiceLoadersTest, ShowAndLogTheirSteps) {
  ExpectStepTexts({"PopulateNatureOfServiceTable", 21, "nat_serv.dat",
                   "Populating 'NatureOfService' table with  < ",
                   "Populate Nature Of Service Table!"},
                  "1|FSS|^|\n", 1);
  ExpectStepTexts({"PopulateNatureOfServiceCodeTable", 22, "nat_serv_code.dat",
                   "Populating 'NatureOfServiceCode' table with  < ",
                   "Populate Nature Of Service Code Table!"},
                  "FSS|Fixed||^|\n\n", 2);
}

TEST(NatureOfServiceCodeLoaderTest, StoresCodesAsTheyStandWithTheirRadioService) {
  const struct {
    std::string line;
    Row row;  // NatureOfServiceCode, Description, InactiveDate, RadSvcCode
    std::string message;  // "" for none
  } cases[] = {
      {"AMSS|Aeronautical mobile satellite|Jan  5 2010|^|",
       {"AMSS", "Aeronautical mobile satellite", "20100105", "JA"}, ""},
      {"FSS |Fixed satellite||^|", {"FSS ", "Fixed satellite", "", "JO"}, ""},
      {"ESV| Earth stations on vessels |Dec 31 1999|^|",
       {"ESV", " Earth stations on vessels ", "19991231", "KF"}, ""},
      {"RNSS|Radionavigation satellite||^|", {"RNSS", "Radionavigation satellite", "", "K?"}, ""},
      {"XYZ|Unheard of||^|", {"XYZ", "Unheard of", "", "K?"},
       "Unknown 'Nature Of Service Code' = XYZ"},
      {"fss|Lower case||^|", {"fss", "Lower case", "", "K?"},
       "Unknown 'Nature Of Service Code' = fss"},
      // The line loses its leading blanks, the code keeps its trailing one.
      {" QQ |Blanks around||^|", {"QQ ", "Blanks around", "", "K?"},
       "Unknown 'Nature Of Service Code' = QQ "},
      {"|No code||^|", {"", "No code", "", "K?"}, "Unknown 'Nature Of Service Code' = "},
      // Everything after the second bar goes to the date, which reads its
      // first eleven characters.
      {"CC|Common carrier|Feb 28 2004|extra|^|", {"CC", "Common carrier", "20040228", "JB"}, ""},
      {"LATC|Land||^|", {"LATC", "Land", "", "LA"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    LoaderFixture fixture;
    fixture.WriteDataSet("nat_serv_code.dat", c.line + "\n");
    fixture.Run(LoaderNamed("PopulateNatureOfServiceCodeTable"), 22);
    EXPECT_EQ(fixture.Rows("DalkNatureOfServiceCode"), std::vector<Row>{c.row});
    const auto& messages = fixture.ui().Messages();
    if (c.message.empty()) {
      EXPECT_TRUE(messages.empty());
    } else {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].text, c.message);
      EXPECT_EQ(messages[0].title, "Morvane");
      EXPECT_EQ(messages[0].buttons, ui::Buttons::kOk);
    }
    EXPECT_EQ(fixture.run().cur_rad_svc_code, c.row[3].Text());
    EXPECT_TRUE(fixture.RejectedLines().empty());
  }
}

TEST(NatureOfServiceCodeLoaderTest, RejectsWhatItCannotStoreWithoutAMessage) {
  LoaderFixture fixture;
  fixture.WriteDataSet("nat_serv_code.dat",
                       "DBS|Direct broadcast||^|\n"
                       "ABCDE|A code too long for its field||^|\n"
                       "FSS  |Trailing blanks make it too long||^|\n"
                       "QQQ|" + std::string(51, 'd') + "||^|\n"
                       "QQQ|A date it cannot read|Foo 12 2010|^|\n"
                       "QQQ|Too few fields|^|\n"
                       "IC|International||^|\n");
  fixture.run().cur_rad_svc_code = "ZZ";
  fixture.Run(LoaderNamed("PopulateNatureOfServiceCodeTable"), 22);

  EXPECT_EQ(fixture.Rows("DalkNatureOfServiceCode", {"NatureOfServiceCode", "RadSvcCode"}),
            (std::vector<Row>{{"DBS", "JC"}, {"IC", "JR"}}));
  EXPECT_TRUE(fixture.ui().Messages().empty());
  EXPECT_EQ(fixture.run().cur_rad_svc_code, "JR");

  const auto rejected = Rejections(fixture);
  ASSERT_EQ(rejected.size(), 5u);
  const std::int64_t lines[] = {2, 3, 4, 5, 6};
  for (std::size_t i = 0; i < rejected.size(); ++i) {
    EXPECT_EQ(rejected[i].data_set, "nat_serv_code.dat");
    EXPECT_EQ(rejected[i].line, lines[i]);
  }
  EXPECT_TRUE(Mentions(rejected[0].reason, "NatureOfServiceCode"));
  EXPECT_EQ(rejected[0].record, "ABCDE|A code too long for its field|");
  EXPECT_TRUE(Mentions(rejected[1].reason, "NatureOfServiceCode"));
  EXPECT_TRUE(Mentions(rejected[2].reason, "Description"));
  EXPECT_TRUE(Mentions(rejected[3].reason, "date"));
  EXPECT_TRUE(Mentions(rejected[4].reason, "too few fields"));
}

TEST(NatureOfServiceCodeLoaderTest, LeavesTheCodeOfTheLastStoredRecordForTheConversion) {
  const struct {
    std::string file;
    std::string before;
    std::string after;
  } cases[] = {
      {"FSS|a||^|\nOTH|b||^|\nXYZ|c||^|\n", "", "K?"},
      {"XYZ|c||^|\nOTH|b||^|\n", "", "KB"},
      // A last record that is rejected does not count.
      {"OTH|b||^|\nTOOLONG|c||^|\n", "", "KB"},
      // A file without records leaves what the run held.
      {"\n  \n", "JO", "JO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    LoaderFixture fixture;
    fixture.WriteDataSet("nat_serv_code.dat", c.file);
    fixture.run().cur_rad_svc_code = c.before;
    fixture.Run(LoaderNamed("PopulateNatureOfServiceCodeTable"), 22);
    EXPECT_EQ(fixture.run().cur_rad_svc_code, c.after);
  }
}

TEST(NatureOfServiceCodeLoaderTest, AsksOnceForEveryUnknownCode) {
  LoaderFixture fixture;
  fixture.WriteDataSet("nat_serv_code.dat",
                       "AB|a||^|\nFSS|b||^|\nAB|c||^|\nRNSS|d||^|\nCD|e||^|\n");
  fixture.Run(LoaderNamed("PopulateNatureOfServiceCodeTable"), 22);
  std::vector<std::string> texts;
  for (const auto& m : fixture.ui().Messages()) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Unknown 'Nature Of Service Code' = AB",
                                             "Unknown 'Nature Of Service Code' = AB",
                                             "Unknown 'Nature Of Service Code' = CD"}));
  EXPECT_EQ(fixture.RowCount("DalkNatureOfServiceCode"), 5);
}

// The message box waits for the user, who may stop the run there: every
// record before the one it announces is stored by then.
TEST(NatureOfServiceCodeLoaderTest, AStopAtTheMessageKeepsTheRecordsBeforeIt) {
  LoaderFixture fixture;
  fixture.WriteDataSet("nat_serv_code.dat", "FSS|a||^|\nRNSS|b||^|\nCC|c||^|\nAB|d||^|\nLATC|e||^|\n");
  fixture.ui().RequestStopAfterYields(1);  // the message's own yield: no other comes before record 100
  EXPECT_THROW(fixture.Run(LoaderNamed("PopulateNatureOfServiceCodeTable"), 22), engine::RunStopped);
  ASSERT_EQ(fixture.ui().Messages().size(), 1u);
  EXPECT_EQ(fixture.Rows("DalkNatureOfServiceCode", {"Description"}),
            (std::vector<Row>{{"a"}, {"b"}, {"c"}}));
}

TEST(NatureOfServiceLoaderTest, StoresFilingKeysAndUntrimmedCodes) {
  LoaderFixture fixture;
  fixture.WriteDataSet("nat_serv.dat",
                       "12|FSS |^|\n"
                       " 7 |AMSS|^|\n"
                       "x|IP|^|\n"
                       "3|A|B|^|\n"
                       "4||^|\n"
                       "12.5|IP|^|\n"
                       "3000000000|IP|^|\n"
                       "9|ABCDE|^|\n"
                       "5|^|\n"
                       "12|FSS|^|\n");
  fixture.Run(LoaderNamed("PopulateNatureOfServiceTable"), 21);

  EXPECT_EQ(fixture.Rows("DalkNatureOfService"),
            (std::vector<Row>{{12, "FSS "}, {7, "AMSS"}, {0, "IP"}, {3, "A|B"}, {4, ""},
                              {12, "FSS"}}));
  const auto rejected = Rejections(fixture);
  ASSERT_EQ(rejected.size(), 4u);
  EXPECT_EQ(rejected[0].line, 6);
  EXPECT_TRUE(Mentions(rejected[0].reason, "FilingKey"));
  EXPECT_EQ(rejected[1].line, 7);
  EXPECT_TRUE(Mentions(rejected[1].reason, "FilingKey"));
  EXPECT_EQ(rejected[2].line, 8);
  EXPECT_TRUE(Mentions(rejected[2].reason, "NatureOfServiceCode"));
  EXPECT_EQ(rejected[3].line, 9);
  EXPECT_EQ(rejected[3].record, "5");
  EXPECT_TRUE(fixture.ui().Messages().empty());
}

}  // namespace
}  // namespace morvane::testing
