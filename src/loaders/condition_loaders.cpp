// Cond.dat and the condition links ant_cond.dat, freq_cond.dat, lic_cond.dat, site_cond.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> ConditionLoaders() { return {}; }

}  // namespace morvane::loaders
