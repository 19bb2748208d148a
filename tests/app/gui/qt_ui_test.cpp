// The windows as the core reaches them (QtUi), the real message box, and
// the lock that detects a second copy.
#include <QApplication>
#include <QFile>
#include <QSysInfo>
#include <QGroupBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <set>

#include "app/gui/instance_lock.h"
#include "platform/ui/control_names.h"
#include "fake_desktop.h"

namespace morvane::gui::testing {
namespace {

class QtUiTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
  }
  ui::Ui& Ui() { return window_->WindowsUi(); }
  QWidget* Window(std::string_view name) {
    return Control<QWidget>(window_.get(), std::string(name).c_str());
  }
};

TEST_F(QtUiTest, WritesTheStatusWindowsControlsByName) {
  ui::Window& status = Ui().GetWindow(ui::kStatusWindow);
  QWidget* widget = Window(ui::kStatusWindow);
  status.SetCaption("lblStatus", "Populating 'Address' table with  < address.dat >  data !");
  status.SetCaption("fraTotalRecords", "Rows:");
  status.SetVisible("fraFileSize", true);
  status.SetVisible("fraRecordCount", false);
  status.Show();

  EXPECT_TRUE(widget->isVisible());
  EXPECT_EQ(Control<QLabel>(widget, "lblStatus")->text(),
            "Populating 'Address' table with  < address.dat >  data !");
  EXPECT_EQ(Control<QGroupBox>(widget, "fraTotalRecords")->title(), "Rows:");
  EXPECT_TRUE(Control<QWidget>(widget, "fraFileSize")->isVisible());
  EXPECT_FALSE(Control<QWidget>(widget, "fraRecordCount")->isVisible());
  // The main window's label of the same name is not touched.
  EXPECT_EQ(Control<QLabel>(window_.get(), "lblStatus")->text(), "");

  auto* bar = Control<QProgressBar>(widget, "ProgressBar1");
  const std::pair<double, int> values[] = {
      {42.4, 42}, {99.5, 100}, {150, 100}, {-5, 0}, {std::nan(""), 0}, {7, 7}};
  for (const auto& [value, shown] : values) {
    status.SetValue("ProgressBar1", value);
    EXPECT_EQ(bar->value(), shown) << value;
  }

  // Names that do not exist are ignored.
  status.SetCaption("lblNoSuchLabel", "x");
  status.SetValue("lblStatus", 50);
  Ui().GetWindow("frmNoSuchWindow").SetCaption("lblStatus", "x");
  Ui().GetWindow("frmNoSuchWindow").Unload();
  EXPECT_EQ(bar->value(), 7);
}

// The windows and the shared list of control names agree: every listed
// control exists; the secondary windows name no control that is not listed;
// a control that is not listed is not reached, even when the window has it.
TEST_F(QtUiTest, TheWindowsHaveTheListedControlsAndOnlyThoseAreReached) {
  for (std::string_view name : {ui::kMainWindow, ui::kStatusWindow, ui::kTargetForm,
                                ui::kStagingForm}) {
    SCOPED_TRACE(name);
    QWidget* window = Window(name);
    std::set<std::string> listed;
    for (std::string_view control : ui::ControlsOf(name)) {
      EXPECT_NE(FindControl(window, control), nullptr) << control;
      listed.emplace(control);
    }
    if (name == ui::kMainWindow) continue;  // its menus are no business of the run
    for (QWidget* child : window->findChildren<QWidget*>()) {
      const std::string control = child->objectName().toStdString();
      if (!control.empty() && !child->isWindow()) {
        EXPECT_TRUE(listed.count(control)) << control;
      }
    }
  }
  auto* exit = Control<QAction>(window_.get(), "mnuFileExit");
  Ui().GetWindow(ui::kMainWindow).SetVisible("mnuFileExit", false);
  Ui().GetWindow(ui::kMainWindow).SetCaption("mnuFileExit", "Quit");
  EXPECT_TRUE(exit->isVisible());
  EXPECT_EQ(exit->text(), "E&xit");
}

