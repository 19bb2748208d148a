// FREQUENCY_BAND.dat, INTL_ALOC_FREQUENCY.dat and FREQUENCY_SAT.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> FrequencyBandLoaders() { return {}; }

}  // namespace morvane::loaders
