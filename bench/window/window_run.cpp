// bench-window-run PROGRAM_FOLDER
//
// One whole Convert in Morvane's own windows, for the benchmark: the main
// window started on PROGRAM_FOLDER (its morvane.ini), the Convert button
// clicked, every message box answered as a user who wants the run done
// (Yes, then OK), and the program ended when the run returns. The status
// window paints as it does for a user; run it with QT_QPA_PLATFORM=offscreen
// (or under Xvfb). Prints the messages shown; exits 0 when the run completed.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <iostream>

#include "app/convert_command.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_ui.h"
#include "app/gui/services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: bench-window-run PROGRAM_FOLDER\n";
    return 2;
  }
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
    const auto outcome = morvane::app::ConvertCommand(window.WindowsUi(), window.PathsForRun());
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
