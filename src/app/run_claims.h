// The user's databases that a run writes: B, C and D (steps 28 and 29 raise
// their counts and add sites) and the antenna-site database (step 39 adds
// sites and call signs). Two conversions that wrote one of them side by side
// would both raise its counts and stop each other with "database is locked",
// so a run claims them before Convert asks its question and holds them to
// its end. Each is claimed as a file (files::FileClaim), which holds it under
// every name it has, and, like the output database, by its name
// (files::PathLock), so that a second Convert whose output names it is
// refused too. A and E are only read and are not claimed.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "app/refusal.h"
#include "platform/files/file_claim.h"
#include "platform/files/path_lock.h"
#include "run/run_context.h"

namespace morvane::app {

class UserDatabaseClaims {
 public:
  // Claims the databases that `paths` names for B, C, D and AntSiteDb.
  // A setting that is empty or "NONE", or that names no existing file,
  // needs no claim (the check of the user's databases reports it); a file
  // that `output` or an earlier setting already claims, under any name, is
  // claimed once.
  //
  // Returns the refusal when another conversion holds one of them (its
  // message names the file and the setting) or when one cannot be claimed
  // at all; the claims are then released. Never throws.
  //
  // Release the claims only once the run's databases are closed (see
  // files::FileClaim).
  std::optional<Refusal> Take(const engine::RunPaths& paths, const files::PathLock& output);

 private:
  bool Covers(const std::filesystem::path& file) const;
  void Release();

  std::vector<files::PathLock> name_claims_;
  std::vector<files::FileClaim> file_claims_;
};

}  // namespace morvane::app
