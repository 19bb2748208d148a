#include "app/settings.h"

#include <limits>

#include "platform/files/files.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {

// Every value is read into a buffer of 100 characters, so it keeps at most
// 99 of them; a missing key or file reads as "NONE".
constexpr std::size_t kValueBuffer = 100;
// Paths are read whole, however long: a cut output path would name another
// file, which Convert would then delete. Convert refuses a path longer than
// the system allows (path_lengths.h).
constexpr std::size_t kPathBuffer = std::numeric_limits<std::size_t>::max();
constexpr std::string_view kMissing = "NONE";
constexpr std::string_view kMainDataSetName = "main.dat";

}  // namespace

MainDataSet SplitTableMain(std::string_view value) {
  const std::size_t at = text::InStr(value, kMainDataSetName);
  if (at == 0) return {std::string(value), ""};
  return {text::Left(value, at - 1 + kMainDataSetName.size()),
          text::Left(value, at - 1)};
}

SettingsFile::SettingsFile(std::string_view program_folder) {
  app_path_ = text::ToLower(text::Trim(program_folder));
  if (!text::EndsWith(app_path_, "/")) app_path_ += '/';
  ini_file_ = app_path_ + "morvane.ini";
}

SettingsFile SettingsFile::AtPath(const std::filesystem::path& file) {
  SettingsFile settings(file.parent_path().string());
  settings.ini_file_ = file.string();
  return settings;
}

std::filesystem::path SettingsFile::DiskPath() const {
  return files::ResolveForWrite(files::FromSetting(ini_file_));
}

bool SettingsFile::Exists() const {
  return !ini_file_.empty() && files::FileExists(files::FromSetting(ini_file_));
}

bool SettingsFile::WriteDefaults(const engine::RunPaths& current) const {
  engine::RunPaths defaults = current;
  defaults.ant_site_db = text::Trim(app_path_ + "AntSiteDb.mdb");
  bool ok = WriteValue(kSectionInputFiles, kKeyTableMain, app_path_ + "main.dat");
  ok = WriteValue(kSectionOutputFiles, kKeyOutput, app_path_ + "dalkdb.mdb") && ok;
  ok = WriteValue(kSectionTempFiles, kKeyCompact, app_path_ + "compact.mdb") && ok;
  return WriteAntSites(defaults) && ok;
}

engine::RunPaths SettingsFile::Read() const {
  engine::RunPaths paths;
  ReadFileLocations(paths);
  for (const auto& [key, path] : kAntSiteKeys) {
    paths.*path = ReadPath(kSectionAntSite, key);
  }
  if (!ini_file_.empty()) paths.settings_file = DiskPath().string();
  return paths;
}

void SettingsFile::ReadFileLocations(engine::RunPaths& paths) const {
  MainDataSet main = SplitTableMain(ReadPath(kSectionInputFiles, kKeyTableMain));
  paths.table_main = std::move(main.table_main_path);
  paths.input_dir = std::move(main.input_dir);
  paths.output = ReadPath(kSectionOutputFiles, kKeyOutput);
}

std::string SettingsFile::ReadValue(std::string_view section,
                                    std::string_view key) const {
  return profile::GetString(section, key, kMissing, kValueBuffer, DiskPath());
}

std::string SettingsFile::ReadPath(std::string_view section, std::string_view key) const {
  return profile::GetString(section, key, kMissing, kPathBuffer, DiskPath());
}

bool SettingsFile::WriteValue(std::string_view section, std::string_view key,
                              std::string_view value) const {
  if (ini_file_.empty()) return false;
  return profile::WriteString(section, key, value, DiskPath());
}

bool SettingsFile::WriteAntSites(const engine::RunPaths& paths) const {
  bool ok = true;
  for (const auto& [key, path] : kAntSiteKeys) {
    ok = WriteValue(kSectionAntSite, key, paths.*path) && ok;
  }
  return ok;
}

}  // namespace morvane::app
