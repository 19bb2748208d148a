#include "platform/db/internal/paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/db/error.h"

namespace morvane::db::internal {

void RefuseSpecialName(const std::filesystem::path& path) {
  const std::string s = path.string();
  std::string head = s.substr(0, 5);
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (s.empty()) throw Error("no database file was named");
  if (s == ":memory:" || head == "file:")
    throw Error("not a database file name: " + s);
}

std::string FileIdentity(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
  if (ec) p = std::filesystem::absolute(path, ec);
  return (ec ? path : p).string();
}

void SyncPath(const std::filesystem::path& path, bool folder) {
  const int fd = ::open(path.c_str(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
  if (fd < 0) throw Error(std::string("cannot open for flushing (") + std::strerror(errno) + "): " + path.string());
  const int rc = ::fsync(fd);
  const int saved = errno;
  ::close(fd);
  if (rc != 0) throw Error(std::string("cannot flush to disk (") + std::strerror(saved) + "): " + path.string());
}

}  // namespace morvane::db::internal
