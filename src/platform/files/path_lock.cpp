#include "platform/files/path_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <system_error>

#include "platform/files/files.h"
#include "platform/files/link_target.h"
#include "platform/text/text.h"

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

// FNV-1a, 64 bits: for a name too long to carry into the lock file's name.
std::uint64_t Digest(const std::string& text) {
  std::uint64_t h = 14695981039346656037ULL;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

// Where the lock file of `path` stands: in the folder of the file itself,
// named after the file's name in lower case.
struct LockFile {
  fs::path folder;
  std::string name;
};

LockFile LockFileOf(const fs::path& path) {
  std::error_code ec;
  const fs::path file = fs::absolute(LinkTarget(ResolveForWrite(path)), ec);
  if (ec) throw std::system_error(ec, "cannot claim " + path.string());
  fs::path folder = fs::weakly_canonical(file.parent_path(), ec);
  if (ec) folder = file.parent_path().lexically_normal();
  const std::string name = text::ToLower(file.filename().string());
  std::string lock_name = "." + name + ".lock";
  if (lock_name.size() > NAME_MAX) {
    char digest[24];
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(Digest(name)));
    lock_name = std::string(".") + digest + ".lock";
  }
  return {folder, lock_name};
}

// True when `name` in the folder `folder_fd` is the file open as `fd`.
bool SameFile(int fd, int folder_fd, const std::string& name) {
  struct stat held {};
  struct stat named {};
  return ::fstat(fd, &held) == 0 && ::fstatat(folder_fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

[[noreturn]] void Fail(int error, const LockFile& lock) {
  throw std::system_error(error, std::generic_category(), "cannot claim " + (lock.folder / lock.name).string());
}

enum class Opened { kCreated, kFound, kVanished, kUnwritable };

// Opens the lock file, creating it when it is missing. Read-only is enough
// for flock, and a link in its place is never followed.
Opened OpenLockFile(int folder_fd, const LockFile& lock, int& fd) {
  constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC;
  fd = ::openat(folder_fd, lock.name.c_str(), kFlags | O_CREAT | O_EXCL, 0644);
  if (fd >= 0) return Opened::kCreated;
  const int create_error = errno;
  const bool unwritable = create_error == EACCES || create_error == EROFS || create_error == EPERM;
  if (create_error != EEXIST && !unwritable) Fail(create_error, lock);
  fd = ::openat(folder_fd, lock.name.c_str(), kFlags);
  if (fd >= 0) return Opened::kFound;
  const int open_error = errno;
  if (open_error == ENOENT) return unwritable ? Opened::kUnwritable : Opened::kVanished;
  if (unwritable && open_error == EACCES) return Opened::kUnwritable;
  Fail(open_error, lock);
}

// The outcome of taking the lock in a folder.
struct Taken {
  enum class Kind { kHeld, kRefused, kUnwritable } kind;
  int fd = -1;
  bool created = false;
};

Taken LockIn(int folder_fd, const LockFile& lock) {
  // Each turn that fails lost a race with a holder that was deleting the
  // lock file; a few turns are plenty.
  constexpr int kTurns = 100;
  for (int turn = 0; turn < kTurns; ++turn) {
    int fd = -1;
    const Opened opened = OpenLockFile(folder_fd, lock, fd);
    if (opened == Opened::kUnwritable) return {Taken::Kind::kUnwritable};
    if (opened == Opened::kVanished) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) return {Taken::Kind::kRefused};
      Fail(error, lock);
    }
    // Its last holder may have deleted it between the open and the lock.
    if (SameFile(fd, folder_fd, lock.name)) return {Taken::Kind::kHeld, fd, opened == Opened::kCreated};
    ::close(fd);
  }
  Fail(EAGAIN, lock);
}

}  // namespace

std::optional<PathLock> PathLock::TryLock(const fs::path& path) {
  const LockFile lock = LockFileOf(path);
  // Held open, so that the lock file is found again however the folder is
  // renamed or reached meanwhile.
  const int folder_fd = ::open(lock.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR || errno == EACCES) return PathLock();
    Fail(errno, lock);
  }
  PathLock claim;
  claim.folder_fd_ = folder_fd;  // closed by the claim from here on
  const Taken taken = LockIn(folder_fd, lock);
  if (taken.kind == Taken::Kind::kRefused) return std::nullopt;
  if (taken.kind == Taken::Kind::kUnwritable) return PathLock();
  claim.fd_ = taken.fd;
  if (taken.created) claim.created_ = lock.name;
  return claim;
}

bool PathLock::Covers(const fs::path& path) const {
  if (fd_ < 0) return false;
  try {
    const LockFile lock = LockFileOf(path);
    return SameFile(fd_, AT_FDCWD, (lock.folder / lock.name).string());
  } catch (const std::system_error&) {
    return false;
  }
}

void PathLock::Release() noexcept {
  if (fd_ >= 0) {
    // Deleted while still held: a process that opened it meanwhile finds,
    // once it holds the lock, that the name no longer leads to it.
    if (!created_.empty() && SameFile(fd_, folder_fd_, created_)) ::unlinkat(folder_fd_, created_.c_str(), 0);
    ::close(fd_);
  }
  if (folder_fd_ >= 0) ::close(folder_fd_);
  fd_ = folder_fd_ = -1;
  created_.clear();
}

PathLock::PathLock(PathLock&& other) noexcept
    : fd_(other.fd_), folder_fd_(other.folder_fd_), created_(std::move(other.created_)) {
  other.fd_ = other.folder_fd_ = -1;
  other.created_.clear();
}

PathLock& PathLock::operator=(PathLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    folder_fd_ = other.folder_fd_;
    created_ = std::move(other.created_);
    other.fd_ = other.folder_fd_ = -1;
    other.created_.clear();
  }
  return *this;
}

PathLock::~PathLock() { Release(); }

}  // namespace morvane::files
