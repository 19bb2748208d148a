// Address.dat and contact.dat.
#include "loaders/data_sets.h"

namespace morvane::loaders {

std::vector<const LoaderDef*> AddressContactLoaders() { return {}; }

}  // namespace morvane::loaders
