// Nat_serv.dat and nat_serv_code.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> NatureOfServiceLoaders() { return {}; }

}  // namespace morvane::loaders
