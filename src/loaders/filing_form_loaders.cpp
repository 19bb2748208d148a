// Form_312.dat, fx.dat and licensee_history.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> FilingFormLoaders() { return {}; }

}  // namespace morvane::loaders
