#include <gtest/gtest.h>

#include "loaders/step_expectations.h"

namespace morvane::testing {
namespace {

TEST(CodeListLoadersTest, ShowAndLogTheirSteps) {
  // The class-of-station codes load under the nature-of-service code
  // caption.
  ExpectStepTexts({"PopulateClassOfStationCode", 8, "class.dat",
                   "Populating 'NatureOfServiceCode' table with  < ",
                   "APopulate Class Of Station Code Table!"},
                  "AB|First class||^|\n", 1);
  ExpectStepTexts({"PopulatePurposeTable", 26, "purpose.dat", "Populating 'Purpose' table with  < ",
                   "Populate Purpose Table!"},
                  "12|A|^|\n", 1);
  ExpectStepTexts({"PopulateStatusCodeTable", 33, "status_code.dat",
                   "Populating 'StatusCode' table with  < ", "Populate Status Code Table!"},
                  "A|b|c||^|\n", 1);
}

TEST(CodeListLoadersTest, StoreTheCodesAndRejectWhatDoesNotFit) {
  const LoadCase cases[] = {
      // The class codes and their descriptions keep their blanks (but a
      // record line loses those at its ends).
      {"classes of station", "PopulateClassOfStationCode", "class.dat",
       "DalkClassOfStationCode",
       "AB|First class||^|\n"
       " AB | First class |Jan  5 2010|^|\n"
       "FXE |Fixed earth| Dec 31 1999 |^|\n"
       "FXE  |Five characters with the blank||^|\n"
       "X|" + std::string(50, 'd') + "||^|\n"
       "X|" + std::string(51, 'd') + "||^|\n"
       "X|Too few|^|\n"
       "X|Bad month|jan  5 2010|^|\n"
       "TC|More fields|Feb  2 2002|x|^|\n",
       {{"AB", "First class", ""},
        {"AB ", " First class ", "20100105"},
        {"FXE ", "Fixed earth", "19991231"},
        {"X", std::string(50, 'd'), ""},
        {"TC", "More fields", "20020202"}},
       {4, 6, 7, 8}},
      {"purposes", "PopulatePurposeTable", "purpose.dat", "DalkPurpose",
       "12|A|B|^|\n"
       "|  Modification  |^|\n"
       "abc|X|^|\n"
       "13||^|\n"
       "14|^|\n"
       "2147483648|X|^|\n",
       {{12, "A|B"}, {0, "Modification"}, {0, "X"}, {13, ""}},
       {5, 6}},
      {"status codes", "PopulateStatusCodeTable", "status_code.dat", "DalkStatusCode",
       " ACT | Active and   granted | N |Dec 31 1999|^|\n"
       "ABCDE||||^|\n"
       "ABCDEF|x|N||^|\n"
       "A|x|NY||^|\n"
       "A|x|N|^|\n"
       "A|x|N|Dec 31 99|^|\n",  // a two-digit year makes a six-character date
       {{"ACT", "Active and   granted", "N", "19991231"}, {"ABCDE", "", "", ""}, {"A", "x", "N", "991231"}},
       {3, 4, 5}},
  };
  for (const LoadCase& c : cases) ExpectLoad(c);
}

}  // namespace
}  // namespace morvane::testing
