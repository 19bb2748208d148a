// The settings file morvane.ini in the program's folder, and the paths the
// program takes from it.
//
// The file has four sections:
//
//   [InputFiles]   TableMain              the main data set file, main.dat
//   [OutputFiles]  OutputPathAndFilename  the output database
//   [TempFiles]    CompactMdbFile         written with the defaults, never read
//   [Ant Site]     AntSite_A .. AntSite_E the five antenna-site match databases
//                  AntSiteDb              the antenna-site database
//
// Values are stored exactly as the user chose them (they may hold '\' as the
// folder separator, or a drive letter); they are turned into usable paths
// only where a file is opened (files::FromSetting and files::Resolve). Every
// read gives "NONE" for a missing key or file. Paths (every key that Read
// takes) are read whole, never cut, however long (Convert refuses one longer
// than the system allows); any other value keeps at most 99 characters.
//
// Nothing here throws; the write functions return false when the file
// cannot be written, and leave the old file as it was.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "run/run_context.h"

namespace morvane::app {

inline constexpr std::string_view kSectionInputFiles = "InputFiles";
inline constexpr std::string_view kSectionOutputFiles = "OutputFiles";
inline constexpr std::string_view kSectionTempFiles = "TempFiles";
inline constexpr std::string_view kSectionAntSite = "Ant Site";
inline constexpr std::string_view kKeyTableMain = "TableMain";
inline constexpr std::string_view kKeyOutput = "OutputPathAndFilename";
inline constexpr std::string_view kKeyCompact = "CompactMdbFile";

// The six keys of the "Ant Site" section, in the order they are written,
// with the path each one holds.
struct AntSiteKey {
  std::string_view key;
  std::string engine::RunPaths::*path;
};
inline constexpr std::array<AntSiteKey, 6> kAntSiteKeys = {{
    {"AntSite_A", &engine::RunPaths::ant_site_a},
    {"AntSite_B", &engine::RunPaths::ant_site_b},
    {"AntSite_C", &engine::RunPaths::ant_site_c},
    {"AntSite_D", &engine::RunPaths::ant_site_d},
    {"AntSite_E", &engine::RunPaths::ant_site_e},
    {"AntSiteDb", &engine::RunPaths::ant_site_db},
}};

// The "TableMain" value split at the first "main.dat" (any letter case):
// the value through it (TableMainPath), and the part before it (InputDir). A value that names no
// main.dat keeps the whole value as the path and has no input folder; the
// run's check of main.dat then tells the user how to set it.
struct MainDataSet {
  std::string table_main_path;
  std::string input_dir;
};
MainDataSet SplitTableMain(std::string_view value);

// The settings file of one program folder.
class SettingsFile {
 public:
  SettingsFile() = default;
  // `program_folder` as the system gives it, in any letter case.
  explicit SettingsFile(std::string_view program_folder);
  // A settings file of another name (the development tools take one).
  static SettingsFile AtPath(const std::filesystem::path& file);

  // AppPath: the program folder trimmed, in lower case, ending in '/'.
  const std::string& app_path() const { return app_path_; }
  // IniFile: AppPath + "morvane.ini".
  const std::string& ini_file() const { return ini_file_; }
  // The file on disk: IniFile matched without regard to case.
  std::filesystem::path DiskPath() const;

  // True when the folder holds a file named morvane.ini in any letter case.
  bool Exists() const;

  // Writes the default settings, key by key in the order of the sections
  // above. AntSite_A to AntSite_E get the paths of `current` (empty at
  // start-up), AntSiteDb gets AppPath + "AntSiteDb.mdb".
  bool WriteDefaults(const engine::RunPaths& current) const;

  // Reads every setting: the paths a run uses. `input_dir` and
  // `table_main` come from "TableMain" as SplitTableMain gives them;
  // `settings_file` is this file on disk.
  engine::RunPaths Read() const;
  // Reads "TableMain" and "OutputPathAndFilename" into `paths`, leaving the
  // antenna-site paths as they are.
  void ReadFileLocations(engine::RunPaths& paths) const;

  // One value as stored ("NONE" when missing), at most 99 characters.
  std::string ReadValue(std::string_view section, std::string_view key) const;
  // One path as stored ("NONE" when missing), whole.
  std::string ReadPath(std::string_view section, std::string_view key) const;
  bool WriteValue(std::string_view section, std::string_view key,
                  std::string_view value) const;
  // The six "Ant Site" keys from `paths`, in order.
  bool WriteAntSites(const engine::RunPaths& paths) const;

 private:
  std::string app_path_;
  std::string ini_file_;
};

}  // namespace morvane::app
