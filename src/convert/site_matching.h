// The antenna-site matching: steps 28 and 29 give every staged site
// (DalkSite) the key of its antenna site in the user's antenna-site
// databases, TowerSiteKey, and a flag saying where it came from, TowerFlag:
//   "1" found in A (registered towers), "2" found in B (non-registered,
//   counted), "3" found in or added to C (by coordinates), "4" found in or
//   added to D (sites without coordinates, by address).
// A site whose two total-seconds texts are both 0 has no coordinates: step
// 28 leaves it alone and step 29 takes it to D.
//
// The user's databases A to E are SQLite files named by the settings
// AntSite_A to AntSite_E; C and D grow by new "C"/"D" entries and every
// count of B, C and D grows at each match, across runs. A and E are opened
// read-only.
//
// Errors: step 28 first checks A to E, the antenna-site database and the
// registration-number database (engine::CheckUserDatabase: present, whole,
// and those the run writes writable now) and stops with engine::StepError
// before anything is changed. An error of the database layer in a user's database
// stops the step with StepError naming that file; in the output database
// with db::Error. A key found in a database that step 39 could not use
// (empty, or longer than the 15 characters of an antenna-site key) is set
// aside with a line in baddata.txt, counted as a note (the site row is
// stored), and the site is treated as not found there. engine::RunStopped passes through from the yields.
#pragma once

#include "run/run_context.h"

namespace morvane::convert {

// Step 28: looks each site with coordinates up in A, then in B.
void BuildAntSiteDataSet_A_B(engine::RunContext& run);

// Step 29: gives every site without flag "1" or "2" a key from C or D,
// adding new entries; counts E.
void BuildAntSiteDataSet_C_D_E(engine::RunContext& run);

}  // namespace morvane::convert
