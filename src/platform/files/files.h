// File-system helpers.
//
// Case. The files that Morvane is given were named on a file system that
// ignores letter case, and the Setup dialogs store paths in lower case. A
// path that does not exist as written is therefore matched folder by folder
// without regard to case; a component matches only when exactly one entry of
// its folder matches it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/text/text.h"

namespace morvane::files {

// What stands at a path, as the folders on the way to it can tell.
struct Located {
  enum class Kind {
    kFound,        // `path` is where it is on disk
    kMissing,      // nothing is there, in any letter case
    kUnreachable,  // the file system would not say (`reason`): something may be there
  };
  Kind kind = Kind::kMissing;
  std::filesystem::path path;
  // For kUnreachable, in words for a message: "permission denied on the way
  // to /x/a.mdb", "the folder /x holds both a.mdb and A.mdb, whose names
  // differ only in letter case".
  std::string reason;
};

// The path as it exists on disk: `path` itself when it exists as written,
// else the unique case-insensitive match, resolved component by component.
// A folder that cannot be read on the way, or a name that two entries of one
// folder match, leaves it unreachable rather than missing: only what is not
// there is missing. "/" and "\" both separate folders.
Located Locate(const std::filesystem::path& path);

// Locate's path when it finds one; nullopt when it is missing or unreachable.
std::optional<std::filesystem::path> Resolve(const std::filesystem::path& path);

// As Resolve, but for a file that may not exist yet: the folder part is
// resolved and the last component kept as given when it has no match.
// The path unchanged when the folder cannot be resolved either.
std::filesystem::path ResolveForWrite(const std::filesystem::path& path);

// A path text from the settings or a dialog, with "\" turned into "/".
std::filesystem::path FromSetting(const std::string& text);

// True when Resolve finds a regular file.
bool FileExists(const std::filesystem::path& path);

// What stands at `path` when it is not a regular file that can be read, in
// words for a message: "was not found", "is a folder, not a file", "is a
// named pipe (FIFO), not a file", "is a symbolic link to T, which does not
// exist", "cannot be reached: permission denied on the way to P" (never "was
// not found" for a file that may be there). "" for a regular file (through
// any links).
std::string NotARegularFile(const std::filesystem::path& path);

// Why no file can be created in `folder`, in words for a message ("no such
// file or directory", "read-only file system", "permission denied"); ""
// when the folder exists and may be written. Asked as the process's file
// operations are checked (its effective, file-system identity).
std::string FolderNotWritable(const std::filesystem::path& folder);

// Why the regular file at `path` cannot be read, in words for a message
// ("permission denied"); "" when it can. The file is opened for reading and
// closed again, as a reader would open it, so whatever would refuse the
// reader refuses this too. Call it only for a regular file (a named pipe
// would block the open).
std::string NotReadable(const std::filesystem::path& path);

// Why the process may not remove what stands at `path` (a file, or a link
// itself), in words for a message; "" when it may, or when nothing is
// there. The folder must be writable; a folder with the sticky bit (mode
// 1777, as shared folders are) lets only the owner of the entry or of the
// folder remove it. Asked for the process's file-system user, as its file
// operations are checked. The file system's own attributes are asked
// separately (RemovalBarredByAttribute).
std::string NotRemovable(const std::filesystem::path& path);

// Why the file system's own attributes (as chattr sets them) bar removing
// what stands at `path`, whoever asks: the immutable or append-only
// attribute on the regular file there, or on its folder (where a link to
// the folder leads; the message names that folder). "" when they do
// not, when nothing is there, and where they cannot be told (a file system
// that keeps none, a file or folder that may not be opened for reading).
std::string RemovalBarredByAttribute(const std::filesystem::path& path);

// True when the process may write the file at `path` (asked as
// FolderNotWritable asks).
bool MayWrite(const std::filesystem::path& path);

// Length in bytes of the (resolved) file. Throws std::filesystem::filesystem_error.
std::int64_t FileLength(const std::filesystem::path& path);

// Modification date and time of the (resolved) file, in local time.
// Throws std::filesystem::filesystem_error.
text::DateTime ModificationTime(const std::filesystem::path& path);

// Removes the file at `path` if there is one. Throws when it exists and
// cannot be removed, or when a directory stands there.
void RemoveFileIfExists(const std::filesystem::path& path);

}  // namespace morvane::files
