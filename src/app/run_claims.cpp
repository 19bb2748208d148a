#include "app/run_claims.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/files/files.h"
#include "platform/text/text.h"
#include "run/user_database.h"

namespace morvane::app {
namespace {

struct WrittenDatabase {
  const char* setting;
  std::string engine::RunPaths::*path;
};

constexpr WrittenDatabase kWritten[] = {
    {"AntSite_B", &engine::RunPaths::ant_site_b},
    {"AntSite_C", &engine::RunPaths::ant_site_c},
    {"AntSite_D", &engine::RunPaths::ant_site_d},
    {"AntSiteDb", &engine::RunPaths::ant_site_db},
};

constexpr char kChooseAnother[] =
    "\r\n\r\nWait until it has ended, or choose another database under  \"Setup | Ant Site Files\".";

Refusal UsedByAnotherConversion(const std::string& file, const std::string& setting) {
  return {"the database of the setting " + setting + " is being used by another conversion.",
          "The database " + file + " (setting " + setting + ") is being used by another conversion." +
              kChooseAnother};
}

Refusal CannotBeClaimed(const std::string& file, const std::string& setting, const std::system_error& e) {
  const std::string reason = e.code().message();
  return {"the database of the setting " + setting + " could not be claimed: " + reason,
          "The database " + file + " (setting " + setting + ") could not be claimed for this conversion: " +
              reason + "."};
}

}  // namespace

std::optional<Refusal> UserDatabaseClaims::Take(const engine::RunPaths& paths, const files::PathLock& output) {
  for (const auto& [setting, path] : kWritten) {
    const std::string named = text::Trim(paths.*path);
    if (named.empty() || text::EqualsIgnoreCase(named, "NONE")) continue;
    const std::filesystem::path file = engine::UserDatabaseFile(paths.*path);
    if (!files::FileExists(file) || output.Covers(file)) continue;
    bool claimed_already = false;
    for (const files::PathLock& claim : claims_) claimed_already = claimed_already || claim.Covers(file);
    if (claimed_already) continue;
    try {
      std::optional<files::PathLock> claim = files::PathLock::TryLock(file);
      if (!claim) {
        claims_.clear();
        return UsedByAnotherConversion(file.string(), setting);
      }
      claims_.push_back(std::move(*claim));
    } catch (const std::system_error& e) {
      claims_.clear();
      return CannotBeClaimed(file.string(), setting, e);
    }
  }
  return std::nullopt;
}

}  // namespace morvane::app
