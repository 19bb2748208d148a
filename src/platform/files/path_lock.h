// An exclusive claim on a file, held by one process at a time: a second
// claim on the same file, from this process or another, is refused at once.
//
// The claim is an advisory lock (flock) on a lock file beside the file:
// ".<name>.lock" in the file's folder, the name in lower case (a name too
// long for that gives a digest of it instead). It is the folder as the file
// system knows it that counts, not its spelling: every path that reaches the
// folder (a symbolic link, a bind mount, a folder renamed meanwhile) reaches
// the one lock file, while two folders whose names differ only in letter
// case hold two. Within a folder names count without regard to case, as
// Morvane matches every file name: "DalkDB.mdb" and "dalkdb.mdb" are one
// claim. A symbolic link at the file itself is followed, so the link and its
// target are one claim too. The system drops the lock when the process
// ends, however it ends.
//
// The lock file is this claim's alone to delete: the holder that created it
// deletes it while it still holds the lock, and a claim counts only once
// its lock is held on the file that the name still leads to (else it opens
// the name again), so deleting never lets two holders in. A lock file found
// in place (one left by a process that was killed) is used and left where
// it is.
//
// A folder in which no file can be made (it does not exist, or may not be
// written) gets an empty claim that holds nothing: no run can make or
// replace a file there either, and what tries says why.
//
// It does not keep anything from opening the file: it is for cooperating
// programs, such as a second conversion into the same output database.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace morvane::files {

class PathLock {
 public:
  // The claim on `path` (which need not exist yet), or nullopt when another
  // holder has it. Throws std::system_error when no claim can be made at all.
  static std::optional<PathLock> TryLock(const std::filesystem::path& path);

  PathLock(PathLock&& other) noexcept;
  PathLock& operator=(PathLock&& other) noexcept;
  PathLock(const PathLock&) = delete;
  PathLock& operator=(const PathLock&) = delete;
  ~PathLock();  // releases the claim

  // True when `path` names the file that this claim holds, so that a claim
  // of it would be refused by this one (false for an empty claim).
  bool Covers(const std::filesystem::path& path) const;

 private:
  PathLock() = default;  // the empty claim
  void Release() noexcept;

  int fd_ = -1;         // the lock file, locked
  int folder_fd_ = -1;  // its folder
  std::string created_;  // the lock file's name, when this claim made it
};

}  // namespace morvane::files
