// Each data set reaches the loader of its own file.
#include "loaders/loader_registry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace morvane::loaders {
namespace {

TEST(LoaderRegistryTest, EveryDataSetHasItsOwnLoader) {
  const std::vector<std::pair<DataSet, std::string>> cases = {
      {DataSet::kAddress, "address.dat"},          {DataSet::kAntennaCondition, "ant_cond.dat"},
      {DataSet::kAntennaFx, "ant_fx.dat"},         {DataSet::kAntennaGain, "ant_gain.dat"},
      {DataSet::kAntennaTypeCode, "ant_type_code.dat"}, {DataSet::kAntenna, "anten.dat"},
      {DataSet::kAzimuth, "azimuth.dat"},          {DataSet::kClassOfStationCode, "class.dat"},
      {DataSet::kCondition, "Cond.dat"},           {DataSet::kContact, "contact.dat"},
      {DataSet::kEarthStationSta, "earth_sta.dat"}, {DataSet::kForm312, "form_312.dat"},
      {DataSet::kFrequency, "freq.dat"},           {DataSet::kFrequencyCondition, "freq_cond.dat"},
      {DataSet::kFreqCoord, "freq_coord.dat"},     {DataSet::kFrequencyFx, "freq_fx.dat"},
      {DataSet::kFx, "fx.dat"},                    {DataSet::kLicenseeHistory, "licensee_history.dat"},
      {DataSet::kLicenseCondition, "lic_cond.dat"}, {DataSet::kMain, "main.dat"},
      {DataSet::kNatureOfService, "nat_serv.dat"}, {DataSet::kNatureOfServiceCode, "nat_serv_code.dat"},
      {DataSet::kPolarizationCode, "polar.dat"},   {DataSet::kPtComm, "ptcomm.dat"},
      {DataSet::kPtCommFx, "ptcomm_fx.dat"},       {DataSet::kPurpose, "purpose.dat"},
      {DataSet::kSite, "site.dat"},                {DataSet::kSiteCondition, "site_cond.dat"},
      {DataSet::kSpaceStation, "space_sta.dat"},   {DataSet::kSpaceStationSta, "space_sta_sta.dat"},
      {DataSet::kStatusCode, "status_code.dat"},   {DataSet::kTransmitter, "transmitter.dat"},
      {DataSet::kFrequencyBand, "FREQUENCY_BAND.dat"}, {DataSet::kIntlAlocFrequency, "INTL_ALOC_FREQUENCY.dat"},
      {DataSet::kFrequencySat, "FREQUENCY_SAT.dat"},
  };
  std::set<const LoaderDef*> seen;
  for (const auto& [data_set, file] : cases) {
    EXPECT_EQ(Loader(data_set).file, file);
    seen.insert(&Loader(data_set));
  }
  EXPECT_EQ(seen.size(), 35u);
}

}  // namespace
}  // namespace morvane::loaders