TEST_F(QtUiTest, UnloadPutsAWindowBackAsFreshlyLoaded) {
  struct Case {
    std::string_view window;
    std::vector<const char*> labels;
    std::vector<const char*> frames;
  };
  const Case cases[] = {
      {ui::kStatusWindow,
       {"lblTotalRecords", "lblRecordCount", "lblDateTimeStart", "lblFileSize",
        "lblAmtProcessed", "lblPercentCompleted", "lblStatus", "lblStepCurrent", "lblStepTotal"},
       {"fraTotalRecords", "fraRecordCount", "fraDateTimeStart", "fraFileSize",
        "fraAmtProcessed", "fraPercentCompleted"}},
      {ui::kTargetForm,
       {"lblDataBaseName", "lblTableName", "lblAction"},
       {"fraDBName", "fraTableName", "fraAction"}},
      {ui::kStagingForm,
       {"lblDataBaseName", "lblTableName", "lblAction"},
       {"fraDBName", "fraTableName", "fraAction"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    ui::Window& window = Ui().GetWindow(c.window);
    QWidget* widget = Window(c.window);
    window.Show();
    for (const char* label : c.labels) window.SetCaption(label, "12");
    for (const char* frame : c.frames) window.SetVisible(frame, false);
    window.SetValue("ProgressBar1", 55);
    window.Repaint();

    window.Unload();
    EXPECT_FALSE(widget->isVisible());
    for (const char* label : c.labels) EXPECT_EQ(Control<QLabel>(widget, label)->text(), "");
    for (const char* frame : c.frames) EXPECT_FALSE(Control<QWidget>(widget, frame)->isHidden());
    if (auto* bar = qobject_cast<QProgressBar*>(FindControl(widget, "ProgressBar1"))) {
      EXPECT_EQ(bar->value(), 0);
    }
    // The same window is used again after the unload.
    window.SetCaption(c.labels[0], "again");
    EXPECT_EQ(Control<QLabel>(widget, c.labels[0])->text(), "again");
  }
}

// Counts the paints of one widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A run shows its progress every hundred records; between two yields none
// of it is painted at once.
TEST_F(QtUiTest, ProgressIsNotPaintedPerCall) {
  ui::Window& status = Ui().GetWindow(ui::kStatusWindow);
  QWidget* widget = Window(ui::kStatusWindow);
  status.Show();
  QCoreApplication::processEvents();
  auto* bar = Control<QProgressBar>(widget, "ProgressBar1");
  PaintCounter counter(bar);
  for (int percent = 1; percent <= 100; ++percent) {
    status.SetValue("ProgressBar1", percent);
    status.SetCaption("lblPercentCompleted", std::to_string(percent));
  }
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(Control<QLabel>(widget, "lblPercentCompleted")->text(), "100");
}

TEST_F(QtUiTest, ReachesTheMainWindowsButtonAndLabel) {
  ui::Window& main = Ui().GetWindow(ui::kMainWindow);
  main.SetCaption("lblStatus", "Converting the data set!");
  main.SetVisible("cmdConvert", false);
  main.Unload();  // the main window is never unloaded
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(Control<QLabel>(window_.get(), "lblStatus")->text(), "Converting the data set!");
  EXPECT_TRUE(Control<QPushButton>(window_.get(), "cmdConvert")->isHidden());
  main.SetVisible("cmdConvert", true);
  EXPECT_FALSE(Control<QPushButton>(window_.get(), "cmdConvert")->isHidden());
}

TEST_F(QtUiTest, MessagesGoThroughTheMessageBoxAndYieldServesTheEventLoop) {
  desktop_.answers = {ui::Answer::kNo};
  const ui::Message question{"Initialise?", "Initilize x ?", ui::Buttons::kYesNo,
                             ui::Icon::kCritical, 1};
  EXPECT_EQ(Ui().ShowMessage(question), ui::Answer::kNo);
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_EQ(desktop_.messages[0].title, "Initilize x ?");

  bool served = false;
  QTimer::singleShot(0, [&] { served = true; });
  Ui().Yield();
  EXPECT_TRUE(served);
  EXPECT_FALSE(Ui().StopRequested());
}

// The run's rows are made durable while a box waits for the user, not
// before a box that is answered at once.
TEST_F(QtUiTest, IdleWorkRunsOnlyWhileABoxWaits) {
  const ui::Message notice{"In BuildAntSiteDataSet_A_B : 8", "Morvane", ui::Buttons::kOk,
                           ui::Icon::kNone, 0};
  int runs = 0;
  bool done = false;
  const auto idle = [&] { ++runs, done = true; };
  EXPECT_EQ(Ui().ShowMessageWithIdleWork(notice, idle), ui::Answer::kOk);
  EXPECT_EQ(runs, 0);

  desktop_.while_open = [&] {  // a user who takes their time
    QElapsedTimer waited;
    waited.start();
    for (done = false; !done && waited.elapsed() < 10000;)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  };
  EXPECT_EQ(Ui().ShowMessageWithIdleWork(notice, idle), ui::Answer::kOk);
  EXPECT_EQ(runs, 1);
  EXPECT_THROW(Ui().ShowMessageWithIdleWork(notice, [&] {
    done = true;
    throw std::runtime_error("disk full");
  }), std::runtime_error);
}

// The real QMessageBox: buttons, icon, default button and title; the answer
// is the button pressed.
TEST(QtMessageBoxTest, ShowsTheMessageAsAskedAndAnswersWithTheButtonPressed) {
  struct Case {
    ui::Message message;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton default_button;
    QMessageBox::StandardButton press;
    ui::Answer answer;
    const char* title;
  };
  const Case cases[] = {
      {{"Do you wish to Exit the program ?", "", ui::Buttons::kYesNoCancel,
        ui::Icon::kCritical, 2},
       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Critical,
       QMessageBox::Cancel, QMessageBox::No, ui::Answer::kNo, "Morvane"},
      {{"Initialise?", "Initilize x ?", ui::Buttons::kYesNo, ui::Icon::kCritical, 1},
       QMessageBox::Yes | QMessageBox::No, QMessageBox::Critical, QMessageBox::No,
       QMessageBox::Yes, ui::Answer::kYes, "Initilize x ?"},
      {{"morvane already running", "", ui::Buttons::kOk, ui::Icon::kExclamation, 0},
       QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok,
       ui::Answer::kOk, "Morvane"},
      {{"Cancel", "", ui::Buttons::kOk, ui::Icon::kNone, 0}, QMessageBox::Ok,
       QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, ui::Answer::kOk, "Morvane"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.text);
    bool inspected = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      inspected = true;
      EXPECT_EQ(box->text().toStdString(), c.message.text);
      EXPECT_EQ(box->windowTitle().toStdString(), c.title);
      EXPECT_EQ(box->standardButtons(), c.buttons);
      EXPECT_EQ(box->icon(), c.icon);
      EXPECT_EQ(box->standardButton(box->defaultButton()), c.default_button);
      box->button(c.press)->click();
    });
    EXPECT_EQ(ShowQtMessageBox(nullptr, c.message), c.answer);
    EXPECT_TRUE(inspected);
  }
}

TEST(InstanceLockTest, TheSecondHolderSeesTheFirstUntilItEnds) {
  QTemporaryDir folder;
  const QString path = folder.filePath("morvane.lock");
  auto first = std::make_unique<InstanceLock>(path);
  EXPECT_FALSE(first->HeldElsewhere());
  EXPECT_TRUE(InstanceLock(path).HeldElsewhere());
  first.reset();
  EXPECT_FALSE(InstanceLock(path).HeldElsewhere());
  EXPECT_FALSE(InstanceLock("").HeldElsewhere());
}

TEST(InstanceLockTest, ALockLeftByACopyThatDiedIsTakenOver) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);  // a process id that no longer runs

  QTemporaryDir folder;
  const QString path = folder.filePath("morvane.lock");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::number(child) + "\nmorvane_gui_tests\n" +
             QSysInfo::machineHostName().toUtf8() + "\n");
  file.close();
  EXPECT_FALSE(InstanceLock(path).HeldElsewhere());
}

}  // namespace
}  // namespace morvane::gui::testing
