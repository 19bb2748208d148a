// The Convert command: asks before it initialises the output database,
// builds the database with the target and staging tables, and runs the
// steps. The windows reach it through the Ui; so does the headless tool.
#pragma once

#include <cstdint>
#include <string>

#include <vector>

#include "app/run_driver.h"
#include "platform/ui/ui.h"
#include "run/run_context.h"

namespace morvane::app {

struct ConvertOutcome {
  enum class Kind {
    kDeclined,   // the user answered No: nothing on disk changed
    kCompleted,  // every step ran
    kFailed,     // the database could not be built, or a step stopped the run
    kStopped,    // the user asked to end the program during the run
  };
  Kind kind = Kind::kDeclined;
  std::string failure;
  std::int64_t rejected = 0;   // records not stored (lines of the rejected-data file)
  std::int64_t key_notes = 0;  // notes there about antenna-site keys and counts (stored)
};

ConvertOutcome ConvertCommand(ui::Ui& ui, const engine::RunPaths& paths);
// The same with other steps (the headless tool's seams).
ConvertOutcome ConvertCommand(ui::Ui& ui, const engine::RunPaths& paths, const std::vector<Step>& steps);

}  // namespace morvane::app
