#include "platform/files/files.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <system_error>

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

std::string ErrorText(int error) {
  std::string text = std::generic_category().message(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

// The attributes that the file system itself keeps on `path` (chattr's),
// opened without following a link and without blocking; nullopt where they
// cannot be told: the file system keeps none, or `path` may not be opened.
std::optional<int> AttributeFlags(const fs::path& path, int open_flags) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | open_flags);
  if (fd < 0) return std::nullopt;
  int flags = 0;
  const int got = ::ioctl(fd, FS_IOC_GETFLAGS, &flags);
  ::close(fd);
  if (got != 0) return std::nullopt;
  return flags;
}

std::string AttributeName(int flags) {
  return (flags & FS_IMMUTABLE_FL) != 0 ? "immutable" : "append-only";
}

Located Found(fs::path path) { return {Located::Kind::kFound, std::move(path), {}}; }
Located Missing() { return {}; }
Located Unreachable(std::string reason) { return {Located::Kind::kUnreachable, {}, std::move(reason)}; }

// Whether something stands at `p` itself (a link counts, wherever it leads).
// The file system answers "no" only for what is not there; any other error
// (a folder on the way that may not be searched) leaves it unknown.
Located LookAt(const fs::path& p) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(p, ec);
  if (status.type() == fs::file_type::not_found) return Missing();  // ec is set for it too
  if (ec) return Unreachable(ErrorText(ec.value()) + " on the way to " + p.string());
  return Found(p);
}

// The one entry of `folder` whose name equals `name` without regard to case.
Located MatchInFolder(const fs::path& folder, const std::string& name) {
  const fs::path where = folder.empty() ? fs::path(".") : folder;
  std::error_code ec;
  fs::directory_iterator it(where, ec);
  if (ec) {
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) return Missing();
    return Unreachable(ErrorText(ec.value()) + " on the folder " + where.string());
  }
  std::optional<std::string> found;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (!text::EqualsIgnoreCase(candidate, name)) continue;
    if (found)
      return Unreachable("the folder " + where.string() + " holds both " + *found + " and " + candidate +
                         ", whose names differ only in letter case");
    found = candidate;
  }
  if (ec) return Unreachable(ErrorText(ec.value()) + " on the folder " + where.string());
  return found ? Found(folder / *found) : Missing();
}

std::string Normalise(const fs::path& path) {
  std::string s = path.string();
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

}  // namespace

fs::path FromSetting(const std::string& text) {
  std::string s = text;
  std::replace(s.begin(), s.end(), '\\', '/');
  return fs::path(s);
}

Located Locate(const fs::path& path) {
  const fs::path p(Normalise(path));
  if (p.empty()) return Missing();
  if (Located as_written = LookAt(p); as_written.kind == Located::Kind::kFound) return as_written;

  fs::path resolved = p.root_path();
  for (const auto& component : p.relative_path()) {
    const std::string name = component.string();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      resolved /= component;
      continue;
    }
    Located next = LookAt(resolved / component);
    if (next.kind == Located::Kind::kMissing) next = MatchInFolder(resolved, name);
    if (next.kind != Located::Kind::kFound) return next;
    resolved = std::move(next.path);
  }
  return Found(resolved);
}

std::optional<fs::path> Resolve(const fs::path& path) {
  Located located = Locate(path);
  if (located.kind != Located::Kind::kFound) return std::nullopt;
  return std::move(located.path);
}

fs::path ResolveForWrite(const fs::path& path) {
  const fs::path p(Normalise(path));
  if (auto whole = Resolve(p)) return *whole;
  const fs::path folder = p.parent_path();
  if (folder.empty()) return p;
  if (auto resolved_folder = Resolve(folder)) return *resolved_folder / p.filename();
  return p;
}

bool FileExists(const fs::path& path) {
  auto resolved = Resolve(path);
  std::error_code ec;
  return resolved && fs::is_regular_file(*resolved, ec);
}

namespace {

std::string KindInWords(fs::file_type type) {
  switch (type) {
    case fs::file_type::regular: return "";
    case fs::file_type::directory: return "is a folder, not a file";
    case fs::file_type::fifo: return "is a named pipe (FIFO), not a file";
    case fs::file_type::socket: return "is a socket, not a file";
    case fs::file_type::block:
    case fs::file_type::character: return "is a device, not a file";
    default: return "is not a regular file";
  }
}

}  // namespace

