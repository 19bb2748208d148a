// Earth_sta.dat, ptcomm.dat, ptcomm_fx.dat, space_sta.dat and space_sta_sta.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> StationLoaders() { return {}; }

}  // namespace morvane::loaders
