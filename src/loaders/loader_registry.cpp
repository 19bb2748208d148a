#include "loaders/loader_registry.h"

#include "loaders/data_sets.h"

namespace morvane::loaders {

const std::vector<const LoaderDef*>& AllLoaders() {
  static const std::vector<const LoaderDef*> all = [] {
    std::vector<const LoaderDef*> loaders = {&MainLoader()};
    for (auto family : {AddressContactLoaders, SiteLoaders, AntennaLoaders, SubFieldLoaders,
                        FrequencyLoaders, NatureOfServiceLoaders, FrequencyBandLoaders,
                        StationLoaders, CodeListLoaders, ConditionLoaders, FilingFormLoaders}) {
      for (const LoaderDef* loader : family()) loaders.push_back(loader);
    }
    return loaders;
  }();
  return all;
}

const LoaderDef* FindLoader(std::string_view procedure) {
  for (const LoaderDef* loader : AllLoaders())
    if (loader->procedure == procedure) return loader;
  return nullptr;
}

}  // namespace morvane::loaders