std::string NotARegularFile(const fs::path& path) {
  const Located located = Locate(path);
  if (located.kind == Located::Kind::kMissing) return "was not found";
  if (located.kind == Located::Kind::kUnreachable) return "cannot be reached: " + located.reason;
  const fs::path& p = located.path;
  std::error_code ec;
  const auto own = fs::symlink_status(p, ec);
  if (own.type() == fs::file_type::not_found) return "was not found";
  if (ec) return ErrorText(ec.value());
  if (own.type() != fs::file_type::symlink) return KindInWords(own.type());
  const auto target = fs::status(p, ec);
  if (target.type() == fs::file_type::not_found)
    return "is a symbolic link to " + fs::read_symlink(p, ec).string() + ", which does not exist";
  if (ec) return ErrorText(ec.value());
  return KindInWords(target.type());
}

std::string FolderNotWritable(const fs::path& folder) {
  const fs::path p = folder.empty() ? fs::path(".") : folder;
  std::error_code ec;
  if (!fs::is_directory(p, ec)) {
    return fs::exists(p, ec) ? ErrorText(ENOTDIR) : ErrorText(ENOENT);
  }
  // AT_EACCESS: the identity that the process's own file operations use.
  if (::faccessat(AT_FDCWD, p.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return ErrorText(errno);
  return "";
}

std::string NotReadable(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return ErrorText(errno);
  ::close(fd);
  return "";
}

std::string RemovalBarredByAttribute(const fs::path& path) {
  constexpr int kBarring = FS_IMMUTABLE_FL | FS_APPEND_FL;
  struct stat entry {};
  if (::lstat(path.c_str(), &entry) != 0) return "";
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  // Only a regular file is opened: opening a device may act on it. A link
  // keeps no attributes of its own.
  if (S_ISREG(entry.st_mode)) {
    if (const auto flags = AttributeFlags(path, 0); flags && (*flags & kBarring) != 0)
      return "the file system's " + AttributeName(*flags) + " attribute is set on it";
  }
  // The folder's own attributes, not a link's: an export folder reached
  // through a symbolic link keeps them where the link leads.
  std::error_code ec;
  fs::path real = fs::canonical(folder, ec);
  if (ec) real = folder;
  if (const auto flags = AttributeFlags(real, O_DIRECTORY); flags && (*flags & kBarring) != 0)
    return "the file system's " + AttributeName(*flags) + " attribute is set on its folder " + real.string() +
           ", so nothing in that folder may be removed";
  return "";
}

std::string NotRemovable(const fs::path& path) {
  struct stat entry {};
  if (::lstat(path.c_str(), &entry) != 0) return "";
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  if (std::string why = FolderNotWritable(folder); !why.empty()) return why + " on the folder " + folder.string();
  struct stat parent {};
  if (::stat(folder.c_str(), &parent) != 0) return ErrorText(errno) + " on the folder " + folder.string();
  if ((parent.st_mode & S_ISVTX) == 0) return "";
  // An invalid id changes nothing and returns the thread's file-system user.
  const auto user = static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1)));
  if (user == 0 || user == entry.st_uid || user == parent.st_uid) return "";
  return "it belongs to another user, and its folder " + folder.string() +
         " lets only a file's owner remove it (the folder is shared: its sticky bit is set)";
}

bool MayWrite(const fs::path& path) { return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0; }

std::int64_t FileLength(const fs::path& path) {
  const fs::path p = Resolve(path).value_or(fs::path(Normalise(path)));
  return static_cast<std::int64_t>(fs::file_size(p));
}

text::DateTime ModificationTime(const fs::path& path) {
  const fs::path p = Resolve(path).value_or(fs::path(Normalise(path)));
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) {
    throw fs::filesystem_error("cannot read the file's date",
                               p, std::error_code(errno, std::generic_category()));
  }
  std::tm local{};
  localtime_r(&st.st_mtime, &local);
  return text::DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour,        local.tm_min,     local.tm_sec};
}

void RemoveFileIfExists(const fs::path& path) {
  const fs::path p = Resolve(path).value_or(fs::path(Normalise(path)));
  std::error_code ec;
  const auto status = fs::symlink_status(p, ec);
  if (ec || !fs::exists(status)) return;
  if (fs::is_directory(status)) {
    throw fs::filesystem_error("a folder stands where a file is expected", p,
                               std::make_error_code(std::errc::is_a_directory));
  }
  fs::remove(p);  // throws filesystem_error on failure
}

}  // namespace morvane::files
