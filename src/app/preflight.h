// What Convert checks before it asks whether to initialise the output
// database: a Yes deletes that file, so a run that cannot work, or that
// would destroy one of its own inputs, is refused while nothing on disk has
// changed.
#pragma once

#include <optional>
#include <string>

#include "app/refusal.h"
#include "platform/ui/ui.h"
#include "run/run_context.h"

namespace morvane::app {

// The main data set is found under the exact name "main.dat" (the file name
// that TableMainPath leads to, letter case included). Main checks it too.
bool MainDataSetFound(const engine::RunPaths& paths);

// Why the run stops when it is not: "the file 'main.dat' was not found:
// <the path looked at>.", for the status line.
std::string MainDataSetNotFound(const engine::RunPaths& paths);

// "The file 'main.dat' was not found! ...", as Main shows it.
ui::Message MissingMainDataSetMessage();

// nullopt when Convert may ask its question. Otherwise, in this order:
//  - the main data set file may be there but cannot be reached (a folder
//    on its path may not be read ...): the file and why;
//  - the main data set is not found: Main's own message;
//  - the output database is one of the files the run reads: a data set file
//    of the export (any of the 35, as the loaders find them in the input
//    folder, in any letter case), an antenna-site database (A to E,
//    AntSiteDb) or the registration-number database. Compared as files
//    (files::SameFile), not as spellings, and for a symbolic link to a file
//    that is not there yet, where it leads; the message names which, with its
//    data set or setting and its path. The settings file the paths were
//    read from and the export's rejected-data file baddata.txt count too;
//  - a user's database (A to E, AntSiteDb, the registration-number
//    database) that the run would open as the export's baddata.txt (so
//    named, in any letter case, or through symbolic links to it): every
//    run replaces that file. A hard link of it is another name, and fine;
//  - the output database exists and is not a regular file (a folder, a
//    named pipe, a socket, a device, also behind a symbolic link): says what;
//  - data set files that the loaders would not find (in the input folder,
//    in any letter case) or could not read: all of them, in one message;
//  - the registration-number database that the user named
//    (RunPaths::registration_named_by) is not there: where it was named and
//    its path (the fixed place may be missing: step 41 then says so);
//  - the export folder cannot take baddata.txt (it may not be written,
//    something other than a file stands in its place, or the baddata.txt
//    there may not be removed, as in a shared folder where it is another
//    user's): names the folder or the file and why;
//  - the output database's folder (where a link to it leads) is not there,
//    is not a folder or may not be written: names the setting and the
//    folder. No folder is made.
std::optional<Refusal> RefusalBeforeQuestion(const engine::RunContext& run);

// The check of the user's databases that the run reads and writes (A to E,
// AntSiteDb, the registration-number database: engine::CheckUserDatabase),
// made before the question as well as before step 28, so that a run that
// would stop there is refused while nothing has changed. The refusal names
// the setting, the file and what is wrong. Opens and closes the databases
// in the run's workspace; changes nothing. Run it under the run's claims,
// so that a database another conversion writes is reported as such.
std::optional<Refusal> UserDatabaseRefusal(engine::RunContext& run);

}  // namespace morvane::app
