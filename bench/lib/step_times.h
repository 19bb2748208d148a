// Splits the timeline of one run into its steps.
//
// The output of a run marks no step boundaries as such, and not every step
// shows its number; but every step opens with a status text of its own
// ("Populating 'Address' table with  < address.dat >  data !", "Compacting
// DALK database !...") and closes with one ProcessLog row. So the lines that
// open steps are collected while the run goes on, and afterwards matched in
// order to the ProcessLog rows, each checked against the row's action text.
//
// A step lasts from its opening line to the next step's opening line (the
// last step: to the end of the run; an opening text shown again right after
// itself opens nothing new); what comes before the first opening
// line is the start of the run (the program starting, the database created).
// Mismatches are reported, never guessed: a row whose step opened with no
// known text is left untimed (its time falls to the step before it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::bench {

// A status text that opens a step.
struct StepOpening {
  std::string status;  // lblStatus text, or its beginning; the longest match wins
  std::string action;  // the action text of the step's ProcessLog row
  std::string name;    // what a report calls the step (its data set file), may be ""
};

// One ProcessLog row, in the order of the table.
struct LogRow {
  int step = 0;
  std::string action;  // as stored: at most its first 50 characters
  std::int64_t records = 0;
};

struct StepTime {
  int step = 0;
  std::string action;
  std::string name;
  std::int64_t records = 0;
  double seconds = 0;
  bool timed = false;  // false: no opening line was matched to this row
};

struct RunSteps {
  double start_seconds = 0;      // before the first step opened
  std::vector<StepTime> steps;   // one per ProcessLog row, in order
  double total_seconds = 0;      // the whole run
  std::vector<std::string> problems;

  // From the start of the run until the first step numbered above `last`
  // opened (the whole run when none did).
  double SecondsThrough(int last) const;
  // Records of the steps numbered 1..last.
  std::int64_t RecordsThrough(int last) const;
};

class StepTimeline {
 public:
  explicit StepTimeline(std::vector<StepOpening> openings);

  // One output line of the run, at `seconds` from its start.
  void Feed(double seconds, std::string_view line);

  // The run ended at `end_seconds`; `rows` are its ProcessLog rows.
  RunSteps Split(double end_seconds, const std::vector<LogRow>& rows) const;

 private:
  struct Opened {
    double seconds;
    std::size_t opening;  // index into openings_
  };

  std::vector<StepOpening> openings_;
  std::vector<Opened> opened_;
};

}  // namespace morvane::bench
