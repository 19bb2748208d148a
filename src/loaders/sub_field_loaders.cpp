// Ant_fx.dat and transmitter.dat, read with the sub-field scanner.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> SubFieldLoaders() { return {}; }

}  // namespace morvane::loaders
