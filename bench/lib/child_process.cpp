#include "bench/lib/child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace morvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

int OpenOrThrow(const std::filesystem::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0)
    throw std::runtime_error("cannot open " + path.string() + ": " + std::strerror(errno));
  return fd;
}

void MakePipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC) != 0)
    throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
}

// In the child, between fork and exec: only async-signal-safe calls. An exec
// failure is written as its errno to `report_fd`, which closes on exec.
[[noreturn]] void ExecChild(char* const argv[], int stdin_fd, int stdout_fd, int stderr_fd,
                            int report_fd) {
  if (::dup2(stdin_fd, 0) < 0 || ::dup2(stdout_fd, 1) < 0 ||
      (stderr_fd >= 0 && ::dup2(stderr_fd, 2) < 0)) {
    const int error = errno;
    (void)!::write(report_fd, &error, sizeof error);
    ::_exit(127);
  }
  ::execvp(argv[0], argv);
  const int error = errno;
  (void)!::write(report_fd, &error, sizeof error);
  ::_exit(127);
}

// Reads the child's output to its end, handing over each complete line.
std::int64_t ReadLines(int fd, Clock::time_point start, const LineHandler& on_line) {
  std::int64_t lines = 0;
  std::string pending;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const double now = SecondsSince(start);
    pending.append(buffer, static_cast<std::size_t>(n));
    std::size_t begin = 0;
    for (std::size_t end; (end = pending.find('\n', begin)) != std::string::npos; begin = end + 1) {
      ++lines;
      if (on_line) on_line(now, std::string_view(pending).substr(begin, end - begin));
    }
    pending.erase(0, begin);
  }
  if (!pending.empty()) {
    ++lines;
    if (on_line) on_line(SecondsSince(start), pending);
  }
  return lines;
}

}  // namespace

std::string ChildResult::Describe() const {
  if (signal != 0) return "signal " + std::to_string(signal);
  return "exit code " + std::to_string(exit_code);
}

ChildResult RunChild(const ChildOptions& options, const LineHandler& on_line) {
  if (options.argv.empty()) throw std::runtime_error("no program to run");
  std::vector<char*> argv;
  for (const std::string& arg : options.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  Fd input(OpenOrThrow(options.stdin_file.empty() ? "/dev/null" : options.stdin_file, O_RDONLY));
  Fd error_output;
  if (!options.stderr_file.empty())
    error_output.Reset(OpenOrThrow(options.stderr_file, O_WRONLY | O_CREAT | O_TRUNC));
  int output[2], report[2];
  MakePipe(output);
  Fd output_read(output[0]), output_write(output[1]);
  MakePipe(report);
  Fd report_read(report[0]), report_write(report[1]);

  const Clock::time_point start = Clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error(std::string("cannot fork: ") + std::strerror(errno));
  if (pid == 0)
    ExecChild(argv.data(), input.get(), output_write.get(), error_output.get(), report_write.get());

  output_write.Reset();
  report_write.Reset();
  input.Reset();
  error_output.Reset();

  // The report pipe closes on a successful exec, or carries its errno.
  int exec_error = 0;
  ssize_t got;
  do {
    got = ::read(report_read.get(), &exec_error, sizeof exec_error);
  } while (got < 0 && errno == EINTR);

  ChildResult result;
  if (got <= 0) {
    try {
      result.lines = ReadLines(output_read.get(), start, on_line);
    } catch (...) {  // the handler failed: do not leave the child behind
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
      throw;
    }
  }
  output_read.Reset();

  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
  }
  result.seconds = SecondsSince(start);
  if (got > 0)
    throw std::runtime_error("cannot start " + options.argv[0] + ": " + std::strerror(exec_error));
  result.peak_rss_kb = usage.ru_maxrss;  // kilobytes on Linux
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace morvane::bench
