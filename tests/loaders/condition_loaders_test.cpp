#include <gtest/gtest.h>

#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

TEST(ConditionLoadersTest, ShowAndLogTheirSteps) {
  const StepTexts cases[] = {
      {"PopulateAntennaConditionTable", 2, "ant_cond.dat",
       "Populating 'AntennaCondition' table with  < ", "Populate Antenna Condition Table!"},
      {"PopulateConditionTable", 9, "Cond.dat", "Populating 'Condition' table with  < ",
       "Populate Condition Table!"},
      {"PopulateFreqCondTable", 14, "freq_cond.dat",
       "Populating 'FrequencyCondition' table with  < ", "Populate Freq Cond Table!"},
      {"PopulateLicenseConditionTable", 19, "lic_cond.dat",
       "Populating 'LicenseCondition' table with  < ", "Populate License Condition Table!"},
      {"PopulateSiteConditionTable", 30, "site_cond.dat",
       "Populating 'SiteCondition' table with  < ", "Populate Site Condition Table!"},
  };
  for (const StepTexts& texts : cases) ExpectStepTexts(texts, "1|2|3|4|^|\n", 1);
}

// Texts run over several lines are joined by the record reader; an end
// mark alone on the last line leaves the joint at the end of the note.
TEST(ConditionLoaderTest, StoresTrimmedTextsNeverNull) {
  const LoadCase c = {
      "conditions", "PopulateConditionTable", "Cond.dat", "DalkCondition",
      "5| ES |  Text with  blanks around  ||^|\n"
      "6|ES|First line\n"
      "  second line  |Note|^|\n"
      "6|ABC|Same code again| A note |rest|of|it|^|\n"
      "7|ABCD|Code too long|n|^|\n"
      "8|ES|Three fields|^|\n"
      "9.5|ES|Not whole|n|^|\n"
      "10|ES|Text|Note\n"
      "|^|\n",
      {{5, "ES", "Text with  blanks around", ""},
       {6, "ES", "First line \\n second line", "Note"},
       {6, "ABC", "Same code again", "A note"},
       {10, "ES", "Text", "Note \\n"}},
      {5, 6, 7}};
  ExpectLoad(c);
}

TEST(ConditionLoadersTest, LinkCodesToTheirThingsInTheirOwnFieldOrder) {
  const struct {
    std::string procedure;
    std::string file;
    std::string table;
    std::vector<std::string> fields;  // the stored order of the pieces 1 to 3
  } links[] = {
      {"PopulateAntennaConditionTable", "ant_cond.dat", "DalkAntennaCondition",
       {"ConditionKey", "AntennaKey", "ConditionCode"}},
      {"PopulateFreqCondTable", "freq_cond.dat", "DalkFrequencyCondition",
       {"ConditionKey", "FrequencyKey", "ConditionCode"}},
      {"PopulateLicenseConditionTable", "lic_cond.dat", "DalkLicenseCondition",
       {"ConditionKey", "FilingKey", "ConditionCode"}},
      // The condition code stands before the site key.
      {"PopulateSiteConditionTable", "site_cond.dat", "DalkSiteCondition",
       {"ConditionKey", "ConditionCode", "SiteKey"}},
  };
  for (const auto& link : links) {
    SCOPED_TRACE(link.procedure);
    LoaderFixture fixture;
    fixture.WriteDataSet(link.file,
                         "17|45|901|^|\n"
                         "17|45|901|0|^|\n"
                         "17|45|901|0|more|bars|^|\n"
                         "|x| 3 |^|\n"
                         "1|2|^|\n"
                         "1|2|99999999999|^|\n"
                         "1|2.25|3|^|\n"
                         "-2147483648|2147483647|0|^|\n");
    fixture.Run(LoaderNamed(link.procedure), 2);
    EXPECT_EQ(fixture.Rows(link.table, link.fields),
              (std::vector<Row>{{17, 45, 901},
                                {17, 45, 901},
                                {17, 45, 901},
                                {0, 0, 3},
                                {std::int64_t{-2147483648}, 2147483647, 0}}));
    std::vector<std::int64_t> lines;
    for (const Rejection& r : Rejections(fixture)) lines.push_back(r.line);
    EXPECT_EQ(lines, (std::vector<std::int64_t>{5, 6, 7}));
  }
}

}  // namespace
}  // namespace morvane::testing
