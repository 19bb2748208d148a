#include "platform/files/files.h"

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

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec)) && !ec;
}

// The one entry of `folder` whose name equals `name` without regard to case;
// nullopt when there is none or more than one.
std::optional<fs::path> MatchInFolder(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return std::nullopt;
  std::optional<fs::path> found;
  for (const auto& entry : it) {
    const std::string candidate = entry.path().filename().string();
    if (!text::EqualsIgnoreCase(candidate, name)) continue;
    if (found) return std::nullopt;  // ambiguous
    found = folder / candidate;
  }
  return found;
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

std::optional<fs::path> Resolve(const fs::path& path) {
  const fs::path p(Normalise(path));
  if (p.empty()) return std::nullopt;
  if (Exists(p)) return p;

  fs::path resolved = p.root_path();
  for (const auto& component : p.relative_path()) {
    const std::string name = component.string();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      resolved /= component;
      continue;
    }
    fs::path next = resolved / component;
    if (Exists(next)) {
      resolved = std::move(next);
      continue;
    }
    auto match = MatchInFolder(resolved, name);
    if (!match) return std::nullopt;
    resolved = *match;
  }
  return resolved;
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

std::string ErrorText(int error) {
  std::string text = std::generic_category().message(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

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
  const fs::path p = Resolve(path).value_or(fs::path(Normalise(path)));
  std::error_code ec;
  const auto own = fs::symlink_status(p, ec);
  if (ec || own.type() == fs::file_type::not_found) return "was not found";
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
  if (::access(p.c_str(), W_OK | X_OK) != 0) return ErrorText(errno);
  return "";
}

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
