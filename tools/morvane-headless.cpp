// morvane-headless [--registration-db FILE] SETTINGS_FILE
// morvane-headless --help
//
// Runs one whole Convert without the window (from a script, on a machine
// without a desktop, for the benchmark) with the settings of
// SETTINGS_FILE, as if Yes had been answered and every message acknowledged,
// and prints every status text and message box on its own line as it
// happens. Step 41 reads the registration numbers from FILE instead of the
// fixed /mnt/e/KtbMdb/EinKwd/einkwd.mdb when --registration-db gives one, or
// else when the settings file has one under [Development] RegistrationDb (the
// benchmark's settings do; Morvane itself never reads that key). A FILE named
// either way must be there: a run is refused before it changes anything
// when it is not. Exits 0 when the run completed, 1 when it was refused or
// stopped, 2 on wrong use. SIGTERM and SIGINT
// (Ctrl+C) stop the run as the window's Exit does, at its next yield with
// its open changes rolled back and its files closed; the tool then says so
// and exits 128 plus the signal's number (143, 130), as the shell expects.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/convert_command.h"
#include "app/settings.h"
#include "platform/files/files.h"
#include "platform/ui/recording_ui.h"
#include "platform/ui/stop_signals.h"

namespace {

constexpr const char* kUsage =
    "usage: morvane-headless [--registration-db FILE] SETTINGS_FILE\n"
    "       morvane-headless --help\n"
    "\n"
    "Runs one whole Convert with the settings of SETTINGS_FILE (a morvane.ini),\n"
    "without the window: answers Yes to the question, acknowledges every message\n"
    "and prints every status text and message box on a line of its own.\n"
    "Step 41 reads the registration numbers from FILE (or the file that\n"
    "SETTINGS_FILE names under [Development] RegistrationDb) instead of\n"
    "/mnt/e/KtbMdb/EinKwd/einkwd.mdb; a FILE named either way that is not\n"
    "there refuses the run before anything is changed.\n"
    "\n"
    "Exit status: 0 when the run completed, 1 when it was refused or stopped,\n"
    "2 on wrong use, 128 plus the signal after SIGTERM or SIGINT (143, 130).\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  using morvane::app::ConvertOutcome;
  std::optional<std::filesystem::path> registration_db;
  std::string registration_named_by;
  int arg = 1;
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (arg < argc && std::string_view(argv[arg]) == "--registration-db") {
    if (arg + 1 >= argc) return Usage();
    registration_db = argv[arg + 1];
    registration_named_by = "--registration-db";
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
      !registration_db && from_settings != "NONE") {
    registration_db = morvane::files::FromSetting(from_settings);
    registration_named_by = "the setting RegistrationDb of [Development] in " + settings_path.string();
  }

  std::ios::sync_with_stdio(false);
  const morvane::ui::StopSignals stop_signals;
  morvane::ui::RecordingUi recording(&std::cout, /*keep_history=*/false);
  morvane::ui::StopOnSignalUi ui(recording, stop_signals);
  morvane::engine::RunPaths paths = settings.Read();
  if (registration_db) {
    paths.registration_database = registration_db->string();
    paths.registration_named_by = registration_named_by;
  }
  const ConvertOutcome outcome = morvane::app::ConvertCommand(ui, paths);
  std::cout << "rejected records: " << outcome.rejected << "\n";
  std::cout << "notes about antenna-site keys and counts: " << outcome.key_notes << "\n";
  if (outcome.kind != ConvertOutcome::Kind::kCompleted) {
    std::cout << "stopped: " << outcome.failure << "\n";
    if (const int signal = stop_signals.Received(); signal != 0) {
      std::cout.flush();
      std::cerr << "morvane-headless: " << morvane::ui::StopSignals::Name(signal)
                << ": the conversion was stopped; its open changes were rolled back and its files "
                   "closed\n";
      return 128 + signal;
    }
    return 1;
  }
  std::cout.flush();
  return 0;
}
