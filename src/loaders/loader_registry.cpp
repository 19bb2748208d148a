#include "loaders/loader_registry.h"

#include "loaders/data_sets.h"

namespace morvane::loaders {

const LoaderDef& Loader(DataSet data_set) {
  switch (data_set) {  // every enumerator has a case: the compiler checks it
    case DataSet::kAddress: return *AddressContactLoaders()[0];
    case DataSet::kContact: return *AddressContactLoaders()[1];
    case DataSet::kAntennaGain: return *AntennaLoaders()[0];
    case DataSet::kAntennaTypeCode: return *AntennaLoaders()[1];
    case DataSet::kAntenna: return *AntennaLoaders()[2];
    case DataSet::kAzimuth: return *AntennaLoaders()[3];
    case DataSet::kPolarizationCode: return *AntennaLoaders()[4];
    case DataSet::kClassOfStationCode: return *CodeListLoaders()[0];
    case DataSet::kPurpose: return *CodeListLoaders()[1];
    case DataSet::kStatusCode: return *CodeListLoaders()[2];
    case DataSet::kCondition: return *ConditionLoaders()[0];
    case DataSet::kAntennaCondition: return *ConditionLoaders()[1];
    case DataSet::kFrequencyCondition: return *ConditionLoaders()[2];
    case DataSet::kLicenseCondition: return *ConditionLoaders()[3];
    case DataSet::kSiteCondition: return *ConditionLoaders()[4];
    case DataSet::kForm312: return *FilingFormLoaders()[0];
    case DataSet::kFx: return *FilingFormLoaders()[1];
    case DataSet::kLicenseeHistory: return *FilingFormLoaders()[2];
    case DataSet::kFrequencyBand: return *FrequencyBandLoaders()[0];
    case DataSet::kIntlAlocFrequency: return *FrequencyBandLoaders()[1];
    case DataSet::kFrequencySat: return *FrequencyBandLoaders()[2];
    case DataSet::kFrequency: return *FrequencyLoaders()[0];
    case DataSet::kFreqCoord: return *FrequencyLoaders()[1];
    case DataSet::kFrequencyFx: return *FrequencyLoaders()[2];
    case DataSet::kMain: return MainLoader();
    case DataSet::kNatureOfService: return *NatureOfServiceLoaders()[0];
    case DataSet::kNatureOfServiceCode: return *NatureOfServiceLoaders()[1];
    case DataSet::kSite: return *SiteLoaders()[0];
    case DataSet::kEarthStationSta: return *StationLoaders()[0];
    case DataSet::kPtComm: return *StationLoaders()[1];
    case DataSet::kPtCommFx: return *StationLoaders()[2];
    case DataSet::kSpaceStation: return *StationLoaders()[3];
    case DataSet::kSpaceStationSta: return *StationLoaders()[4];
    case DataSet::kAntennaFx: return *SubFieldLoaders()[0];
    case DataSet::kTransmitter: return *SubFieldLoaders()[1];
  }
  return MainLoader();  // not reached: the switch covers every data set
}

const std::vector<const LoaderDef*>& AllLoaders() {
  static const std::vector<const LoaderDef*> all = [] {
    std::vector<const LoaderDef*> loaders = {&MainLoader()};
    for (auto family : {AddressContactLoaders, SiteLoaders, AntennaLoaders, SubFieldLoaders,
                        FrequencyLoaders, NatureOfServiceLoaders, FrequencyBandLoaders,
                        StationLoaders, CodeListLoaders, ConditionLoaders, FilingFormLoaders}) {
      for (const LoaderDef* loader : family()) loaders.push_back(loader);
    }
    return loaders;
  }();
  return all;
}

const LoaderDef* FindLoader(std::string_view procedure) {
  for (const LoaderDef* loader : AllLoaders())
    if (loader->procedure == procedure) return loader;
  return nullptr;
}

}  // namespace morvane::loaders
