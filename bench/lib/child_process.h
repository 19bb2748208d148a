// Runs a program as a child process and watches it: every line it writes to
// its standard output is handed over with the time it arrived, and when it
// has ended, its exit status, run time and peak memory are returned.
//
// Times are seconds on the steady clock from just before the child was
// started. A line is timed when the read that completed it returned, so a
// program that flushes each line (morvane-headless, the sqlite3 shell) is
// timed to within the cost of one read.
//
// Peak memory is the child's ru_maxrss as wait4() reports it: the largest
// resident set the process had. The kernel counts the forked copy of this
// process too, before exec; that is a few megabytes and only matters if it
// were larger than the program's own peak, as it is a maximum, not a sum.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::bench {

struct ChildOptions {
  std::vector<std::string> argv;      // argv[0] is looked up on PATH
  std::filesystem::path stdin_file;   // empty: /dev/null
  std::filesystem::path stderr_file;  // empty: this process's standard error
};

struct ChildResult {
  int exit_code = -1;  // -1 when the child was ended by a signal
  int signal = 0;      // the signal that ended it, or 0
  double seconds = 0;  // from the start until it had ended
  std::int64_t peak_rss_kb = 0;
  std::int64_t lines = 0;  // lines read from its standard output

  bool Succeeded() const { return exit_code == 0; }
  std::string Describe() const;  // "exit code 1", "signal 9"
};

// Called for each output line, without its line end.
using LineHandler = std::function<void(double seconds, std::string_view line)>;

// Starts the program, reads its standard output to the end, waits for it.
// Throws std::runtime_error when it cannot be started (the program missing,
// a file that cannot be opened); a child that fails is reported in the
// result, not thrown.
ChildResult RunChild(const ChildOptions& options, const LineHandler& on_line);

}  // namespace morvane::bench
