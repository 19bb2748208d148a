// The driver's step table against the fixed list of a run's 42 steps.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/run_driver.h"

namespace morvane::app {
namespace {

// Written out here, not taken from the driver, so a swapped, missing or
// misspelt step fails.
const std::vector<std::pair<int, std::string>> kExpectedSteps = {
    {1, "PopulateAddressTable"},          {2, "PopulateAntennaConditionTable"},
    {3, "PopulateAntennaFxTable"},        {4, "PopulateAntennaGainTable"},
    {5, "PopulateAntennaTypeCodeTable"},  {6, "PopulateAntennaTable"},
    {7, "PopulateAzimuth"},               {8, "PopulateClassOfStationCode"},
    {9, "PopulateConditionTable"},        {10, "PopulateContactTable"},
    {11, "PopulateEarthStationStaTable"}, {12, "PopulateForm312Table"},
    {13, "PopulateFrequencyTable"},       {14, "PopulateFreqCondTable"},
    {15, "PopulateFreqCoordTable"},       {16, "PopulateFrequencyFxTable"},
    {17, "PopulateFxTable"},              {18, "PopulateLicenseeHistoryTable"},
    {19, "PopulateLicenseConditionTable"}, {20, "PopulateMainTable"},
    {21, "PopulateNatureOfServiceTable"}, {22, "PopulateNatureOfServiceCodeTable"},
    {23, "PopulatePolarizationCode"},     {24, "PopulatePtCommTable"},
    {25, "PopulatePtCommFxTable"},        {26, "PopulatePurposeTable"},
    {27, "PopulateSiteTable"},            {28, "BuildAntSiteDataSet_A_B"},
    {29, "BuildAntSiteDataSet_C_D_E"},    {30, "PopulateSiteConditionTable"},
    {31, "PopulateSpaceStationTable"},    {32, "PopulateSpaceStationStaTable"},
    {33, "PopulateStatusCodeTable"},      {34, "PopulateTransmitterTable"},
    {35, "PopulateFrequencyBandTable"},   {36, "PopulateIntlAlocFrequencyTable"},
    {37, "PopulateFrequencySatTable"},    {38, "CompactDalkDatabase"},
    {39, "EsPopulateKtbTables"},          {40, "PopulateTransmitterTable"},
    {41, "PopulateLiceEinKwdTable"},      {42, "CompactDalkDatabase"},
};

TEST(StepTableTest, HoldsTheFortyTwoStepsInOrder) {
  const std::vector<Step> steps = StandardSteps();
  ASSERT_EQ(steps.size(), kExpectedSteps.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].number, kExpectedSteps[i].first) << "entry " << i;
    EXPECT_EQ(steps[i].procedure, kExpectedSteps[i].second) << "step " << steps[i].number;
    EXPECT_TRUE(steps[i].run) << "step " << steps[i].number;
  }
}

}  // namespace
}  // namespace morvane::app
