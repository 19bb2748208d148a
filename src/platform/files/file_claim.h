// An exclusive claim on an existing file itself, held by one holder at a
// time: a second claim on the same file, from this process or another, is
// refused at once, under every name the file has (a hard link in another
// folder, a symbolic link, a bind mount, another letter case).
//
// The claim is an open-file-description lock (F_OFD_SETLK) on one byte far
// beyond any that SQLite locks (it locks bytes from 1 GiB on), so the file
// stays free for the database engine, in this process and in others, and the
// claim needs no file of its own: a folder where no file may be made, or a
// database whose -wal and -shm files stand there already, is claimed all the
// same. The system drops the lock when the process ends, however it ends.
//
// Ownership: the claim holds the file open for writing. Closing a file
// drops the process's SQLite (POSIX) locks on it, so a claim must be
// released only while no database connection of this process has that file
// open: take claims before the databases are opened and release them after
// they are closed.
//
// It does not keep anything from opening the file: it is for cooperating
// programs, such as two conversions that would write one antenna-site
// database side by side.
#pragma once

#include <filesystem>
#include <optional>

namespace morvane::files {

class FileClaim {
 public:
  // The claim on the regular file at `file`, or nullopt when another holder
  // has it. Throws std::system_error when it cannot be claimed at all (it is
  // missing, not a regular file, or may not be opened for writing); the
  // message names the file.
  static std::optional<FileClaim> TryTake(const std::filesystem::path& file);

  FileClaim(FileClaim&& other) noexcept;
  FileClaim& operator=(FileClaim&& other) noexcept;
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;
  ~FileClaim();  // releases the claim

  // True when `path` names the file that this claim holds.
  bool Covers(const std::filesystem::path& path) const;

 private:
  explicit FileClaim(int fd) : fd_(fd) {}
  void Release() noexcept;

  int fd_ = -1;
};

}  // namespace morvane::files
