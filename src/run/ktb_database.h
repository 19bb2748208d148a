// The work of the target form (frmMkKtbDbS) when it loads: a fresh output
// database with the 31 KTB tables.
#pragma once

#include <string_view>

#include "run/run_context.h"

namespace morvane::engine {

// Shows the target form and, while its labels follow the work, replaces the
// output database (run.OutputFile()) by a new one that holds the 31 empty
// target tables, in creation order. Whatever stood at that path is deleted
// first, together with the engine's side files of that name ("-journal",
// "-wal", "-shm"), so nothing of an earlier file or an interrupted
// transaction reaches the new one. An output path that is a symbolic link
// keeps its link: the file it leads to is deleted and built (also when it
// does not exist yet). On return the file is closed, the labels
// are empty and the form is hidden.
//
// Errors: a folder at the output path, a file that cannot be deleted, a
// database that cannot be created or a table that cannot be appended throw
// engine::StepError naming the output file, with the reason as the file system
// or the engine gave it. The database is closed and the form hidden first;
// the file keeps the tables created so far. engine::RunStopped passes through
// the same way.
void BuildKtbDatabase(engine::RunContext& run);

}  // namespace morvane::engine
