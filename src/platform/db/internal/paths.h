// Checks and identities of database file paths.
#pragma once

#include <filesystem>
#include <string>

namespace morvane::db::internal {

// Throws db::Error for the names that SQLite would not take as a plain file:
// "", ":memory:" and URI names ("file:...").
void RefuseSpecialName(const std::filesystem::path& path);

// The absolute path of the existing database file that `path` names,
// resolved without regard to case. Throws db::Error for a special name, a
// missing file, a folder, or an empty file (SQLite would take an empty file
// for a new, empty database).
std::filesystem::path ExistingDatabaseFile(const std::filesystem::path& path);

// The absolute path at which a new file named `path` is made: the folder is
// resolved without regard to case. Throws db::Error for a special name, when
// anything stands at the path (in any letter case), or when the folder does
// not exist.
std::filesystem::path NewFileTarget(const std::filesystem::path& path);

// The key under which a file counts as one, whatever the path that named it:
// its device and inode while it exists, so that two hard links or two bind
// mounts of one file are one file, as are a symbolic link and its target;
// the canonical path of a file that does not exist (yet).
std::string FileIdentity(const std::filesystem::path& path);

// Flushes a file or a folder to disk; throws db::Error on failure.
void SyncPath(const std::filesystem::path& path, bool folder);

}  // namespace morvane::db::internal
