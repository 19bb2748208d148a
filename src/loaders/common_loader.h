// The common frame of every data set loader: one step of a run that reads
// one data set file record by record into its staging table.
//
// The frame opens the output database, its staging table and the process
// log; shows the step in the status window; reads the file; stores each
// record as one new row (the rows of up to 16 records in one statement and
// transaction, those before a yield, a message box or a set-aside record
// always before it); shows the progress every 100 records; and ends with
// the step's process-log row. A record that cannot be stored as it stands
// (too few pieces, a text too long for its field, a number out of range, a
// date that cannot be read, a record without its end mark, a byte sequence
// that is not UTF-8 in a file marked as UTF-8) is not stored:
// it goes to the rejected-data file and the step goes on.
//
// Errors that end the step (the data set file missing, a database error)
// propagate as exceptions (engine::StepError, db::Error, filesystem errors,
// engine::RunStopped) after the open transaction is rolled back and the file and
// database closed; the rows committed before stay.
#pragma once

#include "loaders/loader_def.h"
#include "run/run_context.h"

namespace morvane::loaders {

void RunLoader(const LoaderDef& loader, engine::RunContext& run);

}  // namespace morvane::loaders
