#include <gtest/gtest.h>

#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

TEST(FrequencyBandLoadersTest, ShowAndLogTheirSteps) {
  ExpectStepTexts({"PopulateFrequencyBandTable", 35, "FREQUENCY_BAND.dat",
                   "Populating 'FrequencyBand' table with  < ", "Populate Frequency Band Table!"},
                  "1|2|3|4|5|6|7|8|9|^|\n", 1);
  ExpectStepTexts({"PopulateIntlAlocFrequencyTable", 36, "INTL_ALOC_FREQUENCY.dat",
                   "Populating 'IntlAlocFrequency' table with  < ",
                   "Populate Intl Aloc Frrequency Table!"},
                  "1|2|3|^|\n", 1);
  ExpectStepTexts({"PopulateFrequencySatTable", 37, "FREQUENCY_SAT.dat",
                   "Populating 'FrequencySat' table with  < ", "Populate Frequency Sat Table!"},
                  "1|2|3|4|T|^|\n", 1);
}

TEST(FrequencyBandLoadersTest, StoreTrimmedFrequencyTextsAndRejectWhatDoesNotFit) {
  const std::string f17(17, '9');
  const std::string cases_band =
      " 12 | 3700 | 4200 | C band |3700.0|4200.00| 5925 |6425| 25.202(a)  |^|\n"  // 1
      "13|||||||||^|\n"                                                          // 2
      "14|" + f17 + "|1|" + std::string(40, 'b') + "|1|2|3|4|" + std::string(25, 'r') + "|^|\n"
      "15|" + f17 + "9|1|b|1|2|3|4|r|^|\n"                                        // 4: 18 chars
      "16|1|2|" + std::string(41, 'b') + "|1|2|3|4|r|^|\n"                        // 5
      "17|1|2|b|1|2|3|4|" + std::string(26, 'r') + "|^|\n"                        // 6
      "18|1|2|b|1|2|3|4|^|\n"                                                     // 7: 8 fields
      "3000000000|1|2|b|1|2|3|4|r|^|\n"                                           // 8
      "19|1|2|b|1|2|3|4|r|extra|^|\n";                                            // 9
  const LoadCase cases[] = {
      {"bands", "PopulateFrequencyBandTable", "FREQUENCY_BAND.dat", "DalkFrequencyBand",
       cases_band,
       {{12, "3700", "4200", "C band", "3700.0", "4200.00", "5925", "6425", "25.202(a)"},
        {13, "", "", "", "", "", "", "", ""},
        {14, f17, "1", std::string(40, 'b'), "1", "2", "3", "4", std::string(25, 'r')},
        {19, "1", "2", "b", "1", "2", "3", "4", "r|extra"}},
       {4, 5, 6, 7, 8}},
      {"allocations", "PopulateIntlAlocFrequencyTable", "INTL_ALOC_FREQUENCY.dat",
       "DalkIntlAlocFrequency",
       " 5 | 5925 | 6425 |^|\n"
       "6|10950|11200|not stored|more|^|\n"
       "7|10950|^|\n"
       "8|" + f17 + "|" + f17 + "9|^|\n"
       "1.5|1|2|^|\n",
       {{5, "5925", "6425"}, {6, "10950", "11200"}},
       {3, 4, 5}},
      {"satellite frequencies", "PopulateFrequencySatTable", "FREQUENCY_SAT.dat",
       "DalkFrequencySat",
       "101| 2002 | 3700.5 |4200| T |^|\n"
       "|x|1|2|R|^|\n"
       "102|2003|1|2|TR|^|\n"
       "103|2004|1|2||^|\n"
       "104|2004|1|2|^|\n",
       {{101, 2002, "3700.5", "4200", "T"}, {0, 0, "1", "2", "R"}, {103, 2004, "1", "2", ""}},
       {3, 5}},
  };
  for (const LoadCase& c : cases) ExpectLoad(c);
}

}  // namespace
}  // namespace morvane::testing
