// Adds the staging tables to the output database of a run.
#pragma once

#include "run/run_context.h"

namespace morvane::engine {

// The work of the staging form (ui::kStagingForm): with "Building the Data
// Base structure !" in the status window, shows the form, opens the run's
// output database (which must exist, freshly created with its target
// tables), creates the 36 staging tables in their fixed order, showing each
// table's caption in the form, and closes the database. At the end the form
// is hidden, its three labels and the status text are empty, and the event
// loop has been served once.
//
// Errors: when the database cannot be opened or a table cannot be created,
// the database is closed, the form hidden, and engine::StepError is thrown,
// naming the output file and, in its reason, the table and the engine's
// message. The tables created before the failing one stay in the file.
// engine::RunStopped from a yield passes through after the same clean-up.
void AddStagingTables(engine::RunContext& run);

}  // namespace morvane::engine
