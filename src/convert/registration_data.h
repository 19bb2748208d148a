// Step 41: the licensees' registration data. Every registration number on a
// Freq row of an active assignment (status "9", number 1 or more) is looked
// up in the registration-number database (table EinKwdTable), and the
// registrant's entry is copied into LiceEinKwd, one row per number.
//
// The registration-number database is the user's file, only read. Its place
// is fixed (engine::kRegistrationDatabase, the Windows path
// E:\KtbMdb\EinKwd\einkwd.mdb where drive E: is mounted on Linux), found
// without regard to letter case; tests and the headless tool pass their own.
// It is opened read-only.
//
// Outcomes:
//  - The file is missing (nothing at its path in any letter case) where the
//    user named it (RunPaths::registration_named_by): throws
//    engine::StepError with NamedDatabaseMissing's reason.
//  - The file is missing at the fixed place: the
//    status text and the message box "File not found, exiting
//    PopulateLiceEinKwdTable"; nothing is opened, no process-log row is
//    written, and the run goes on with the next step. A file that may be
//    there but cannot be reached (a folder on its path may not be read, two
//    names in its folder differ only in letter case) is not "not found": it
//    throws engine::StepError naming the file and why.
//  - The file is not a database, or lacks EinKwdTable, one of the fields read
//    or the index idxKwdKey on KwdKey (or has that index compare letter case
//    on a text field): throws engine::StepError naming the file and what is
//    missing, before anything is written. A later error of the database
//    names that file too.
//  - A registration number that is Null or not a whole number finds nothing.
//  - A Null value of the entry stays Null in LiceEinKwd (EinKey gives ""); an
//    entry with a value longer than its LiceEinKwd field is not copied: one
//    line in the rejected-data file names the number, field and value.
//  - Otherwise the step ends with its ProcessLog row "Lice data!", records
//    processed = the Freq rows read.
// It closes only what it opened (never the run's rejected-data file).
#pragma once

#include <filesystem>
#include <string>

#include "run/run_context.h"
#include "run/user_database.h"

namespace morvane::convert {

// What the step reads of the registration-number database at `path`
// (optional: a run goes on without it).
engine::UserDatabase RegistrationDatabase(const std::string& path);

// Where the user named the registration-number database (`named_by`, as
// RunPaths::registration_named_by) and nothing is at `path` in any letter
// case: why, in words for a message ("registration-number database named
// by --registration-db was not found: /x/einkwd.mdb"). "" when something
// is there, and always for the fixed place (`named_by` ""), where a missing
// database only leaves LiceEinKwd empty.
std::string NamedDatabaseMissing(const std::string& named_by, const std::filesystem::path& path);

void PopulateLiceEinKwdTable(engine::RunContext& run,
                             const std::filesystem::path& registration_database);

}  // namespace morvane::convert
