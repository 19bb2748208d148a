// The program's ui::Ui: the Qt windows, reached by their names.
//
// A window's controls are found by object name among its children: a
// caption goes to a label's text, a frame's title, a button's or a menu
// entry's text; visibility to any widget or menu entry; a value to a
// progress bar (rounded, held to 0..100). Only the controls that
// control_names.h lists for the window are reached; other names, and
// windows that were never added, are ignored.
//
// Painting keeps a fixed cadence, whatever the rate of the run's calls:
// Yield serves the Qt event loop (which paints what changed) at most once
// per kCadence, and Repaint paints at once only when the last paint is that
// old, else leaves the paint to the next Yield. A run shows its progress
// every hundred records; painting each would cost more than the records.
//
// Message boxes go through the injected MessageBoxFunction, so tests answer
// them. Yield serves the Qt event loop once. The main window requests a
// stop when the user ends the program during a run.
#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/gui/services.h"
#include "platform/ui/ui.h"

namespace morvane::gui {

// The control named `name` of `window`: the window itself or one of its
// descendants, menus and their entries included, but not a control of
// another window that `window` owns (the status window's lblStatus is not
// the main window's). Null when there is none.
QObject* FindControl(QWidget* window, std::string_view name);

class QtUi : public ui::Ui {
 public:
  // Message boxes are shown over `dialog_parent` (may be null).
  QtUi(QWidget* dialog_parent, MessageBoxFunction message_box);
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  // Makes `window` reachable by `name`. `unload` puts it back into its
  // freshly loaded state, hidden; without it Unload only hides the window.
  // The window must outlive its use through this Ui.
  void AddWindow(std::string_view name, QWidget* window,
                 std::function<void()> unload = {});

  static constexpr std::chrono::milliseconds kCadence{100};

  ui::Window& GetWindow(std::string_view name) override;
  ui::Answer ShowMessage(const ui::Message& message) override;
  // The idle work runs from the box's own event loop once the box has been
  // open for kIdleDelay; a box function that returns at once never runs it.
  ui::Answer ShowMessageWithIdleWork(const ui::Message& message,
                                     const std::function<void()>& idle_work) override;
  static constexpr std::chrono::milliseconds kIdleDelay{250};
  void Yield() override;
  bool StopRequested() const override { return stop_requested_; }

  void RequestStop() { stop_requested_ = true; }
  void ClearStopRequest() { stop_requested_ = false; }

 private:
  class QtWindow;

  QPointer<QWidget> dialog_parent_;
  MessageBoxFunction message_box_;
  std::map<std::string, std::unique_ptr<QtWindow>, std::less<>> windows_;
  std::unique_ptr<QtWindow> nowhere_;  // stands for windows never added
  // True when neither a paint nor a Yield came within kCadence; then counts
  // the paint as done.
  bool PaintDue();

  std::chrono::steady_clock::time_point last_paint_{};
  std::chrono::steady_clock::time_point last_yield_{};
  bool stop_requested_ = false;
};

}  // namespace morvane::gui
