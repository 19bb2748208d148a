// A Ui without windows, for tests and the headless tool.
//
// It keeps the current caption, visibility and value of every control it was
// told about, logs every caption change and every message box as one line,
// and answers message boxes from a script: the queued answers first, then the
// default answer (Yes for questions, OK otherwise) when nothing is queued.
// Queued answers are meant for questions: an OK box takes one only when it
// is OK, so a notice in between does not shift the script. A queued answer
// that is not one of the box's buttons is a script error (std::logic_error).
// With an echo stream it also prints each logged line as it happens.
//
// Windows and controls are those of control_names.h: any other name, given
// to a window or asked about, is a script or code error (std::logic_error),
// so a misspelled name cannot pass unnoticed.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.h"

namespace morvane::ui {

class RecordingUi : public Ui {
 public:
  // Without `keep_history` the log and the caption histories stay empty, so
  // memory does not grow with a long run (the headless tool echoes instead).
  explicit RecordingUi(std::ostream* echo = nullptr, bool keep_history = true);
  ~RecordingUi() override;

  Window& GetWindow(std::string_view name) override;
  Answer ShowMessage(const Message& message) override;
  // Answers at once: nobody waits, so the idle work is not done.
  Answer ShowMessageWithIdleWork(const Message& message,
                                 const std::function<void()>& idle_work) override;
  void Yield() override;
  bool StopRequested() const override;

  // Script.
  void QueueAnswer(Answer answer);
  void RequestStop() { stop_requested_ = true; }
  // Requests a stop once Yield() has been called this many more times.
  // Only for code whose yields are all explicit: a step's time-based yields
  // make the count depend on the machine's speed.
  void RequestStopAfterYields(std::size_t yields);
  // Requests a stop when `control` of `window` is first given `caption`: the
  // run stops at its next yield, at the same point on any machine.
  void RequestStopAtCaption(std::string_view window, std::string_view control,
                            std::string_view caption);

  // What happened. Log lines: "frmStatus.lblStatus = <text>" for a caption,
  // "message [<title>] <text>" for a message box (line breaks as "\n").
  const std::vector<std::string>& Log() const { return log_; }
  const std::vector<Message>& Messages() const { return messages_; }
  std::size_t YieldCount() const { return yields_; }

  // Current state of a control; "" / true / 0 when never set since the last
  // Unload. Window state: shown or not (false for a window never used).
  std::string Caption(std::string_view window, std::string_view control) const;
  bool Visible(std::string_view window, std::string_view control) const;
  double Value(std::string_view window, std::string_view control) const;
  bool WindowShown(std::string_view window) const;
  // Every caption a control was given, in order (since construction).
  std::vector<std::string> CaptionHistory(std::string_view window,
                                          std::string_view control) const;

 private:
  class RecordingWindow;
  friend class RecordingWindow;
  void Record(std::string line);

  std::ostream* echo_;
  bool keep_history_;
  std::map<std::string, std::unique_ptr<RecordingWindow>, std::less<>> windows_;
  std::deque<Answer> answers_;
  std::vector<std::string> log_;
  std::vector<Message> messages_;
  std::size_t yields_ = 0;
  std::size_t stop_after_ = 0;
  bool stop_armed_ = false;
  bool stop_requested_ = false;
  std::string stop_at_;  // "window.control = caption" as logged; empty: none
};

}  // namespace morvane::ui
