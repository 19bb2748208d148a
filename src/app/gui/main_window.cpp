#include "app/gui/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSocketNotifier>
#include <QVBoxLayout>
#include <exception>

#include "app/gui/about_box.h"
#include "app/gui/ant_site_dialog.h"
#include "app/gui/file_location_dialog.h"
#include "app/gui/instance_lock.h"
#include "app/gui/qt_ui.h"
#include "app/gui/schema_form.h"
#include "app/gui/status_window.h"
#include "platform/ui/stop_signals.h"
#include "run/program.h"

namespace morvane::gui {
namespace {

template <typename T>
T* Named(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

}  // namespace

StartUp StartUp::FromApplication() {
  return StartUp{QCoreApplication::applicationDirPath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                 InstanceLock::DefaultPath()};
}

MainWindow::MainWindow(Services services) : services_(std::move(services)) {
  setObjectName(QString::fromLatin1(ui::kMainWindow.data()));
  setWindowTitle(engine::kProgramTitle);

  auto* central = new QWidget(this);
  auto* title = Named(new QLabel("Convert Dalk exported data sets (Morvane)", central), "Label7");
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);

  auto* version = Named(new QGroupBox("Version Date:  ", central), "fraVersionDate");
  version_date_ = Named(new QLabel(version), "lblVersionDate");
  (new QVBoxLayout(version))->addWidget(version_date_);

  // The caption users know the button by, shown as it stands on purpose.
  convert_ = Named(new QPushButton("Initilize Database and Process Raw Data ...", central),
                   "cmdConvert");
  auto* exit = Named(new QPushButton("Exit", central), "cmdExit");
  status_ = Named(new QLabel(central), "lblStatus");
  status_->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(convert_);
  buttons->addStretch();
  buttons->addWidget(exit);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addWidget(version, 0, Qt::AlignHCenter);
  layout->addLayout(buttons);
  layout->addWidget(status_);
  setCentralWidget(central);
  setMinimumSize(520, 240);

  connect(convert_, &QPushButton::clicked, this, [this] { ClickConvert(); });
  connect(exit, &QPushButton::clicked, this, [this] { AskExit(); });

  status_window_ = new StatusWindow(this);
  target_form_ = SchemaForm::NewTargetForm(this);
  staging_form_ = SchemaForm::NewStagingForm(this);
  file_location_ = new FileLocationDialog(this, paths_, settings_file_, services_);
  ant_sites_ = new AntSiteDialog(this, paths_, settings_file_, services_);
  about_ = new AboutBox(this);
  BuildMenus();

