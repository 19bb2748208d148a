// Starts Morvane: the application and its main window.
#include <QApplication>

#include "app/gui/main_window.h"
#include "app/gui/services.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Morvane");
  // The main window ends the program itself (Exit asks first); the other
  // windows may stay open when it is closed.
  QApplication::setQuitOnLastWindowClosed(false);

  morvane::gui::MainWindow window(morvane::gui::Services::Desktop());

  // ---- The Convert button --------------------------------------------------
  // Connect the run here:
  //   window.SetConvertHandler([&window] { ... });
  // The handler reads window.PathsForRun(), marks the run with
  // window.SetRunInProgress(true / false) and reaches the windows through
  // window.WindowsUi().
  // ---------------------------------------------------------------------------

  window.Start(morvane::gui::StartUp::FromApplication());
  return app.exec();
}
