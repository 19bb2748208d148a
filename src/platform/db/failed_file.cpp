#include "platform/db/internal/failed_file.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace morvane::db::internal {

std::optional<DiskRoom> RoomOf(const std::filesystem::path& path) {
  struct stat st {};
  struct statvfs fs {};
  if (::stat(path.c_str(), &st) != 0 || ::statvfs(path.c_str(), &fs) != 0) return std::nullopt;
  return DiskRoom{static_cast<std::uint64_t>(st.st_dev),
                  static_cast<std::uint64_t>(fs.f_bavail) * static_cast<std::uint64_t>(fs.f_frsize)};
}

std::filesystem::path EngineTemporaryFolder() {
  const char* const candidates[] = {sqlite3_temp_directory, std::getenv("SQLITE_TMPDIR"),
                                    std::getenv("TMPDIR"), "/var/tmp", "/usr/tmp", "/tmp", "."};
  for (const char* folder : candidates) {
    struct stat st {};
    if (folder && ::stat(folder, &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder, W_OK | X_OK) == 0)
      return folder;
  }
  return {};
}

bool FullDiskInTemporaryFolder(const std::optional<DiskRoom>& database,
                               const std::optional<DiskRoom>& temporary) {
  return database && temporary && database->device != temporary->device &&
         temporary->available < kNoRoom && database->available >= kNoRoom;
}

void NameFailedFile(Error& error, sqlite3* handle) noexcept {
  try {
    const char* name = handle ? sqlite3_db_filename(handle, "main") : nullptr;
    if (!name || !*name) return;
    const std::filesystem::path database = name;
    if (error.DiskFull()) {
      const std::filesystem::path temporary = EngineTemporaryFolder();
      if (!temporary.empty() && FullDiskInTemporaryFolder(RoomOf(database), RoomOf(temporary))) {
        error.SetFile(std::filesystem::absolute(temporary).string(), /*temporary_folder=*/true);
        return;
      }
    }
    error.SetFile(database.string());
  } catch (...) {  // no memory for the name: the error goes on without it
  }
}

}  // namespace morvane::db::internal
