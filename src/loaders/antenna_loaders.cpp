// Anten.dat, ant_gain.dat, ant_type_code.dat, azimuth.dat and polar.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> AntennaLoaders() { return {}; }

}  // namespace morvane::loaders
