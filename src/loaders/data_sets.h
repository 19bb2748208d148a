// The loader definitions of the data sets, one function per family of data
// sets. Each returns definitions built once and kept for the program's life.
#pragma once

#include <vector>

#include "loaders/loader_def.h"

namespace morvane::loaders {

const LoaderDef& MainLoader();  // main.dat

}  // namespace morvane::loaders
