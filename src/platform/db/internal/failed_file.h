// Which file an error of the engine belongs to.
//
// A statement writes its connection's database file (with the journal
// beside it) and, for large sorts, snapshots and statement journals, files in
// the engine's temporary folder, which may lie on another disk. The engine
// reports a full disk (SQLITE_FULL) in either place alike, and by the time
// it reports it, it has deleted the temporary files of the failed statement.
// So the place is told apart by the room that is left: the temporary folder
// is blamed only when it lies on another file system than the database, has
// less than kNoRoom bytes free, and the database's file system has at least
// that much; every other full disk (both full, both with room again, one
// file system, room that cannot be read) is the database file's own.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/db/error.h"

namespace morvane::db::internal {

// Less free room than this counts as a full disk: no write of the engine
// (a page, a journal's header) fits in it for long.
inline constexpr std::uint64_t kNoRoom = std::uint64_t{1} << 20;

// The file system that holds a path and the room its user may still write.
struct DiskRoom {
  std::uint64_t device = 0;
  std::uint64_t available = 0;  // bytes
};
std::optional<DiskRoom> RoomOf(const std::filesystem::path& path);

// The folder in which the engine makes its temporary files, chosen as the
// engine chooses it on Unix: its configured folder, SQLITE_TMPDIR, TMPDIR,
// /var/tmp, /usr/tmp, /tmp or ".", the first that is a folder this process
// may write. Empty when none is.
std::filesystem::path EngineTemporaryFolder();

// The rule above, on the room of the database's file system and of the
// temporary folder's.
bool FullDiskInTemporaryFolder(const std::optional<DiskRoom>& database,
                               const std::optional<DiskRoom>& temporary);

// Names on `error` the file of the failed operation on `handle`: its main
// database file, or the temporary folder by the rule above. Never throws.
void NameFailedFile(Error& error, sqlite3* handle) noexcept;

}  // namespace morvane::db::internal
