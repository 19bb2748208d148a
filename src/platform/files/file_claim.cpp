#include "platform/files/file_claim.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace morvane::files {
namespace {

// SQLite's unix locks lie between 1 GiB and 1 GiB + 512 bytes; this byte is
// far from them, and no file reaches it.
constexpr off_t kClaimByte = off_t{1} << 62;

[[noreturn]] void Fail(int error, const std::filesystem::path& file) {
  throw std::system_error(error, std::generic_category(), "cannot claim " + file.string());
}

}  // namespace

std::optional<FileClaim> FileClaim::TryTake(const std::filesystem::path& file) {
  // Non-blocking, so that a named pipe in its place does not wait for a writer.
  const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) Fail(errno, file);
  FileClaim claim(fd);  // closes it on every way out
  struct stat st {};
  if (::fstat(fd, &st) != 0) Fail(errno, file);
  if (!S_ISREG(st.st_mode)) Fail(EINVAL, file);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = kClaimByte;
  lock.l_len = 1;
  if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    if (errno == EAGAIN || errno == EACCES) return std::nullopt;
    Fail(errno, file);
  }
  return claim;
}

bool FileClaim::Covers(const std::filesystem::path& path) const {
  struct stat held {};
  struct stat named {};
  return fd_ >= 0 && ::fstat(fd_, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

void FileClaim::Release() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

FileClaim::FileClaim(FileClaim&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

FileClaim& FileClaim::operator=(FileClaim&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

FileClaim::~FileClaim() { Release(); }

}  // namespace morvane::files
