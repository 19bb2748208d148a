// morvane-headless SETTINGS_FILE
//
// A development tool: runs one whole Convert with the settings of
// SETTINGS_FILE, as if Yes had been answered and every message acknowledged,
// and prints every status text and message box on its own line as it
// happens. Exits 0 when the run completed, 1 when it stopped, 2 on wrong use.
#include <filesystem>
#include <iostream>

#include "app/convert_command.h"
#include "app/settings.h"
#include "platform/files/files.h"
#include "platform/ui/recording_ui.h"

int main(int argc, char* argv[]) {
  using morvane::app::ConvertOutcome;
  if (argc != 2) {
    std::cerr << "usage: morvane-headless SETTINGS_FILE\n";
    return 2;
  }
  const std::filesystem::path settings_path = argv[1];
  if (!morvane::files::FileExists(settings_path)) {
    std::cerr << "morvane-headless: no settings file " << settings_path << "\n";
    return 2;
  }
  const auto settings = morvane::app::SettingsFile::AtPath(settings_path);

  std::ios::sync_with_stdio(false);
  morvane::ui::RecordingUi ui(&std::cout, /*keep_history=*/false);
  const ConvertOutcome outcome = morvane::app::ConvertCommand(ui, settings.Read());
  std::cout << "rejected records: " << outcome.rejected << "\n";
  if (outcome.kind != ConvertOutcome::Kind::kCompleted) {
    std::cout << "stopped: " << outcome.failure << "\n";
    return 1;
  }
  std::cout.flush();
  return 0;
}
