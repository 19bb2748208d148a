// The user's antenna-site databases as the site matching (steps 28 and 29)
// and the earth-station step (39) use them: the tables, fields and indexes
// that are checked before anything is written, and which of them the run
// writes (B, C, D and the antenna-site database) or only reads (A, E).
#pragma once

#include <string>
#include <vector>

#include "run/run_context.h"
#include "run/user_database.h"

namespace morvane::convert {

// The key width of the KTB antenna-site key fields (SiteInfo.AntSiteKey,
// PathRecord.TxAntSiteKey): a matched key must fit it to be used at step 39.
inline constexpr std::size_t kAntSiteKeyWidth = 15;

engine::UserDatabase AntSiteA(const std::string& path);
engine::UserDatabase AntSiteB(const std::string& path);
engine::UserDatabase AntSiteC(const std::string& path);
engine::UserDatabase AntSiteD(const std::string& path);
// Only counted; optional.
engine::UserDatabase AntSiteE(const std::string& path);
// The antenna-site database (setting AntSiteDb): AntSiteInfo and
// AntSiteCallSign as the earth-station step writes them, and AntSiteOwner.
engine::UserDatabase AntSiteDb(const std::string& path);

// A to E, the antenna-site database and the registration-number database of
// the run (E and the registration database where present): what step 28
// checks before it changes anything, so that a run never half-updates the
// user's databases and then stops at step 29, 39 or 41.
std::vector<engine::UserDatabase> AntSiteDatabasesToCheck(const engine::RunPaths& paths);

}  // namespace morvane::convert
