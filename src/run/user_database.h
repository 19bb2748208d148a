// The databases that the user supplies (the antenna-site databases A to E,
// the antenna-site database, the registration database): SQLite files that
// Morvane reads and extends but never creates.
//
// A step that writes into them checks them all before it changes anything,
// so that a missing file, table, field or index, a damaged file or one that
// cannot be written now stops the run before any of the user's files or the
// output database is half-updated.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/error.h"
#include "platform/db/workspace.h"
#include "run/run_context.h"

namespace morvane::engine {

// An index that a step seeks: its name as the user writes it
// ("idxTowerSiteInfoA"; stored either plain or as "AntSite_A.idxTowerSiteInfoA")
// and the field it must be built on.
struct UserIndex {
  std::string name;
  std::string field;
};

// A table that a step reads or writes: the fields it uses and the indexes it seeks.
struct UserTable {
  std::string name;
  std::vector<std::string> fields;
  std::vector<UserIndex> indexes;
};

// One user database as a step uses it. `setting` names the setting that
// gives its path ("AntSite_A", "AntSiteDb"), or is "" for a file of a fixed
// name; `path` is the setting's text ("\" separates folders too).
struct UserDatabase {
  std::string setting;
  std::string path;
  std::vector<UserTable> tables;
  bool written = false;   // the run writes into it (else it only reads it)
  bool optional = false;  // a run without it goes on (nothing to check when no file is there)
};

// How the run opens the database: for writing when it writes into it, else
// read-only.
db::Access AccessOf(const UserDatabase& database);

// Checks the database without creating or changing anything: `path` is not
// "" or "NONE", a regular file stands there (else says what does: a folder,
// a named pipe ...), it opens read-only as a database and reads as one all
// through (SQLite's quick check), every table, field and index exists, each
// index on its field, and, when the run writes it, it can really be written
// now: a change that needs the rollback journal beside the file is made and
// rolled back (a folder that will not take the journal is named). An
// optional database that is not there (no path, or nothing at it in any
// letter case) is not checked; a folder or a pipe at its path, or a path
// that cannot be followed (a folder on it may not be read, two names in its
// folder differ only in letter case), is refused. An index on a text field must compare without regard to
// letter case (COLLATE NOCASE), since the steps search it that way; an index
// on a number needs nothing.
//
// The quick check reads every page of the file. The check before step 28
// makes it for every user database; a later step that checks its database
// again passes kStructure, so that a large file is not read through twice in
// one run.
enum class CheckDepth { kReadThrough, kStructure };

// Throws StepError naming the file and, in its reason, the setting, the path
// and what is missing (for a case-sensitive index, also how to rebuild it).
// The database is closed again before the function returns.
void CheckUserDatabase(db::Workspace& workspace, const UserDatabase& database,
                       CheckDepth depth = CheckDepth::kReadThrough);

// The file that a setting's path text names, as the steps open it.
std::filesystem::path UserDatabaseFile(const std::string& path);

// Runs `action`, which works on the user's database at `path`; a db::Error
// that it raises becomes a StepError naming that file (or the file the
// error names, such as the engine's temporary folder), so that the report
// never names the output database for it.
template <typename Action>
decltype(auto) InUserDatabase(const std::string& path, Action&& action) {
  try {
    return std::forward<Action>(action)();
  } catch (const db::Error& e) {
    throw StepError(UserDatabaseFile(path).string(), "", e);
  }
}

}  // namespace morvane::engine
