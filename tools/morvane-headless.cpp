// morvane-headless [--registration-db FILE] SETTINGS_FILE
//
// A development tool: runs one whole Convert with the settings of
// SETTINGS_FILE, as if Yes had been answered and every message acknowledged,
// and prints every status text and message box on its own line as it
// happens. Step 41 reads the registration numbers from FILE instead of the
// fixed /mnt/e/KtbMdb/EinKwd/einkwd.mdb when --registration-db gives one, or
// else when the settings file has one under [Development] RegistrationDb (the
// benchmark's settings do; Morvane itself never reads that key). Exits 0 when
// the run completed, 1 when it stopped, 2 on wrong use.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/convert_command.h"
#include "app/settings.h"
#include "platform/files/files.h"
#include "platform/ui/recording_ui.h"

namespace {

int Usage() {
  std::cerr << "usage: morvane-headless [--registration-db FILE] SETTINGS_FILE\n";
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  using morvane::app::ConvertOutcome;
  std::optional<std::filesystem::path> registration_db;
  int arg = 1;
  if (arg < argc && std::string_view(argv[arg]) == "--registration-db") {
    if (arg + 1 >= argc) return Usage();
    registration_db = argv[arg + 1];
    arg += 2;
  }
  if (argc - arg != 1) return Usage();
  const std::filesystem::path settings_path = argv[arg];
  if (!morvane::files::FileExists(settings_path)) {
    std::cerr << "morvane-headless: no settings file " << settings_path << "\n";
    return 2;
  }
  const auto settings = morvane::app::SettingsFile::AtPath(settings_path);
  if (const std::string from_settings = settings.ReadPath("Development", "RegistrationDb");
      !registration_db && from_settings != "NONE")
    registration_db = morvane::files::FromSetting(from_settings);

  std::ios::sync_with_stdio(false);
  morvane::ui::RecordingUi ui(&std::cout, /*keep_history=*/false);
  morvane::engine::RunPaths paths = settings.Read();
  if (registration_db) paths.registration_database = registration_db->string();
  const ConvertOutcome outcome = morvane::app::ConvertCommand(ui, paths);
  std::cout << "rejected records: " << outcome.rejected << "\n";
  std::cout << "notes about antenna-site keys: " << outcome.key_notes << "\n";
  if (outcome.kind != ConvertOutcome::Kind::kCompleted) {
    std::cout << "stopped: " << outcome.failure << "\n";
    return 1;
  }
  std::cout.flush();
  return 0;
}
