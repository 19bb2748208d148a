// frmMorvane: the program's main window and its only way in.
//
// Start() loads it: version date, centred, the status window prepared
// (hidden), the warning about a second running copy, the settings file
// beside the program (written with the defaults when missing) read into the
// current paths. The Setup menu re-reads the settings and opens the two
// path dialogs; Help, About shows the about box; Exit asks before it ends
// the program, File, Exit ends it at once.
//
// Runs. The Convert button calls the handler given to SetConvertHandler.
// The handler marks its run with SetRunInProgress(true/false): meanwhile
// Convert and the Setup path entries are disabled, so no path changes under
// a running conversion, and ending the program (Exit, File, Exit, closing
// the window) asks the exit question and on Yes requests a stop
// (WindowsUi().StopRequested()); the program ends when the handler then
// calls SetRunInProgress(false).
#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/gui/services.h"
#include "app/settings.h"
#include "run/run_context.h"

class QAction;
class QCloseEvent;
class QLabel;
class QPushButton;

namespace morvane::ui {
class StopSignals;
}

namespace morvane::gui {

class AboutBox;
class AntSiteDialog;
class FileLocationDialog;
class InstanceLock;
class QtUi;
class SchemaForm;
class StatusWindow;

// What Start() needs to know of the running program.
struct StartUp {
  QString program_folder;   // the settings file and the default paths live here
  QString executable_name;  // named in the warning about a second copy
  QString lock_file;        // held while the program runs; empty: no check

  // The running application's folder, executable name and lock file.
  static StartUp FromApplication();
};

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Services services);
  ~MainWindow() override;

  void Start(const StartUp& start_up);

  // The Convert button's work. A click while the handler runs is ignored.
  // The handler reports its own errors; an exception that escapes it is
  // shown in a message box, and a run it left marked is unmarked.
  void SetConvertHandler(std::function<void()> handler);
  void SetRunInProgress(bool running);
  bool RunInProgress() const { return run_in_progress_; }

  // The windows frmMorvane, frmStatus, frmMkKtbDbS and frmAddDalkTbl as the
  // core reaches them; message boxes through the injected services.
  QtUi& WindowsUi() { return *ui_; }

  // Reads the settings file into the current paths and the dialogs' labels.
  void ReadSettings();
  // The settings file read anew: the paths a run should use.
  engine::RunPaths PathsForRun();
  // The current paths: as last read, with the dialogs' choices since.
  const engine::RunPaths& paths() const { return paths_; }
  const app::SettingsFile& settings_file() const { return settings_file_; }

  // From now on SIGTERM and SIGINT (the desktop logging out) end the
  // program as Exit does after a Yes, without asking: during a run the run
  // stops at its next yield and the program ends once it has returned; also
  // while a message box is open. `stop_signals` must outlive the window.
  void EndOnStopSignals(const ui::StopSignals& stop_signals);

  // Runs the program's event loop until the program ends, and returns its
  // exit code. A program that was ended before the loop began (a stop
  // signal while Start's message box was open) returns 0 at once: the loop
  // would not know that it had been told to end.
  int Exec();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void ClickConvert();
  void AskExit();
  void EndProgram();
  void ShowSetupDialog(QWidget* dialog);
  void ShowMessage(const std::string& text, ui::Buttons buttons, ui::Icon icon,
                   int default_button = 0);

  Services services_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<InstanceLock> instance_lock_;
  app::SettingsFile settings_file_;
  engine::RunPaths paths_;

  QLabel* version_date_ = nullptr;  // lblVersionDate
  QLabel* status_ = nullptr;        // lblStatus
  QPushButton* convert_ = nullptr;  // cmdConvert
  QAction* setup_file_location_ = nullptr;
  QAction* setup_ant_sites_ = nullptr;

  StatusWindow* status_window_ = nullptr;
  SchemaForm* target_form_ = nullptr;
  SchemaForm* staging_form_ = nullptr;
  FileLocationDialog* file_location_ = nullptr;
  AntSiteDialog* ant_sites_ = nullptr;
  AboutBox* about_ = nullptr;

  std::function<void()> convert_handler_;
  bool in_convert_click_ = false;
  bool run_in_progress_ = false;
  bool end_after_run_ = false;
  bool ending_ = false;
};

}  // namespace morvane::gui
