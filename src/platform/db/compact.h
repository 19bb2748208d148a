// Compaction of a closed database file.
//
// Compacting a large file takes a while; `keep_going`, when given, is called
// every few thousand steps of the engine's work (so a caller can serve its
// event loop) and cancels the compaction by returning false, which then
// fails as any other error does. It must not throw.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace morvane::db {

// Writes a compacted copy of the database `source` to `destination`, which
// must not exist. Every table keeps its rows in stored order, its fields and
// its indexes. Nobody may hold `source` open. Throws db::Error; on failure
// `destination` is removed and `source` is untouched. `locale` as for
// Workspace::CreateDatabase.
using KeepGoing = std::function<bool()>;

void CompactDatabase(const std::filesystem::path& source,
                     const std::filesystem::path& destination,
                     std::string_view locale = {}, const KeepGoing& keep_going = {});

// Compacts `path` in place: a compacted copy is written to a temporary file
// of this call's own, made durable, and then renamed over `path` in one
// atomic step. `path` is never deleted first; on any failure it is left as
// it was and the temporary file is removed.
//
// The temporary file is made in the folder of the file itself (through a
// symbolic link, of its target), so that the rename stays on one file
// system. Its name is `temporary_name` with six random characters before its
// extension ("DalkTemp.mdb" gives "DalkTemp-q3ZkX0.mdb"), created exclusively
// with the permissions of `path`, and neither it nor its journal's name
// existed before: two compactions in one folder never share a temporary
// file, and no file of anyone else's is ever replaced or deleted. A process
// killed while it compacts leaves its temporary file behind. Throws
// db::Error when `temporary_name` is not a plain file name.
//
// A file that is already compact is not rewritten: it has no free pages and
// no bytes beyond its last page (after a journal left by a crash has been
// rolled back). A copy would hold the same rows and be smaller only by the
// room left inside pages (by deleted rows, or by page splits), which a file
// that only grows, as the output database does, hardly has. Then `path`
// stays the same file, untouched, no temporary file is made, and
// `keep_going` is asked once (false cancels, as above). Returns true when
// the file was rewritten, false when it was already compact.
bool CompactInPlace(const std::filesystem::path& path, std::string_view temporary_name,
                    std::string_view locale = {}, const KeepGoing& keep_going = {});

}  // namespace morvane::db
