// One open database file: the SQLite connection behind every Database handle
// that a workspace opened on that file.
//
// A workspace keeps one connection per file, so that two handles on the same
// file see each other's rows at once (the grouped commits of the workspace
// are not visible to a second connection). The connection also carries the
// file's part of the workspace's transactions: whether a real transaction
// (the group) is open, and how many of the workspace's logical transactions
// it has joined, each as one SAVEPOINT.
//
// A logical transaction whose only write so far is the insert of one row
// gets no savepoint: a savepoint costs two statements and a copy of every
// page the row touches, and the steps write most rows in a transaction of
// their own. One statement is atomic by itself, and the row it added is
// undone by deleting it again. Only a second write in the same transaction
// (or in one nested inside it) opens the savepoint, after that first row;
// a rollback then undoes the savepoint and deletes the row.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <map>

#include <SQLiteCpp/Database.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/internal/statement.h"
#include "platform/db/workspace.h"

namespace morvane::db::internal {

// A recordset, as the database that it reads sees it.
class Cursor {
 public:
  virtual ~Cursor() = default;
  // The database is closing: drop every statement and refuse further use.
  virtual void Detach() noexcept = 0;
  // The connection rolled back its savepoint of logical level `level`, or
  // released it into the level below.
  virtual void RolledBack(int /*level*/) noexcept {}
  virtual void Released(int /*level*/) noexcept {}
};

class Connection {
 public:
  // Opens `path` (which must exist unless `create`) as `access` says
  // (Workspace's Access); sets the sync and cache settings of the connection,
  // and the journal mode of the run's own file only; refuses a file that is
  // not a database. Its identity (FileIdentity) is taken once the file is
  // open, so that a file it creates counts as the file it then is.
  Connection(Workspace::Impl* workspace, std::filesystem::path path, bool create,
             Access access = Access::kOwn);
  ~Connection();  // as Close(), errors ignored
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool IsOpen() const { return db_ != nullptr; }
  bool read_only() const { return read_only_; }
  const SQLite::Database& db() const { return *db_; }
  sqlite3* handle() const { return db_->getHandle(); }
  const std::filesystem::path& path() const { return path_; }
  const std::string& identity() const { return identity_; }
  Workspace::Impl* workspace() const { return workspace_; }

  // Every write goes between these two: BeforeWrite opens the group and joins
  // the workspace's open logical transactions; AfterWrite counts a write made
  // outside any logical transaction as one grouped commit per row it wrote. BeforeInsert
  // stands for BeforeWrite before an INSERT of one row into the rowid table
  // `table` (quoted), whose row id is reached as `rowid`.
  void BeforeWrite();
  void BeforeInsert(const std::string& table, const std::string& rowid);
  void AfterWrite(std::size_t rows = 1);
  // Reads join the group as well: outside a transaction SQLite would take
  // and drop the file lock and re-check the file around every statement,
  // which costs more than the read. The group's commit ends the read.
  void BeforeRead() {
    if (!in_group_) BeginReading();
  }

  // Goes up with every write, rollback, engine error and real commit on
  // this file, so a recordset that read a row while it stood where it stands
  // now knows the row is still as it read it. (Another connection cannot
  // write while this one holds its group open; once the group is committed
  // it can.)
  std::uint64_t change_count() const { return change_count_; }

  // The pieces of the workspace's transactions on this file.
  int joined_depth() const { return joined_depth_; }  // levels with a savepoint
  // True while a logical transaction holds a write of this file that is not
  // committed into the group yet (with or without a savepoint).
  bool InTransaction() const { return joined_depth_ > 0 || deferred_.active; }
  bool in_group() const { return in_group_; }
  void BeginGroup();
  void CommitGroup();
  // Joins the workspace's open logical transactions 1..`depth` before a
  // write; `single_insert`: the write inserts one row (BeforeInsert).
  void JoinLevels(int depth, bool single_insert);
  void CommitLevel(int level);    // commits level `level` into the one below
  void RollbackLevel(int level);  // undoes and leaves level `level`
  // After an engine error: when SQLite rolled the real transaction back on
  // its own (it may, after an I/O error or a full disk), forget the group
  // and the savepoints; the next real commit then reports the loss.
  void Resynchronise() noexcept;

  // Handles and their recordsets.
  void AddHandle(Database::Impl* handle);
  void RemoveHandle(Database::Impl* handle);
  std::size_t handle_count() const { return handles_.size(); }
  void NotifyRolledBack(int level) noexcept;
  void NotifyReleased(int level) noexcept;

  // A fresh number for a snapshot table of this connection.
  long long NextSnapshotNumber() { return ++snapshots_; }

  // Rolls back the logical transactions that it joined, commits the group
  // and closes the file; detaches every handle. Throws when the group cannot
  // be committed (the file is closed all the same and the group is lost).
  void Close();

 private:
  // A row that a logical transaction inserted before it had a savepoint.
  struct InsertedRow {
    bool active = false;
    int level = 0;
    std::string table;  // quoted
    std::string rowid;  // the name that reaches the row id
    sqlite3_int64 id = 0;
  };

  void BeginReading();
  void OpenSavepoint();      // joins one more level
  void ReleaseSavepoint();   // commits the innermost level into the next
  void RollbackSavepoint();  // undoes and leaves the innermost level
  void DeleteRow(const InsertedRow& row);
  Statement& Cached(StatementPtr& slot, const std::string& sql);
  void Run(StatementPtr& slot, const std::string& sql);
  Statement& SavepointStatement(std::vector<StatementPtr>& slots, const char* verb,
                                        int level);

  Workspace::Impl* workspace_;
  std::filesystem::path path_;
  std::string identity_;
  std::unique_ptr<SQLite::Database> db_;
  bool read_only_ = false;
  int joined_depth_ = 0;
  // The next write is the single insert of level pending_.level (set by
  // JoinLevels, completed by AfterWrite with the new row id).
  InsertedRow pending_;
  // The innermost level, joined_depth_ + 1, holds one inserted row and no
  // savepoint. Its strings are reassigned row after row, not reallocated.
  InsertedRow deferred_;
  // Levels whose savepoint was opened after their first inserted row.
  std::map<int, InsertedRow> inserted_before_savepoint_;
  bool in_group_ = false;
  bool wrote_in_group_ = false;  // a write succeeded since the last real commit
  bool group_lost_ = false;
  int lost_code_ = 0;  // the engine's code for the error that lost the group
  long long snapshots_ = 0;
  std::uint64_t change_count_ = 0;
  std::vector<Database::Impl*> handles_;
  // Prepared once: the group and one statement per level and verb. Declared
  // after db_ so that they are finalized before the connection closes.
  StatementPtr begin_, begin_reading_, commit_;
  std::vector<StatementPtr> savepoint_, release_, rollback_to_;
};

}  // namespace morvane::db::internal
