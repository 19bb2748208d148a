// Path settings longer than the system allows for a path. Such a path is
// refused before Convert asks its question, never cut: the part that would
// fit could name another file, which Convert would then delete and replace.
#pragma once

#include <cstddef>
#include <optional>

#include "app/refusal.h"
#include "run/run_context.h"

namespace morvane::app {

// The most bytes that a path may have on this system (PATH_MAX without
// its terminating zero): 4,095 on Linux.
std::size_t PathLimit();

// The most bytes that one file or folder name of a path may have (NAME_MAX):
// 255 on Linux.
std::size_t NameLimit();

// The refusal for the first path setting of `paths` (TableMain,
// OutputPathAndFilename, AntSite_A to AntSite_E, AntSiteDb) that is longer
// than PathLimit(), or that holds a file or folder name longer than
// NameLimit(); its message names the setting, the length and the limit, and
// where to choose the file again. nullopt when every path fits.
std::optional<Refusal> OverlongPathSetting(const engine::RunPaths& paths);

}  // namespace morvane::app
