// Starts Morvane: the application and its main window.
#include <QApplication>

#include "app/convert_command.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_ui.h"
#include "app/gui/services.h"
#include "run/program.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(morvane::engine::kProgramTitle);
  // The main window ends the program itself (Exit asks first); the other
  // windows may stay open when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);

  morvane::gui::MainWindow window(morvane::gui::Services::Desktop());

  // Convert: the paths are taken once, when the button is clicked; Convert and
  // Setup stay disabled until the run has ended.
  window.SetConvertHandler([&window] {
    window.SetRunInProgress(true);
    morvane::app::ConvertCommand(window.WindowsUi(), window.PathsForRun());
    window.SetRunInProgress(false);
  });

  window.Start(morvane::gui::StartUp::FromApplication());
  return app.exec();
}
