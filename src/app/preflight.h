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

// "The file 'main.dat' was not found! ...", as Main shows it.
ui::Message MissingMainDataSetMessage();

// nullopt when Convert may ask its question. Otherwise, in this order:
//  - the main data set is not found: Main's own message;
//  - the output database is one of the files the run reads: a data set file
//    of the export (any of the 35, as the loaders find them in the input
//    folder, in any letter case), an antenna-site database (A to E,
//    AntSiteDb) or the registration-number database. Compared as files
//    (files::SameFile), not as spellings; the message names which, with its
//    data set or setting and its path.
std::optional<Refusal> RefusalBeforeQuestion(const engine::RunContext& run);

}  // namespace morvane::app
