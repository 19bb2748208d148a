// SIGTERM (the desktop logging out) and SIGINT (Ctrl+C) as a request to
// stop the run, the way the window's Exit stops it: at the run's next
// yield, its open transaction rolled back and its files closed, instead of
// the process ending at once and leaving a hot journal behind.
//
// While a StopSignals object lives, each of the two signals only notes
// itself in a process-wide flag (the one state a signal handler may safely
// touch) and writes one byte to a pipe, so that an event loop can wake up
// for it. The handlers that were there before come back when it is
// destroyed. At most one lives at a time.
#pragma once

#include <csignal>
#include <string>

#include "platform/ui/ui.h"

namespace morvane::ui {

class StopSignals {
 public:
  // Throws std::system_error when the pipe or a handler cannot be set up,
  // std::logic_error when another StopSignals lives.
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that arrived last (SIGTERM or SIGINT); 0 while none has.
  int Received() const;
  // Becomes readable when a signal arrives (for a QSocketNotifier); what it
  // holds is the reader's to drain.
  int WakeUpFd() const { return read_fd_; }

  // "SIGTERM", "SIGINT", or the number.
  static std::string Name(int signal);

 private:
  // Puts back the first `count` handlers and closes the pipe.
  void Restore(std::size_t count) noexcept;

  int read_fd_ = -1;
  int write_fd_ = -1;
  struct sigaction saved_[2] = {};  // the handlers of SIGTERM and SIGINT before
};

// The Ui of a run that also stops when a stop signal has arrived; all else
// is `inner`'s. Both must outlive it.
class StopOnSignalUi : public Ui {
 public:
  StopOnSignalUi(Ui& inner, const StopSignals& stop_signals)
      : inner_(inner), stop_signals_(stop_signals) {}

  Window& GetWindow(std::string_view name) override { return inner_.GetWindow(name); }
  Answer ShowMessage(const Message& message) override { return inner_.ShowMessage(message); }
  Answer ShowMessageWithIdleWork(const Message& message,
                                 const std::function<void()>& idle_work) override {
    return inner_.ShowMessageWithIdleWork(message, idle_work);
  }
  void Yield() override { inner_.Yield(); }
  bool StopRequested() const override {
    return inner_.StopRequested() || stop_signals_.Received() != 0;
  }

 private:
  Ui& inner_;
  const StopSignals& stop_signals_;
};

}  // namespace morvane::ui
