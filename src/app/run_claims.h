// The user's databases that a run writes: B, C and D (steps 28 and 29 raise
// their counts and add sites) and the antenna-site database (step 39 adds
// sites and call signs). Two conversions that wrote one of them side by side
// would both raise its counts and stop each other with "database is locked",
// so a run claims them before Convert asks its question, as it claims its
// output database (files::PathLock), and holds them to its end. A and E are
// only read and are not claimed.
#pragma once

#include <optional>
#include <vector>

#include "app/refusal.h"
#include "platform/files/path_lock.h"
#include "run/run_context.h"

namespace morvane::app {

class UserDatabaseClaims {
 public:
  // Claims the databases that `paths` names for B, C, D and AntSiteDb.
  // A setting that is empty or "NONE", or that names no existing file,
  // needs no claim (the check before step 28 reports it); a file that
  // `output` or an earlier setting already claims is claimed once.
  //
  // Returns the refusal when another conversion holds one of them (its
  // message names the file and the setting) or when one cannot be claimed
  // at all; the claims are then released. Never throws.
  std::optional<Refusal> Take(const engine::RunPaths& paths, const files::PathLock& output);

 private:
  std::vector<files::PathLock> claims_;
};

}  // namespace morvane::app
