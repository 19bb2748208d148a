// Every data set loader: by data set (the run driver's step table binds its
// loader steps this way, so a step cannot name a loader that does not
// exist), or by procedure name (tests and the benchmark).
#pragma once

#include <string_view>
#include <vector>

#include "loaders/loader_def.h"

namespace morvane::loaders {

// The 35 data sets, one per data set file.
enum class DataSet {
  kAddress, kAntennaCondition, kAntennaFx, kAntennaGain, kAntennaTypeCode, kAntenna,
  kAzimuth, kClassOfStationCode, kCondition, kContact, kEarthStationSta, kForm312,
  kFrequency, kFrequencyCondition, kFreqCoord, kFrequencyFx, kFx, kLicenseeHistory,
  kLicenseCondition, kMain, kNatureOfService, kNatureOfServiceCode, kPolarizationCode,
  kPtComm, kPtCommFx, kPurpose, kSite, kSiteCondition, kSpaceStation, kSpaceStationSta,
  kStatusCode, kTransmitter, kFrequencyBand, kIntlAlocFrequency, kFrequencySat,
};

// The loader of a data set; built once and kept for the program's life.
const LoaderDef& Loader(DataSet data_set);

const std::vector<const LoaderDef*>& AllLoaders();

// Null when no loader has that procedure name.
const LoaderDef* FindLoader(std::string_view procedure);

}  // namespace morvane::loaders
