// bench-window-run PROGRAM_FOLDER
//
// One whole Convert in Morvane's own windows, for the benchmark: the main
// window started on PROGRAM_FOLDER (its morvane.ini), the Convert button
// clicked, every message box answered as a user who wants the run done
// (Yes, then OK), and the program ended when the run returns. As the
// headless tool, step 41 reads the registration database that morvane.ini
// names under [Development] RegistrationDb, when it names one. The status
// window paints as it does for a user; without a display (DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM set) it uses Qt's offscreen platform.
// Prints the messages shown; exits 0 when the run completed.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <iostream>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/convert_command.h"
#include "app/settings.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_ui.h"
#include "app/gui/services.h"

int main(int argc, char* argv[]) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: bench-window-run PROGRAM_FOLDER\n";
    return 2;
  }
  const auto settings = morvane::app::SettingsFile::AtPath(std::filesystem::path(argv[1]) / "morvane.ini");
  const std::string registration_db = settings.ReadPath("Development", "RegistrationDb");
  morvane::gui::Services services;
  services.message_box = [](QWidget*, const morvane::ui::Message& message) {
    std::cout << "message: " << message.text << "\n";
    return message.buttons == morvane::ui::Buttons::kOk ? morvane::ui::Answer::kOk
                                                        : morvane::ui::Answer::kYes;
  };
  services.choose_file = [](QWidget*, const morvane::gui::FileRequest&) {
    return std::optional<std::string>();
  };
  services.end_program = [] {};

  morvane::gui::MainWindow window(services);
  bool completed = false;
  window.SetConvertHandler([&] {
    window.SetRunInProgress(true);
    morvane::engine::RunPaths paths = window.PathsForRun();
    if (registration_db != "NONE" && !registration_db.empty()) paths.registration_database = registration_db;
    const auto outcome = morvane::app::ConvertCommand(window.WindowsUi(), paths);
    completed = outcome.kind == morvane::app::ConvertOutcome::Kind::kCompleted;
    window.SetRunInProgress(false);
  });
  morvane::gui::StartUp start_up;
  start_up.program_folder = QString::fromLocal8Bit(argv[1]);
  window.Start(start_up);
  window.show();
  QTimer::singleShot(0, [&] {
    if (auto* convert = window.findChild<QPushButton*>("cmdConvert")) convert->click();
    QCoreApplication::exit(0);
  });
  app.exec();
  std::cout << (completed ? "completed\n" : "not completed\n");
  return completed ? 0 : 1;
}
