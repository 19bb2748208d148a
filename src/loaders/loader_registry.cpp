#include "loaders/loader_registry.h"

#include "loaders/data_sets.h"

namespace morvane::loaders {

const std::vector<const LoaderDef*>& AllLoaders() {
  static const std::vector<const LoaderDef*> all = {
      &MainLoader(),
  };
  return all;
}

const LoaderDef* FindLoader(std::string_view procedure) {
  for (const LoaderDef* loader : AllLoaders())
    if (loader->procedure == procedure) return loader;
  return nullptr;
}

}  // namespace morvane::loaders
