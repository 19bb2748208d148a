// The bookkeeping of the output database: one ProcessLog row per step, the
// DataSource row that names the export, and the compaction of the file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::engine {

// The value stored in a Long field for a count or length that may not fit:
// values beyond the 32-bit range are held at its ends (2147483647 for a file
// of 2 GiB or more).
std::int64_t ClampToLong(std::int64_t value);

// Adds the row that closes a step to `process_log`, a table-type recordset on
// ProcessLog that the caller opened on the output database and closes
// afterwards: the step number, the first 50 characters of
// run.log_action_text, the time of writing ("3/22/2013 10:15:30 AM"), the
// output file's length (after the workspace's grouped commits are flushed),
// run.input_file_len and run.record_counter. One transaction; yields to the
// event loop before and after it measures the file.
//
// Throws db::Error, naming the file and saying that the step's rows since
// its last save are not in it, when the flush fails in any database; StepError
// naming the output file when its length cannot be read or the row cannot be
// stored (the transaction is rolled back), and RunStopped from the yields.
void WriteProcessLogRecord(RunContext& run, db::TableRecordset& process_log);

// Adds the one DataSource row of a run: "DALK" and the modification date and
// time of the main data set file (run.paths().table_main) in local time,
// as "2013.03.05" and "1:02:03 PM". Opens and closes the output database
// itself. Throws StepError naming the file that failed.
void WriteDataSourceRecord(RunContext& run);

// The status text after a compaction: both sizes with thousands separators
// and the ratio saved, one decimal; the ratio of an empty file is 0.0.
std::string CompactionResultText(std::int64_t size_before, std::int64_t size_after);

// Compacts the output database, which nobody may hold open, through a
// temporary file of this run's own in its folder ("DalkTemp-" and six random
// characters, ".mdb"; a file named DalkTemp.mdb is never touched); the
// compacted copy replaces the file in one atomic rename, so the file is never
// missing. The status
// window's lblStatus shows `heading`, the current size and "Please wait" while
// it works, and the sizes and ratio afterwards.
//
// Never throws for a failed compaction: the error is shown in a message box
// (OK only), the output database is left as it was, the temporary file
// removed, and false is returned so the run can go on. Only RunStopped passes
// through.
bool CompactDalkDatabase(RunContext& run, const std::string& heading);

}  // namespace morvane::engine
