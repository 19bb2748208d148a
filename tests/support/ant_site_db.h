// Empty antenna-site databases for tests, built from the SQL schemas under
// tests/data/antsite/ (the statements the README gives users).
#pragma once

#include <filesystem>

#include "run/run_context.h"

namespace morvane::testing {

// The antenna-site database (setting AntSiteDb): AntSiteInfo,
// AntSiteCallSign and AntSiteOwner with the fields and indexes the
// earth-station conversion uses. Creates it at `file`, which must not
// exist, and returns `file`.
std::filesystem::path BuildAntSiteDb(const std::filesystem::path& file);

// The match databases A to E and the antenna-site database, empty, in
// `folder` under the names the sample settings give them (antsite_a.mdb ...
// antsite_e.mdb, AntSiteDb.mdb), with their paths set in `paths`.
void BuildAntSiteDatabases(const std::filesystem::path& folder, engine::RunPaths& paths);

}  // namespace morvane::testing
