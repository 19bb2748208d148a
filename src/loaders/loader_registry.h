// Every data set loader, found by its procedure name (the run driver's step
// table names them).
#pragma once

#include <string_view>
#include <vector>

#include "loaders/loader_def.h"

namespace morvane::loaders {

const std::vector<const LoaderDef*>& AllLoaders();

// Null when no loader has that procedure name.
const LoaderDef* FindLoader(std::string_view procedure);

}  // namespace morvane::loaders
