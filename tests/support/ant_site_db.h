// An empty antenna-site database (setting AntSiteDb) for tests that run
// the earth-station conversion: AntSiteInfo, AntSiteCallSign and
// AntSiteOwner with the fields and indexes the conversion uses.
#pragma once

#include <filesystem>

namespace morvane::testing {

// Creates the database at `file`, which must not exist, and returns `file`.
std::filesystem::path BuildAntSiteDb(const std::filesystem::path& file);

}  // namespace morvane::testing
