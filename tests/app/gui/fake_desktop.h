// Services for the windows' tests: message boxes answered from a script,
// file dialogs that "choose" from a script, and an end of the program that
// is only recorded. Everything asked is kept for the test to check.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QTemporaryDir>
#include <filesystem>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/main_window.h"
#include "app/gui/qt_ui.h"
#include "app/gui/services.h"
#include "platform/text/text.h"

namespace morvane::gui::testing {

struct FakeDesktop {
  std::deque<ui::Answer> answers;  // then OK / Yes when empty
  std::vector<ui::Message> messages;
  std::function<void()> while_open;  // what happens while a box is open
  std::deque<std::optional<std::string>> choices;  // nullopt: cancelled
  std::vector<FileRequest> requests;
  int ends = 0;

  Services Make() {
    return Services{
        [this](QWidget*, const ui::Message& message) {
          messages.push_back(message);
          if (while_open) while_open();
          if (!answers.empty()) {
            const ui::Answer answer = answers.front();
            answers.pop_front();
            return answer;
          }
          return message.buttons == ui::Buttons::kOk ? ui::Answer::kOk : ui::Answer::kYes;
        },
        [this](QWidget*, const FileRequest& request) -> std::optional<std::string> {
          requests.push_back(request);
          if (choices.empty()) return std::nullopt;
          auto choice = choices.front();
          choices.pop_front();
          return choice;
        },
        [this] { ++ends; }};
  }
};

// The control `name` of `window`, of type T; fails the test when missing.
template <typename T>
T* Control(QWidget* window, const char* name) {
  T* found = qobject_cast<T*>(FindControl(window, name));
  EXPECT_NE(found, nullptr) << "no " << name << " of the expected kind";
  return found;
}

// The caption a control shows: a label's or button's text, a frame's or
// menu's title, a menu entry's text, a window's title.
QString CaptionOf(QObject* control);

// The whole content of a file ("" when it cannot be read).
std::string ReadFile(const std::filesystem::path& path);

// A main window started in a fresh program folder, with its own lock file.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    window_ = std::make_unique<MainWindow>(desktop_.Make());
  }

  void Start() { window_->Start(StartUpIn(folder_.path())); }
  StartUp StartUpIn(const QString& folder) {
    return StartUp{folder, "morvane", folder_.filePath("morvane.lock")};
  }
  // AppPath: the folder in lower case, with its separator.
  std::string AppFolder() const { return text::ToLower(folder_.path().toStdString()) + "/"; }
  std::filesystem::path IniFile() const {
    return std::filesystem::path(folder_.path().toStdString()) / "morvane.ini";
  }

  // Triggers the menu entry or clicks the button `name` of `window` (the
  // main window when null).
  void Click(const char* name, QWidget* window = nullptr) {
    QObject* control = FindControl(window ? window : window_.get(), name);
    ASSERT_NE(control, nullptr) << name;
    if (auto* action = qobject_cast<QAction*>(control)) {
      action->trigger();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->click();
    } else {
      FAIL() << name << " is neither a menu entry nor a button";
    }
  }

  FakeDesktop desktop_;
  QTemporaryDir folder_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace morvane::gui::testing
