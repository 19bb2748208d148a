// Class.dat, purpose.dat and status_code.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> CodeListLoaders() { return {}; }

}  // namespace morvane::loaders
