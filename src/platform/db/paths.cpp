#include "platform/db/internal/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/db/error.h"
#include "platform/files/files.h"

namespace morvane::db::internal {

void RefuseSpecialName(const std::filesystem::path& path) {
  const std::string s = path.string();
  std::string head = s.substr(0, 5);
  for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (s.empty()) throw Error("no database file was named");
  if (s == ":memory:" || head == "file:")
    throw Error("not a database file name: " + s);
}

std::filesystem::path ExistingDatabaseFile(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  RefuseSpecialName(path);
  const auto found = files::Resolve(path);
  if (!found) throw Error("database file not found: " + path.string());
  std::error_code ec;
  if (!fs::is_regular_file(*found, ec)) throw Error("not a database file: " + found->string());
  if (fs::file_size(*found, ec) == 0 && !ec)
    throw Error("the file is empty, not a database: " + found->string());
  return fs::absolute(*found);
}

std::filesystem::path NewFileTarget(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  RefuseSpecialName(path);
  const fs::path target = files::ResolveForWrite(path);
  std::error_code ec;
  if (files::Resolve(path) || fs::exists(fs::symlink_status(target, ec)))
    throw Error("a file already exists at " + target.string());
  const fs::path folder = target.parent_path();
  if (!folder.empty() && !fs::is_directory(folder, ec))
    throw Error("the folder does not exist: " + folder.string());
  return fs::absolute(target);
}

std::string FileIdentity(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0)
    return "file " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
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
