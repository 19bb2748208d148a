#include "platform/ui/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace morvane::ui {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT};

// The state that the handler reaches: the signal that arrived, and the
// pipe's write end while a StopSignals lives (-1 otherwise).
volatile std::sig_atomic_t g_received = 0;
volatile std::sig_atomic_t g_wake_fd = -1;

void OnStopSignal(int signal) {
  const int saved_errno = errno;
  g_received = signal;
  if (g_wake_fd >= 0) {
    const char byte = 1;
    // Non-blocking: when the pipe is full, its reader has been woken already.
    [[maybe_unused]] const ssize_t written = ::write(g_wake_fd, &byte, 1);
  }
  errno = saved_errno;
}

[[noreturn]] void ThrowSystemError(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

StopSignals::StopSignals() {
  static_assert(std::size(kStopSignals) == sizeof saved_ / sizeof saved_[0]);
  if (g_wake_fd >= 0) throw std::logic_error("stop signals are handled already");
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) ThrowSystemError("cannot make the stop signals' pipe");
  read_fd_ = fds[0];
  write_fd_ = fds[1];
  g_received = 0;
  g_wake_fd = write_fd_;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;  // reads and writes carry on where they were
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
    if (::sigaction(kStopSignals[i], &action, &saved_[i]) != 0) {
      const int error = errno;
      Restore(i);
      errno = error;
      ThrowSystemError("cannot handle a stop signal");
    }
  }
}

StopSignals::~StopSignals() { Restore(std::size(kStopSignals)); }

void StopSignals::Restore(std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) ::sigaction(kStopSignals[i], &saved_[i], nullptr);
  g_wake_fd = -1;
  ::close(read_fd_);
  ::close(write_fd_);
}

int StopSignals::Received() const { return g_received; }

std::string StopSignals::Name(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    default: return "signal " + std::to_string(signal);
  }
}

}  // namespace morvane::ui
