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
    if (!files::FileExists(file) || output.Covers(file) || Covers(file)) continue;
    try {
      // A file whose name another setting's claim covers already (its name
      // differs only in letter case) needs only its own claim as a file.
      bool named_already = false;
      for (const files::PathLock& claim : name_claims_) named_already = named_already || claim.Covers(file);
      std::optional<files::PathLock> by_name;
      if (!named_already) by_name = files::PathLock::TryLock(file);
      std::optional<files::FileClaim> as_file;
      if (named_already || by_name) as_file = files::FileClaim::TryTake(file);
      if (!as_file) {
        Release();
        return UsedByAnotherConversion(file.string(), setting);
      }
      if (by_name) name_claims_.push_back(std::move(*by_name));
      file_claims_.push_back(std::move(*as_file));
    } catch (const std::system_error& e) {
      Release();
      return CannotBeClaimed(file.string(), setting, e);
    }
  }
  return std::nullopt;
}

bool UserDatabaseClaims::Covers(const std::filesystem::path& file) const {
  for (const files::FileClaim& claim : file_claims_)
    if (claim.Covers(file)) return true;
  return false;
}

void UserDatabaseClaims::Release() {
  file_claims_.clear();
  name_claims_.clear();
}

}  // namespace morvane::app