  ui_ = std::make_unique<QtUi>(this, services_.message_box);
  ui_->AddWindow(ui::kMainWindow, this, [] {});  // the main window is never unloaded
  ui_->AddWindow(ui::kStatusWindow, status_window_, [w = status_window_] { w->Unload(); });
  ui_->AddWindow(ui::kTargetForm, target_form_, [w = target_form_] { w->Unload(); });
  ui_->AddWindow(ui::kStagingForm, staging_form_, [w = staging_form_] { w->Unload(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
  QMenu* file = Named(menuBar()->addMenu("&File"), "mnuFile");
  QAction* file_exit = Named(file->addAction("E&xit"), "mnuFileExit");
  connect(file_exit, &QAction::triggered, this, [this] {
    // During a run the program may only end once the run has stopped.
    if (run_in_progress_) {
      AskExit();
    } else {
      EndProgram();
    }
  });

  QMenu* setup = Named(menuBar()->addMenu("&Setup"), "mnuSetup");
  setup_file_location_ = Named(setup->addAction("Modify File Location"), "mnuSetupModFileLoc");
  Named(setup->addSeparator(), "mnuSetupBlank1");
  setup_ant_sites_ = Named(setup->addAction("Ant Site Files"), "mnuSetupAntSiteFiles");
  Named(setup->addSeparator(), "mnuSetupBlank2");
  QMenu* expand = Named(setup->addMenu("Expand Frequency Entries"), "mnuSetupExpFreq");
  auto* yes_no = new QActionGroup(expand);
  yes_no->setExclusive(true);
  const char* const kYesNo[] = {"Yes", "No"};
  for (int index = 0; index < 2; ++index) {
    QAction* entry = expand->addAction(QString::fromLatin1(kYesNo[index]));
    entry->setObjectName(QStringLiteral("mnuSetupExpFreqYN_%1").arg(index));
    entry->setProperty("index", index);
    entry->setCheckable(true);
    entry->setChecked(index == 0);
    yes_no->addAction(entry);
  }
  connect(setup_file_location_, &QAction::triggered, this,
          [this] { ShowSetupDialog(file_location_); });
  connect(setup_ant_sites_, &QAction::triggered, this, [this] { ShowSetupDialog(ant_sites_); });

  QMenu* help = Named(menuBar()->addMenu("&Help"), "mnuHelp");
  Named(help->addAction("Obtaining Help"), "mnuHelpObtain");
  Named(help->addSeparator(), "mnuHelpBlank1");
  QAction* about = Named(help->addAction("About  ...."), "mnuHelpAbout");
  connect(about, &QAction::triggered, this, [this] {
    about_->show();
    about_->raise();
  });
}

void MainWindow::Start(const StartUp& start_up) {
  version_date_->setText(QString::fromLatin1(kVersionDate));
  hide();
  status_->clear();
  adjustSize();
  CentreOnScreen(*this);
  show();
  CentreOnScreen(*this);  // again, now that the window frame is known

  // The status window waits, hidden, with nothing in it.
  ui::Window& status = ui_->GetWindow(ui::kStatusWindow);
  status.SetVisible("fraFileSize", false);
  status.SetVisible("fraAmtProcessed", false);
  for (const char* label : {"lblDateTimeStart", "lblTotalRecords", "lblRecordCount",
                            "lblPercentCompleted", "lblStatus", "lblStepCurrent",
                            "lblStepTotal"}) {
    status.SetCaption(label, "");
  }
  status.SetValue("ProgressBar1", 0);
  status.Repaint();
  status_->clear();

  instance_lock_ = std::make_unique<InstanceLock>(start_up.lock_file);
  if (instance_lock_->HeldElsewhere()) {
    ShowMessage(ToUtf8(start_up.executable_name) + " already running", ui::Buttons::kOk,
                ui::Icon::kExclamation);
  }

  settings_file_ = app::SettingsFile(ToUtf8(start_up.program_folder));
  if (!settings_file_.Exists() && !settings_file_.WriteDefaults(paths_)) {
    services_.message_box(this, SettingsNotWritten(settings_file_));
  }
  show();
  ReadSettings();
}

void MainWindow::SetConvertHandler(std::function<void()> handler) {
  convert_handler_ = std::move(handler);
}

void MainWindow::SetRunInProgress(bool running) {
  run_in_progress_ = running;
  convert_->setEnabled(!running);
  setup_file_location_->setEnabled(!running);
  setup_ant_sites_->setEnabled(!running);
  file_location_->setEnabled(!running);
  ant_sites_->setEnabled(!running);
  status_window_->SetRunInProgress(running);
  if (running) {
    ui_->ClearStopRequest();
    end_after_run_ = false;
  } else if (end_after_run_) {
    EndProgram();
  }
}

void MainWindow::ReadSettings() {
  paths_ = settings_file_.Read();
  file_location_->ShowPaths();
  ant_sites_->ShowPaths();
}

engine::RunPaths MainWindow::PathsForRun() {
  ReadSettings();
  return paths_;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
  } else if (run_in_progress_) {
    event->ignore();
    AskExit();
  } else {
    event->accept();
    EndProgram();
  }
}

void MainWindow::ClickConvert() {
  if (in_convert_click_ || run_in_progress_ || !convert_handler_) return;
  in_convert_click_ = true;
  try {
    convert_handler_();
  } catch (const std::exception& e) {
    // The handler reports its own errors; this only keeps the program alive.
    ShowMessage(e.what(), ui::Buttons::kOk, ui::Icon::kCritical);
  } catch (...) {
    ShowMessage("The conversion ended with an unknown error.", ui::Buttons::kOk,
                ui::Icon::kCritical);
  }
  in_convert_click_ = false;
  if (run_in_progress_) SetRunInProgress(false);
}

void MainWindow::EndOnStopSignals(const ui::StopSignals& stop_signals) {
  auto* notifier = new QSocketNotifier(stop_signals.WakeUpFd(), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
    notifier->setEnabled(false);  // one signal is enough
    EndProgram();
  });
}

int MainWindow::Exec() {
  if (ending_) return 0;
  return QCoreApplication::exec();
}

void MainWindow::AskExit() {
  switch (services_.message_box(
      this, ui::Message{"Do you wish to Exit the program ?", std::string(kApplicationTitle),
                        ui::Buttons::kYesNoCancel, ui::Icon::kCritical, 2})) {
    case ui::Answer::kYes:
      EndProgram();
      break;
    case ui::Answer::kNo:
      ShowMessage("No", ui::Buttons::kOk, ui::Icon::kNone);
      break;
    default:
      ShowMessage("Cancel", ui::Buttons::kOk, ui::Icon::kNone);
      break;
  }
}

void MainWindow::EndProgram() {
  if (run_in_progress_) {
    // The run stops at its next yield, closes what it holds, and returns.
    ui_->RequestStop();
    end_after_run_ = true;
    return;
  }
  ending_ = true;
  services_.end_program();
}

void MainWindow::ShowSetupDialog(QWidget* dialog) {
  ReadSettings();
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void MainWindow::ShowMessage(const std::string& text, ui::Buttons buttons, ui::Icon icon,
                             int default_button) {
  services_.message_box(
      this, ui::Message{text, std::string(kApplicationTitle), buttons, icon, default_button});
}

}  // namespace morvane::gui
