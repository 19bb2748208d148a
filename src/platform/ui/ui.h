// The user interface as code outside the windows sees it: windows whose
// controls are reached by their names, message boxes, and the event loop.
//
// The Qt windows implement it in the program; RecordingUi (recording_ui.h)
// implements it for tests and the headless tool. Everything runs on one
// thread: the steps call Yield() so that the windows keep painting and the
// user's clicks (Exit among them) are served.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace morvane::ui {

// The windows, by the names the program gives them.
inline constexpr std::string_view kMainWindow = "frmMorvane";
inline constexpr std::string_view kStatusWindow = "frmStatus";
inline constexpr std::string_view kTargetForm = "frmMkKtbDbS";
inline constexpr std::string_view kStagingForm = "frmAddDalkTbl";

enum class Buttons { kOk, kYesNo, kYesNoCancel };
enum class Icon { kNone, kCritical, kQuestion, kExclamation, kInformation };
enum class Answer { kOk, kYes, kNo, kCancel };

struct Message {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::kOk;
  Icon icon = Icon::kNone;
  int default_button = 0;  // 0 = the first button, 1 = the second, ...
};

// One window. Controls are named as in the window (lblStatus, fraFileSize,
// ProgressBar1, ...), from the list of control_names.h: the program's
// windows ignore any other name, the recording Ui refuses it.
class Window {
 public:
  virtual ~Window() = default;

  virtual void SetCaption(std::string_view control, std::string_view text) = 0;
  virtual void SetVisible(std::string_view control, bool visible) = 0;
  // A progress bar's value, 0 to 100.
  virtual void SetValue(std::string_view control, double value) = 0;

  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Discards the window's state: the next use finds it as freshly loaded
  // (value labels empty, every frame visible, progress 0), hidden.
  virtual void Unload() = 0;
  virtual void Repaint() = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // One of the names above; the window lives as long as the Ui.
  virtual Window& GetWindow(std::string_view name) = 0;

  // A modal message box; returns the button chosen.
  virtual Answer ShowMessage(const Message& message) = 0;

  // The same, with work that should be done before the program sits waiting
  // for the user (making the run's rows durable): it runs once the box has
  // been open for a moment, and not at all when the answer comes at once
  // (a box that answers itself). By default it runs before the box.
  // An exception of `idle_work` is thrown once the box is answered.
  virtual Answer ShowMessageWithIdleWork(const Message& message,
                                         const std::function<void()>& idle_work) {
    if (idle_work) idle_work();
    return ShowMessage(message);
  }

  // Serves the event loop once: paints, handles the user's input.
  virtual void Yield() = 0;

  // True once the user has asked to end the program during a run; the run
  // then stops cleanly at its next yield.
  virtual bool StopRequested() const = 0;
};

}  // namespace morvane::ui
