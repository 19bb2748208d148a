// An exclusive claim on a path, held by one process at a time: a second
// claim on the same file, from this process or another, is refused at once.
//
// The claim is a Unix socket bound in the abstract namespace under a digest
// of the path's canonical form (symbolic links and "." resolved, letter case
// ignored as everywhere in Morvane), so it leaves no file behind and the
// system drops it when the process ends, however it ends. It does not keep
// anything from opening the file: it is for cooperating programs, such as a
// second conversion into the same output database.
#pragma once

#include <filesystem>
#include <optional>

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

 private:
  explicit PathLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace morvane::files
