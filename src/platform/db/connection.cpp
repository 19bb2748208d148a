#include "platform/db/internal/connection.h"

#include <algorithm>
#include <optional>

#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/engine_setup.h"
#include "platform/db/internal/open_files.h"
#include "platform/db/internal/paths.h"
#include "platform/db/internal/workspace_impl.h"

namespace morvane::db::internal {
namespace {

// Another process may read the file for a moment (a backup, a viewer).
constexpr int kBusyTimeoutMs = 5000;

// Page cache of about 4 MiB per open file (a negative size counts KiB), so
// memory stays flat however large the export. A group of commits that
// outgrows it is written to the file before its real commit; the rollback
// journal keeps the file consistent until then, and the run takes no longer
// (measured at 4, 8 and 32 MiB). These belong to the connection: nothing of
// them is stored in the file.
constexpr const char* kConnectionSettings =
    "PRAGMA synchronous=FULL;"     // real commits are rare: make each durable
    "PRAGMA cache_size=-4096;"
    "PRAGMA temp_store=FILE;";     // snapshots live on disk, not in memory

// The run's own file only: a journal mode is stored in the file (WAL), and a
// user's database keeps the one its owner chose.
constexpr const char* kOwnFileSettings = "PRAGMA journal_mode=DELETE;";  // no side files once closed

int OpenFlags(bool create, Access access) {
  // A workspace is used by one thread only (workspace.h), so the connection
  // needs no lock of its own around every call.
  if (access == Access::kUserRead) return SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
  return SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
}

std::unique_ptr<SQLite::Database> OpenFile(const std::filesystem::path& path, bool create, Access access) {
  SetUpEngine();
  auto db = std::make_unique<SQLite::Database>(path.string(), OpenFlags(create, access), kBusyTimeoutMs);
  // Reading the schema makes SQLite look at the file: a file that is not a
  // database is refused here rather than at its first use.
  db->exec("SELECT count(*) FROM sqlite_schema");
  if (access == Access::kOwn) db->exec(kOwnFileSettings);
  db->exec(kConnectionSettings);
  // A user's file that cannot be written now (read-only, another program
  // holds its write lock, or its folder will not take the rollback journal
  // that SQLite writes beside it) is refused before the run changes
  // anything. The probe changes a page, which makes SQLite open the journal,
  // and is rolled back: the file stays as it is.
  if (access == Access::kUserWrite) {
    db->exec("BEGIN IMMEDIATE");
    const int version = db->execAndGet("PRAGMA user_version").getInt();
    db->exec("PRAGMA user_version=" + std::to_string(version));
    db->exec("ROLLBACK");
    // A file that it may not write SQLite opens read-only without a word, and
    // begins even an immediate transaction on it as a read.
    if (sqlite3_db_readonly(db->getHandle(), "main") == 1)
      throw SQLite::Exception("attempt to write a readonly database", SQLITE_READONLY);
  }
  // Writes the file header, so that a new database is a database file from
  // its first moment (SQLite would otherwise leave it empty).
  if (create) db->exec("PRAGMA user_version=0");
  return db;
}

}  // namespace

Connection::Connection(Workspace::Impl* workspace, std::filesystem::path path, bool create, Access access)
    : workspace_(workspace), path_(std::move(path)), read_only_(access == Access::kUserRead) {
  try {
    db_ = OpenFile(path_, create, access);
  } catch (const SQLite::Exception& e) {
    throw Error(std::string(e.what()) + ": " + path_.string(), {}, {}, e.getExtendedErrorCode());
  }
  identity_ = FileIdentity(path_);
  OpenFiles::Add(identity_);
}

Connection::~Connection() {
  try {
    Close();
  } catch (...) {
  }
}

Statement& Connection::Cached(StatementPtr& slot, const std::string& sql) {
  if (!slot) slot = Prepare(*db_, sql);
  return *slot;
}

void Connection::Run(StatementPtr& slot, const std::string& sql) {
  Statement& s = Cached(slot, sql);
  try {
    Step(s);
  } catch (...) {
    Resynchronise();
    throw;
  }
  Reset(s);
}

Statement& Connection::SavepointStatement(std::vector<StatementPtr>& slots,
                                                  const char* verb, int level) {
  if (slots.size() < static_cast<std::size_t>(level)) slots.resize(level);
  return Cached(slots[level - 1], std::string(verb) + " morvane_level_" + std::to_string(level));
}

void Connection::BeforeWrite() {
  if (!IsOpen() || !workspace_) throw Error("the database is closed: " + path_.string());
  workspace_->Join(*this, /*single_insert=*/false);
}

void Connection::BeforeInsert(const std::string& table, const std::string& rowid) {
  if (!IsOpen() || !workspace_) throw Error("the database is closed: " + path_.string());
  workspace_->Join(*this, /*single_insert=*/true);
  if (pending_.active) {
    pending_.table = table;
    pending_.rowid = rowid;
  }
}

void Connection::AfterWrite(std::size_t rows) {
  ++change_count_;
  wrote_in_group_ = true;
  if (pending_.active) {
    pending_.id = sqlite3_last_insert_rowid(handle());
    std::swap(deferred_, pending_);
    pending_.active = false;
  }
  if (workspace_) workspace_->Wrote(*this, rows);
}

void Connection::BeginGroup() {
  if (in_group_) return;
  Run(begin_, "BEGIN IMMEDIATE");
  in_group_ = true;
}

void Connection::BeginReading() {
  if (!IsOpen() || !workspace_) return;
  // Deferred: a read takes no write lock; the first write upgrades it.
  Run(begin_reading_, "BEGIN DEFERRED");
  in_group_ = true;
}

void Connection::CommitGroup() {
  if (group_lost_) {
    group_lost_ = false;
    Error lost("after an earlier error the engine rolled back the changes since the last "
               "real commit; they are not in the file: " + path_.string(), {}, {}, lost_code_);
    lost.SetFile(path_.string());
    throw lost;
  }
  if (!in_group_) return;
  Run(commit_, "COMMIT");
  in_group_ = false;
  wrote_in_group_ = false;
  // The file is unlocked now: another process may change a row that a
  // recordset read before, so no row read so far counts as current.
  ++change_count_;
}

void Connection::JoinLevels(int depth, bool single_insert) {
  pending_.active = false;
  if (deferred_.active) {
    // A second write in the level of a lone inserted row: the savepoint
    // comes now, and a rollback of the level deletes that row itself.
    OpenSavepoint();
    deferred_.active = false;
    inserted_before_savepoint_[joined_depth_] = deferred_;
  }
  const int savepoints = single_insert && depth > joined_depth_ ? depth - 1 : depth;
  while (joined_depth_ < savepoints) OpenSavepoint();
  if (joined_depth_ < depth) {
    pending_.active = true;
    pending_.level = depth;
  }
}

void Connection::CommitLevel(int level) {
  if (deferred_.active && deferred_.level == level) {
    deferred_.active = false;  // the row now belongs to the level below, or to the group
    return;
  }
  if (joined_depth_ != level) return;
  inserted_before_savepoint_.erase(level);
  ReleaseSavepoint();
}

void Connection::RollbackLevel(int level) {
  ++change_count_;
  if (deferred_.active && deferred_.level == level) {
    deferred_.active = false;
    DeleteRow(deferred_);
    return;
  }
  if (joined_depth_ != level) return;
  const auto early = inserted_before_savepoint_.find(level);
  if (early == inserted_before_savepoint_.end()) {
    RollbackSavepoint();
    return;
  }
  const InsertedRow row = early->second;
  inserted_before_savepoint_.erase(early);
  RollbackSavepoint();
  DeleteRow(row);
}

void Connection::DeleteRow(const InsertedRow& row) {
  StatementPtr remove;
  Statement& s =
      Cached(remove, "DELETE FROM " + row.table + " WHERE " + row.rowid + " = ?1");
  s.bind(1, static_cast<int64_t>(row.id));
  Step(s);
  Reset(s);
}

void Connection::OpenSavepoint() {
  Statement& s = SavepointStatement(savepoint_, "SAVEPOINT", joined_depth_ + 1);
  Step(s);
  Reset(s);
  ++joined_depth_;
}

void Connection::ReleaseSavepoint() {
  Statement& s = SavepointStatement(release_, "RELEASE", joined_depth_);
  Step(s);
  Reset(s);
  NotifyReleased(joined_depth_);
  --joined_depth_;
}

void Connection::RollbackSavepoint() {
  const int level = joined_depth_;
  Statement& undo = SavepointStatement(rollback_to_, "ROLLBACK TO", level);
  Step(undo);
  Reset(undo);
  NotifyRolledBack(level);
  ReleaseSavepoint();
}

void Connection::Resynchronise() noexcept {
  ++change_count_;
  pending_.active = false;  // the write failed: a statement adds nothing when it fails
  if (IsOpen() && sqlite3_get_autocommit(handle())) {
    if (in_group_ && wrote_in_group_ && !group_lost_) {
      group_lost_ = true;
      lost_code_ = sqlite3_extended_errcode(handle());
    }
    in_group_ = false;
    wrote_in_group_ = false;
    joined_depth_ = 0;
    deferred_.active = false;
    inserted_before_savepoint_.clear();
  }
}

void Connection::AddHandle(Database::Impl* handle) { handles_.push_back(handle); }

void Connection::RemoveHandle(Database::Impl* handle) {
  handles_.erase(std::remove(handles_.begin(), handles_.end(), handle), handles_.end());
}

void Connection::NotifyRolledBack(int level) noexcept {
  for (Database::Impl* handle : handles_)
    for (Cursor* cursor : handle->cursors) cursor->RolledBack(level);
}

void Connection::NotifyReleased(int level) noexcept {
  for (Database::Impl* handle : handles_)
    for (Cursor* cursor : handle->cursors) cursor->Released(level);
}

void Connection::Close() {
  if (!IsOpen()) return;
  std::optional<Error> failure;
  try {
    // Undo the logical transactions that are still open, innermost first.
    while (InTransaction()) RollbackLevel(deferred_.active ? deferred_.level : joined_depth_);
    CommitGroup();
  } catch (const Error& e) {
    failure = e;
    if (!sqlite3_get_autocommit(handle())) sqlite3_exec(handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
  const auto handles = handles_;
  for (Database::Impl* handle : handles) handle->Detach();
  handles_.clear();
  begin_.reset();
  begin_reading_.reset();
  commit_.reset();
  savepoint_.clear();
  release_.clear();
  rollback_to_.clear();
  db_.reset();
  OpenFiles::Remove(identity_);
  in_group_ = false;
  joined_depth_ = 0;
  pending_.active = false;
  deferred_.active = false;
  inserted_before_savepoint_.clear();
  workspace_ = nullptr;
  if (failure) {
    // Named as it was (the file, or the temporary folder its full disk was in).
    Error unsaved("the last changes could not be saved (" + std::string(failure->what()) + "): " +
                      path_.string(), {}, {}, failure->code());
    unsaved.SetFile(failure->file().empty() ? path_.string() : failure->file(),
                    failure->InTemporaryFolder());
    throw unsaved;
  }
}

}  // namespace morvane::db::internal
