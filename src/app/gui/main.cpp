// Starts Morvane: the application and its main window.
#include <QApplication>

#include <iostream>

#include "app/convert_command.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_ui.h"
#include "app/gui/services.h"
#include "platform/ui/stop_signals.h"
#include "run/program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(morvane::engine::kProgramTitle);
  // The main window ends the program itself (Exit asks first); the other
  // windows may stay open when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);

  // SIGTERM (logging out) and SIGINT end the program as Exit does, without
  // the question: a run stops cleanly first.
  const morvane::ui::StopSignals stop_signals;
  morvane::gui::MainWindow window(morvane::gui::Services::Desktop());
  window.EndOnStopSignals(stop_signals);

  // Convert: the paths are taken once, when the button is clicked; Convert and
  // Setup stay disabled until the run has ended.
  bool run_stopped = false;
  window.SetConvertHandler([&window, &run_stopped] {
    window.SetRunInProgress(true);
    const auto outcome = morvane::app::ConvertCommand(window.WindowsUi(), window.PathsForRun());
    run_stopped = outcome.kind == morvane::app::ConvertOutcome::Kind::kStopped;
    window.SetRunInProgress(false);
  });

  window.Start(morvane::gui::StartUp::FromApplication());
  const int code = window.Exec();
  if (const int signal = stop_signals.Received(); signal != 0) {
    std::cerr << "morvane: " << morvane::ui::StopSignals::Name(signal) << ": "
              << (run_stopped ? "the conversion was stopped; its open changes were rolled back and its "
                                "files closed\n"
                              : "ended\n");
    return 128 + signal;
  }
  return code;
}
