// Site.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> SiteLoaders() { return {}; }

}  // namespace morvane::loaders
