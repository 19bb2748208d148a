#include "platform/db/compact.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "platform/db/error.h"
#include "platform/db/internal/engine_setup.h"
#include "platform/db/internal/open_files.h"
#include "platform/db/internal/paths.h"

namespace morvane::db {
namespace fs = std::filesystem;
namespace {

void RemoveQuietly(const fs::path& p) noexcept {
  std::error_code ec;
  fs::remove(p, ec);
}

fs::path JournalOf(const fs::path& p) { return fs::path(p.string() + "-journal"); }

// The existing, closed database file that `path` names.
fs::path SourceFile(const fs::path& path) {
  const fs::path found = internal::ExistingDatabaseFile(path);
  if (internal::OpenFiles::Contains(internal::FileIdentity(found)))
    throw Error("the database is still open; close it before compacting: " + found.string());
  return found;
}

// Copies `source` into the new file `destination` with SQLite's VACUUM INTO:
// every table is rewritten in row id order, with its indexes.
void Vacuum(const fs::path& source, const fs::path& destination, const KeepGoing& keep_going) {
  try {
    internal::SetUpEngine();
    // Read and write: a journal left by a crash is rolled back first.
    SQLite::Database db(source.string(), SQLITE_OPEN_READWRITE, 5000);
    db.exec("SELECT count(*) FROM sqlite_schema");
    if (keep_going) {
      constexpr int kStepsBetweenCalls = 1000;
      sqlite3_progress_handler(
          db.getHandle(), kStepsBetweenCalls,
          [](void* fn) { return (*static_cast<const KeepGoing*>(fn))() ? 0 : 1; },
          const_cast<KeepGoing*>(&keep_going));
    }
    SQLite::Statement vacuum(db, "VACUUM INTO ?1");
    vacuum.bind(1, destination.string());
    vacuum.exec();
  } catch (const SQLite::Exception& e) {
    throw Error(std::string(e.what()) + ": " + source.string());
  }
}

// True when `file` has no free pages and ends with its last page. Opened
// read and write as for the copy, so a journal left by a crash is rolled
// back before the pages are counted; reading changes nothing in the file.
bool AlreadyCompact(const fs::path& file) {
  try {
    SQLite::Database db(file.string(), SQLITE_OPEN_READWRITE, 5000);
    SQLite::Statement pages(db, "SELECT freelist_count, page_count * page_size "
                                "FROM pragma_freelist_count, pragma_page_count, pragma_page_size");
    if (!pages.executeStep()) return false;
    const std::int64_t free_pages = pages.getColumn(0).getInt64();
    const std::int64_t used_bytes = pages.getColumn(1).getInt64();
    return free_pages == 0 && used_bytes == static_cast<std::int64_t>(fs::file_size(file));
  } catch (const SQLite::Exception& e) {
    throw Error(std::string(e.what()) + ": " + file.string());
  } catch (const fs::filesystem_error& e) {
    throw Error(std::string("cannot read the size of the database (") + e.code().message() +
                "): " + file.string());
  }
}

// Writes the copy into `to`, which this process made or checked was free,
// and flushes it; on failure `to` and any journal of it are removed.
void CopyInto(const fs::path& from, const fs::path& to, const KeepGoing& keep_going) {
  try {
    Vacuum(from, to, keep_going);
    // VACUUM INTO does not flush its output.
    internal::SyncPath(to, false);
    internal::SyncPath(to.parent_path(), true);
  } catch (...) {
    RemoveQuietly(to);
    RemoveQuietly(JournalOf(to));
    throw;
  }
}

// A new, empty file in `folder` that this call alone made: `plain` with six
// random characters before its extension, created exclusively (VACUUM INTO
// takes an empty file) and given `mode`. A name whose journal's name is
// taken is given back and another one drawn, so that everything the copy
// leaves behind on failure is its own.
fs::path CreateTemporary(const fs::path& folder, const fs::path& plain, mode_t mode) {
  const std::string suffix = plain.extension().string();
  const std::string pattern = (folder / (plain.stem().string() + "-XXXXXX" + suffix)).string();
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string made = pattern;
    const int fd = ::mkstemps(made.data(), static_cast<int>(suffix.size()));
    if (fd < 0)
      throw Error(std::string("cannot create a temporary file (") + std::strerror(errno) + "): " + pattern);
    const bool given_mode = ::fchmod(fd, mode) == 0;
    const int chmod_error = errno;
    ::close(fd);
    if (!given_mode) {
      RemoveQuietly(made);
      throw Error(std::string("cannot set the permissions of a temporary file (") +
                  std::strerror(chmod_error) + "): " + made);
    }
    struct stat journal {};
    if (::lstat(JournalOf(made).c_str(), &journal) != 0 && errno == ENOENT) return made;
    RemoveQuietly(made);
  }
  throw Error("no free name for a temporary file: " + pattern);
}

// The temporary file's name, which must name no folder.
fs::path PlainName(std::string_view name) {
  const fs::path plain(name);
  if (name.empty() || plain.has_parent_path() || plain == "." || plain == "..")
    throw Error("not a plain name for a temporary file: " + std::string(name));
  return plain;
}

mode_t PermissionsOf(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0)
    throw Error(std::string("cannot read the permissions of the database (") + std::strerror(errno) +
                "): " + file.string());
  return st.st_mode & 07777;
}

}  // namespace

void CompactDatabase(const fs::path& source, const fs::path& destination,
                     std::string_view /*locale*/, const KeepGoing& keep_going) {
  const fs::path from = SourceFile(source);
  const fs::path to = internal::NewFileTarget(destination);
  // A journal without its database would be taken for the new file's own.
  RemoveQuietly(JournalOf(to));
  CopyInto(from, to, keep_going);
}

bool CompactInPlace(const fs::path& path, std::string_view temporary_name, std::string_view /*locale*/,
                    const KeepGoing& keep_going) {
  const fs::path temporary_file_name = PlainName(temporary_name);
  // The file itself, not a symbolic link to it: the rename must replace the
  // file that the link points to.
  const fs::path original = fs::canonical(SourceFile(path));
  if (AlreadyCompact(original)) {
    if (keep_going && !keep_going()) throw Error("the compaction was cancelled: " + original.string());
    return false;
  }
  const fs::path temp = CreateTemporary(original.parent_path(), temporary_file_name, PermissionsOf(original));
  CopyInto(original, temp, keep_going);
  try {
    // rename() replaces the original in one step: at every moment one
    // complete database stands at `path`.
    fs::rename(temp, original);
  } catch (const fs::filesystem_error& e) {
    RemoveQuietly(temp);
    throw Error(std::string("cannot replace the database by its compacted copy (") +
                e.code().message() + "): " + original.string());
  }
  internal::SyncPath(original.parent_path(), true);
  return true;
}

}  // namespace morvane::db
