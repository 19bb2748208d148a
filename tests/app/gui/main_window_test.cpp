// The main window: its layout, its start-up, the exit question and runs.
#include <QActionGroup>
#include <QCoreApplication>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <csignal>
#include <fstream>
#include <stdexcept>

#include "fake_desktop.h"
#include "platform/ui/stop_signals.h"

namespace morvane::gui::testing {
namespace {

struct CaptionCase {
  const char* name;
  const char* caption;
};

void ExpectCaptions(QWidget* window, std::initializer_list<CaptionCase> cases) {
  for (const CaptionCase& c : cases) {
    QObject* control = FindControl(window, c.name);
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(CaptionOf(control).toStdString(), c.caption) << c.name;
  }
}

// A menu's entries as "name=caption", separators as "name=-", a submenu's
// entry by the submenu's name.
std::vector<std::string> Entries(QMenu* menu) {
  std::vector<std::string> entries;
  for (QAction* action : menu->actions()) {
    const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
    const QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
    entries.push_back((name + u'=' + caption).toStdString());
  }
  return entries;
}

QPoint Centre(const QWidget& window) { return window.frameGeometry().center(); }

TEST_F(MainWindowTest, ShowsItsControlsAndMenusCentred) {
  Start();
  EXPECT_TRUE(window_->isVisible());
  ExpectCaptions(window_.get(),
                 {{"frmMorvane", "Morvane"},
                  {"Label7", "Convert Dalk exported data sets (Morvane)"},
                  {"fraVersionDate", "Version Date:  "},
                  {"lblVersionDate", "2013.02.25 (O)"},
                  {"cmdConvert", "Initilize Database and Process Raw Data ..."},
                  {"cmdExit", "Exit"},
                  {"lblStatus", ""}});

  std::vector<std::string> bar;
  for (QAction* action : window_->menuBar()->actions()) {
    bar.push_back((action->menu()->objectName() + u'=' + action->text()).toStdString());
  }
  EXPECT_EQ(bar, (std::vector<std::string>{"mnuFile=&File", "mnuSetup=&Setup", "mnuHelp=&Help"}));
  const std::pair<const char*, std::vector<std::string>> menus[] = {
      {"mnuFile", {"mnuFileExit=E&xit"}},
      {"mnuSetup",
       {"mnuSetupModFileLoc=Modify File Location", "mnuSetupBlank1=-",
        "mnuSetupAntSiteFiles=Ant Site Files", "mnuSetupBlank2=-",
        "mnuSetupExpFreq=Expand Frequency Entries"}},
      {"mnuSetupExpFreq", {"mnuSetupExpFreqYN_0=Yes", "mnuSetupExpFreqYN_1=No"}},
      {"mnuHelp", {"mnuHelpObtain=Obtaining Help", "mnuHelpBlank1=-", "mnuHelpAbout=About  ...."}},
  };
  for (const auto& [menu, entries] : menus) {
    EXPECT_EQ(Entries(Control<QMenu>(window_.get(), menu)), entries) << menu;
  }

  const QPoint screen_centre = window_->screen()->geometry().center();
  EXPECT_LE((Centre(*window_) - screen_centre).manhattanLength(), 2);
}

TEST_F(MainWindowTest, ExpandFrequencyEntriesChecksEitherYesOrNo) {
  Start();
  QAction* yes = Control<QAction>(window_.get(), "mnuSetupExpFreqYN_0");
  QAction* no = Control<QAction>(window_.get(), "mnuSetupExpFreqYN_1");
  EXPECT_EQ(yes->property("index").toInt(), 0);
  EXPECT_EQ(no->property("index").toInt(), 1);
  EXPECT_TRUE(yes->isChecked());
  EXPECT_FALSE(no->isChecked());

  const std::pair<QAction*, bool> clicks[] = {{no, false}, {no, false}, {yes, true}, {yes, true}};
  for (const auto& [entry, yes_checked] : clicks) {
    entry->trigger();
    EXPECT_EQ(yes->isChecked(), yes_checked);
    EXPECT_EQ(no->isChecked(), !yes_checked);
  }
}

TEST_F(MainWindowTest, PreparesTheStatusWindowHiddenAndEmpty) {
  Start();
  QWidget* status = Control<QWidget>(window_.get(), "frmStatus");
  ASSERT_NE(status, nullptr);
  EXPECT_FALSE(status->isVisible());
  ExpectCaptions(status, {{"frmStatus", "Status"},
                          {"fraTotalRecords", "Total Records:"},
                          {"fraRecordCount", "Record Count: "},
                          {"fraDateTimeStart", "Running Since: "},
                          {"fraFileSize", "File Size (bytes): "},
                          {"fraAmtProcessed", "Amt Processed (bytes): "},
                          {"fraPercentCompleted", "% Completed: "},
                          {"Label1", "Step:"},
                          {"Label2", "of"}});
  for (const char* label : {"lblTotalRecords", "lblRecordCount", "lblDateTimeStart",
                            "lblFileSize", "lblAmtProcessed", "lblPercentCompleted",
                            "lblStatus", "lblStepCurrent", "lblStepTotal"}) {
    EXPECT_EQ(CaptionOf(FindControl(status, label)), "") << label;
  }
  for (const char* frame : {"fraTotalRecords", "fraRecordCount", "fraDateTimeStart",
                            "fraPercentCompleted"}) {
    EXPECT_FALSE(Control<QWidget>(status, frame)->isHidden()) << frame;
  }
  EXPECT_TRUE(Control<QWidget>(status, "fraFileSize")->isHidden());
  EXPECT_TRUE(Control<QWidget>(status, "fraAmtProcessed")->isHidden());
  auto* progress = Control<QProgressBar>(status, "ProgressBar1");
  EXPECT_EQ(progress->minimum(), 0);
  EXPECT_EQ(progress->maximum(), 100);
  EXPECT_EQ(progress->value(), 0);
}

TEST_F(MainWindowTest, TheSchemaFormsHaveTheirCaptionsAndFrames) {
  Start();
  const std::pair<const char*, const char*> forms[] = {
      {"frmMkKtbDbS", "Make Varnel Database Shell (MkKtbDbS)"},
      {"frmAddDalkTbl", "Add DALK Tables to KTB Database Shell (AddDalkTbl)"},
  };
  for (const auto& [name, caption] : forms) {
    SCOPED_TRACE(name);
    QWidget* form = Control<QWidget>(window_.get(), name);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isVisible());
    ExpectCaptions(form, {{name, caption},
                          {"fraDBName", "Data Base Name:"},
                          {"fraTableName", "Table Name: "},
                          {"fraAction", "Action: "},
                          {"lblDataBaseName", ""},
                          {"lblTableName", ""},
                          {"lblAction", ""}});
  }
}

TEST_F(MainWindowTest, FirstStartWritesTheDefaultsBesideTheProgramAndShowsThem) {
  ASSERT_FALSE(std::filesystem::exists(IniFile()));
  Start();
  const std::string app = AppFolder();
  EXPECT_NE(ReadFile(IniFile()).find("TableMain=" + app + "main.dat\n"), std::string::npos);
  EXPECT_EQ(window_->paths().table_main, app + "main.dat");
  EXPECT_EQ(window_->paths().input_dir, app);
  EXPECT_EQ(window_->settings_file().app_path(), app);
  // The dialogs' labels are filled by the read, before any dialog is shown.
  ExpectCaptions(Control<QWidget>(window_.get(), "frmModFileLoc"),
                 {{"lblInputDataTableMain", (app + "main.dat").c_str()},
                  {"lblOutputPathAndFilename", (app + "dalkdb.mdb").c_str()}});
  ExpectCaptions(Control<QWidget>(window_.get(), "frmAntSiteFiles"),
                 {{"lblAntSite_A", ""}, {"lblAntSite_E", ""},
                  {"lblAntSiteDb", (app + "AntSiteDb.mdb").c_str()}});
  EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(MainWindowTest, AnExistingSettingsFileIsReadWhateverTheCaseOfItsName) {
  {
    std::ofstream ini(IniFile().parent_path() / "MORVANE.INI");
    ini << "[InputFiles]\nTableMain=/exports/Main.dat\n[OutputFiles]\n"
           "OutputPathAndFilename=/out/dalkdb.mdb\n";
  }
  Start();
  EXPECT_FALSE(std::filesystem::exists(IniFile()));  // not written anew
  EXPECT_EQ(window_->paths().table_main, "/exports/Main.dat");
  EXPECT_EQ(window_->paths().input_dir, "/exports/");
  EXPECT_EQ(window_->paths().ant_site_a, "NONE");
}

TEST_F(MainWindowTest, ASecondCopyIsWarnedAndCarriesOn) {
  Start();
  FakeDesktop second_desktop;
  MainWindow second(second_desktop.Make());
  second.Start(StartUpIn(folder_.path()));

  EXPECT_TRUE(desktop_.messages.empty());
  ASSERT_EQ(second_desktop.messages.size(), 1u);
  const ui::Message& warning = second_desktop.messages[0];
  EXPECT_EQ(warning.text, "morvane already running");
  EXPECT_EQ(warning.icon, ui::Icon::kExclamation);
  EXPECT_EQ(warning.buttons, ui::Buttons::kOk);
  EXPECT_TRUE(second.isVisible());
  EXPECT_EQ(second.paths().table_main, window_->paths().table_main);
}

// A stop signal while the second copy's warning waits ends that copy: its
// event loop, which would not know it had been told to end, is never entered.
TEST_F(MainWindowTest, AStopSignalAtTheSecondCopysWarningEndsIt) {
  Start();
  const ui::StopSignals stop_signals;
  FakeDesktop second_desktop;
  second_desktop.while_open = [] {
    std::raise(SIGTERM);
    QCoreApplication::processEvents();  // as the box's own loop would
  };
  MainWindow second(second_desktop.Make());
  second.EndOnStopSignals(stop_signals);
  second.Start(StartUpIn(folder_.path()));
  EXPECT_EQ(second_desktop.ends, 1);
  QTimer entered;  // ends the loop if it is entered after all
  entered.setSingleShot(true);
  QObject::connect(&entered, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  entered.start(0);
  EXPECT_EQ(second.Exec(), 0);
}

TEST_F(MainWindowTest, AFileThatCannotBeWrittenIsReported) {
  std::filesystem::create_directory(IniFile());  // a folder stands in the way
  Start();
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_NE(desktop_.messages[0].text.find("could not be written"), std::string::npos);
  EXPECT_EQ(window_->paths().table_main, "NONE");
}

TEST_F(MainWindowTest, TheExitQuestionAndItsThreeAnswers) {
  Start();
  struct Case {
    ui::Answer answer;
    const char* reply;  // the one-word box that follows, or null
    int ends;
  };
  const Case cases[] = {
      {ui::Answer::kNo, "No", 0},
      {ui::Answer::kCancel, "Cancel", 0},
      {ui::Answer::kYes, nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply ? c.reply : "Yes");
    desktop_.messages.clear();
    desktop_.ends = 0;
    desktop_.answers = {c.answer};
    Click("cmdExit");

    ASSERT_EQ(desktop_.messages.size(), c.reply ? 2u : 1u);
    const ui::Message& question = desktop_.messages[0];
    EXPECT_EQ(question.text, "Do you wish to Exit the program ?");
    EXPECT_EQ(question.title, "Morvane");
    EXPECT_EQ(question.buttons, ui::Buttons::kYesNoCancel);
    EXPECT_EQ(question.icon, ui::Icon::kCritical);
    EXPECT_EQ(question.default_button, 2);  // Cancel
    if (c.reply) {
      EXPECT_EQ(desktop_.messages[1].text, c.reply);
      EXPECT_EQ(desktop_.messages[1].buttons, ui::Buttons::kOk);
      EXPECT_EQ(desktop_.messages[1].icon, ui::Icon::kNone);
    }
    EXPECT_EQ(desktop_.ends, c.ends);
  }
}

TEST_F(MainWindowTest, FileExitAndClosingEndAtOnceOutsideARun) {
  Start();
  Click("mnuFileExit");
  EXPECT_EQ(desktop_.ends, 1);
  EXPECT_TRUE(desktop_.messages.empty());

  MainWindow other(desktop_.Make());
  other.Start(StartUpIn(folder_.path()));
  desktop_.messages.clear();
  EXPECT_TRUE(other.close());
  EXPECT_EQ(desktop_.ends, 2);
  EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(MainWindowTest, ARunDisablesConvertAndThePathEntriesOfSetup) {
  Start();
  Click("mnuSetupModFileLoc");
  const char* const kControls[] = {"cmdConvert", "mnuSetupModFileLoc", "mnuSetupAntSiteFiles",
                                   "frmModFileLoc", "frmAntSiteFiles"};
  auto enabled = [&](const char* name) {
    QObject* control = FindControl(window_.get(), name);
    if (auto* action = qobject_cast<QAction*>(control)) return action->isEnabled();
    return qobject_cast<QWidget*>(control)->isEnabled();
  };
  for (bool running : {true, false}) {
    window_->SetRunInProgress(running);
    EXPECT_EQ(window_->RunInProgress(), running);
    for (const char* name : kControls) EXPECT_EQ(enabled(name), !running) << name;
  }
  EXPECT_TRUE(Control<QAction>(window_.get(), "mnuSetupExpFreqYN_1")->isEnabled());
}

TEST_F(MainWindowTest, ConvertCallsItsHandlerOneClickAtATime) {
  Start();
  int calls = 0;
  window_->SetConvertHandler([&] {
    ++calls;
    Click("cmdConvert");  // a second click while the first is being served
    window_->SetRunInProgress(true);
    window_->WindowsUi().Yield();
    window_->SetRunInProgress(false);
  });
  Click("cmdConvert");
  EXPECT_EQ(calls, 1);
  Click("cmdConvert");
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(MainWindowTest, AHandlerThatThrowsIsReportedAndTheProgramGoesOn) {
  Start();
  window_->SetConvertHandler([&] {
    window_->SetRunInProgress(true);
    throw std::runtime_error("the output folder is gone");
  });
  Click("cmdConvert");
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_EQ(desktop_.messages[0].text, "the output folder is gone");
  EXPECT_EQ(desktop_.messages[0].icon, ui::Icon::kCritical);
  EXPECT_FALSE(window_->RunInProgress());
  EXPECT_TRUE(Control<QPushButton>(window_.get(), "cmdConvert")->isEnabled());
  EXPECT_EQ(desktop_.ends, 0);
}

// Ending the program during a run: the question is asked; Yes stops the run
// at its next yield, and the program ends once the run has returned.
TEST_F(MainWindowTest, EndingDuringARunStopsTheRunFirst) {
  Start();
  struct Case {
    const char* how;  // what the user does at the fourth yield
    ui::Answer answer;
    bool stops;
  };
  const Case cases[] = {
      {"cmdExit", ui::Answer::kCancel, false},
      {"mnuFileExit", ui::Answer::kNo, false},
      {"close", ui::Answer::kYes, true},
      {"mnuFileExit", ui::Answer::kYes, true},
      {"cmdExit", ui::Answer::kYes, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    desktop_.messages.clear();
    desktop_.ends = 0;
    int yields = 0;
    int ends_during_run = -1;
    window_->SetConvertHandler([&] {
      window_->SetRunInProgress(true);
      ui::Ui& ui = window_->WindowsUi();
      for (yields = 0; yields < 10 && !ui.StopRequested(); ++yields) {
        ui.Yield();
        if (yields == 3) {
          desktop_.answers = {c.answer};
          if (std::string_view(c.how) == "close") {
            EXPECT_FALSE(window_->close());
          } else {
            Click(c.how);
          }
        }
      }
      ends_during_run = desktop_.ends;
      window_->SetRunInProgress(false);
    });
    Click("cmdConvert");

    ASSERT_FALSE(desktop_.messages.empty());
    EXPECT_EQ(desktop_.messages[0].text, "Do you wish to Exit the program ?");
    EXPECT_EQ(ends_during_run, 0);
    EXPECT_EQ(yields, c.stops ? 4 : 10);
    EXPECT_EQ(desktop_.ends, c.stops ? 1 : 0);
  }
}

// SIGTERM (the desktop logging out) ends the program as Exit's Yes does,
// without the question: the run stops first.
TEST_F(MainWindowTest, AStopSignalDuringARunStopsItAndThenEndsTheProgram) {
  Start();
  const ui::StopSignals stop_signals;
  window_->EndOnStopSignals(stop_signals);
  bool stop_requested = false;
  int ends_during_run = -1;
  window_->SetConvertHandler([&] {
    window_->SetRunInProgress(true);
    std::raise(SIGTERM);
    QCoreApplication::processEvents();  // the signal's byte is in the pipe already
    stop_requested = window_->WindowsUi().StopRequested();
    ends_during_run = desktop_.ends;
    window_->SetRunInProgress(false);
  });
  Click("cmdConvert");
  EXPECT_TRUE(stop_requested);
  EXPECT_EQ(ends_during_run, 0);
  EXPECT_EQ(desktop_.ends, 1);
  EXPECT_TRUE(desktop_.messages.empty());
  window_.reset();  // before the signals it watches
}

TEST_F(MainWindowTest, HelpAboutShowsTheAboutBoxUntilOk) {
  Start();
  Click("mnuHelpAbout");
  QWidget* about = Control<QWidget>(window_.get(), "frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
  ExpectCaptions(about, {{"lblProgramName", "Convert DALK Database (Morvane)"},
                         {"lblProgramVersion", "Version  --  2013.02.25 (O)"},
                         {"cmdOK", "OK"}});
  const QString description = CaptionOf(FindControl(about, "lblProgramDistription"));
  EXPECT_TRUE(description.startsWith(
      "This program convert radio assignment data in the Dalk format "));
  EXPECT_TRUE(description.contains("Varnel"));
  EXPECT_FALSE(CaptionOf(FindControl(about, "lblProgramAuthor")).isEmpty());
  Click("cmdOK", about);
  EXPECT_FALSE(about->isVisible());
}

}  // namespace
}  // namespace morvane::gui::testing
