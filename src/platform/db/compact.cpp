#include "platform/db/compact.h"

#include <sqlite3.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <system_error>

#include "platform/db/error.h"
#include "platform/db/internal/open_files.h"
#include "platform/db/internal/paths.h"
#include "platform/files/files.h"

namespace morvane::db {
namespace fs = std::filesystem;
namespace {

bool AnythingAt(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

void RemoveQuietly(const fs::path& p) noexcept {
  std::error_code ec;
  fs::remove(p, ec);
}

fs::path JournalOf(const fs::path& p) { return fs::path(p.string() + "-journal"); }

// The existing, closed database file that `path` names.
fs::path SourceFile(const fs::path& path) {
  internal::RefuseSpecialName(path);
  const auto found = files::Resolve(path);
  std::error_code ec;
  if (!found || !fs::is_regular_file(*found, ec)) throw Error("database file not found: " + path.string());
  if (internal::OpenFiles::Contains(internal::FileIdentity(*found)))
    throw Error("the database is still open; close it before compacting: " + found->string());
  return fs::absolute(*found);
}

// Copies `source` into the new file `destination` with SQLite's VACUUM INTO:
// every table is rewritten in row id order, with its indexes.
void Vacuum(const fs::path& source, const fs::path& destination) {
  try {
    // Read and write: a journal left by a crash is rolled back first.
    SQLite::Database db(source.string(), SQLITE_OPEN_READWRITE, 5000);
    db.exec("SELECT count(*) FROM sqlite_schema");
    SQLite::Statement vacuum(db, "VACUUM INTO ?1");
    vacuum.bind(1, destination.string());
    vacuum.exec();
  } catch (const SQLite::Exception& e) {
    throw Error(std::string(e.what()) + ": " + source.string());
  }
}

}  // namespace

void CompactDatabase(const fs::path& source, const fs::path& destination,
                     std::string_view /*locale*/) {
  const fs::path from = SourceFile(source);
  internal::RefuseSpecialName(destination);
  const fs::path to = fs::absolute(files::ResolveForWrite(destination));
  if (files::Resolve(destination) || AnythingAt(to))
    throw Error("a file already exists at " + to.string());
  std::error_code ec;
  if (!fs::is_directory(to.parent_path(), ec))
    throw Error("the folder does not exist: " + to.parent_path().string());
  // A journal without its database would be taken for the new file's own.
  RemoveQuietly(JournalOf(to));
  try {
    Vacuum(from, to);
    // VACUUM INTO does not flush its output.
    internal::SyncPath(to, false);
    internal::SyncPath(to.parent_path(), true);
  } catch (...) {
    RemoveQuietly(to);
    RemoveQuietly(JournalOf(to));
    throw;
  }
}

void CompactInPlace(const fs::path& path, const fs::path& temporary, std::string_view locale) {
  const fs::path original = SourceFile(path);
  internal::RefuseSpecialName(temporary);
  const fs::path temp = fs::absolute(files::ResolveForWrite(temporary));
  if (internal::FileIdentity(temp) == internal::FileIdentity(original))
    throw Error("the temporary file must not be the database itself: " + temp.string());
  try {
    files::RemoveFileIfExists(temp);
    files::RemoveFileIfExists(JournalOf(temp));
  } catch (const fs::filesystem_error& e) {
    throw Error(std::string("cannot remove the old temporary file (") + e.code().message() +
                "): " + temp.string());
  }
  CompactDatabase(original, temp, locale);
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
}

}  // namespace morvane::db
