// The run driver: the 42 numbered steps of a conversion run, in their fixed
// order, with the data-source row before them and the status window around
// them.
//
// A step that fails, or a stop that the user asks for, ends the run
// cleanly: the open transaction is rolled back, the data set file, the
// databases and the rejected-data file are closed, and a message names the
// step, the file and the reason. Rows committed before stay.
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "run/rejected_data.h"
#include "run/run_context.h"

namespace morvane::app {

struct Step {
  int number = 0;
  std::string procedure;  // e.g. "PopulateMainTable"; names the step in messages
  std::function<void(engine::RunContext&)> run;
};

// The 42 steps of a run, in their fixed order, numbered 1 to 42. Step 41
// reads the registration-number database of the run's paths.
std::vector<Step> StandardSteps();

struct RunResult {
  bool completed = false;
  std::string failure;            // why the run stopped, for the main window
  std::int64_t rejected = 0;      // records not stored, written to the rejected-data file
  std::int64_t key_notes = 0;     // notes there about antenna-site keys and counts (stored)
};

// The message box for an error that ended the work: `headline`, then the
// file whose operation failed (when the error names one) and the reason;
// after a full disk, which disk is full and what to do.
ui::Message FailureMessage(std::string headline, const std::exception& e, const engine::RunContext& run);

// Runs the steps. `steps` defaults to StandardSteps(); tests pass their own.
// `rejected` is the run's rejected-data file, made anew by the caller
// before the output database was touched (so that a baddata.txt that cannot
// be replaced stops the run while the output is as it was); the steps write
// to it, and it is closed when they end.
RunResult RunSteps(engine::RunContext& run, engine::RejectedData& rejected, const std::vector<Step>& steps);
RunResult RunSteps(engine::RunContext& run, engine::RejectedData& rejected);

}  // namespace morvane::app
