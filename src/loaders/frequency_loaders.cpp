// Freq.dat, freq_coord.dat and freq_fx.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> FrequencyLoaders() { return {}; }

}  // namespace morvane::loaders
