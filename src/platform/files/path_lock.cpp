#include "platform/files/path_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/files/files.h"

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

// FNV-1a, 64 bits: the socket name must be short, the path may be long.
std::uint64_t Digest(const std::string& text, std::uint64_t seed) {
  std::uint64_t h = seed;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

std::string ClaimName(const fs::path& path) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(fs::absolute(ResolveForWrite(path), ec), ec);
  if (ec) canonical = fs::absolute(path, ec).lexically_normal();
  // Without regard to case, as Morvane matches every path: two spellings of
  // one output database are refused even while the file is being replaced.
  const std::string key = text::ToLower(canonical.string());
  char name[64];
  std::snprintf(name, sizeof name, "morvane-claim-%016llx%016llx",
                static_cast<unsigned long long>(Digest(key, 14695981039346656037ULL)),
                static_cast<unsigned long long>(Digest(key, 0x9e3779b97f4a7c15ULL)));
  return name;
}

}  // namespace

std::optional<PathLock> PathLock::TryLock(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "cannot claim " + path.string());
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string name = ClaimName(path);
  // A leading zero byte puts the name in the abstract namespace.
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) return PathLock(fd);
  const int error = errno;
  ::close(fd);
  if (error == EADDRINUSE) return std::nullopt;
  throw std::system_error(error, std::generic_category(), "cannot claim " + path.string());
}

PathLock::PathLock(PathLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

PathLock& PathLock::operator=(PathLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

PathLock::~PathLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace morvane::files
