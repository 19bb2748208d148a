// The workspace: the engine session through which databases are created and
// opened, and whose transactions bracket the rows that the steps write.
//
// Transactions. BeginTrans/CommitTrans/Rollback may nest. A transaction of
// the workspace covers every database opened through it; a database joins the
// open transaction lazily, at its first write. Rollback undoes the innermost
// open transaction on every database.
//
// Grouped commits. Committing a row to disk costs a flush; committing each
// of a million rows on its own would take hours. The workspace therefore
// groups the outermost CommitTrans calls into one real commit of about
// `group_limit` transactions (see SetGroupLimit). Nothing changes for code in this process:
// reads on the same database see every committed row at once. Flush() makes
// the group durable; it runs when a message box waits for the user, at the
// end of a step and when a database is closed. A process that is killed loses at most the
// group that was not flushed, and every file stays consistent.
//
// Lifetime. The workspace owns the connections; Database handles refer to
// them. Close() rolls back any open transaction, flushes, and closes every
// database opened through it; the workspace stays usable for the next open.
// Not thread-safe: one workspace per thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/db/database.h"

namespace morvane::db {

// What the run does with a database it opens, which decides how it is opened.
enum class Access {
  // The run's own file (the output database): read and written, in the
  // rollback-journal mode, so that no side file stays once it is closed.
  kOwn,
  // A user's database that the run extends: read and written, its own
  // settings (a WAL journal included) left as they are. The open begins a
  // write transaction and rolls it back, so a file that cannot be written
  // now (read-only, or locked by another program) is refused at once.
  kUserWrite,
  // A user's database that the run only reads: opened read-only, nothing in
  // it changed.
  kUserRead,
};

class Workspace {
 public:
  static constexpr std::size_t kDefaultGroupLimit = 20000;

  Workspace();
  ~Workspace();  // as Close(); never throws
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Creates a new, empty database file. Throws if anything exists at `path`
  // or its folder does not exist. `locale` (";LANGID=0x0409;CP=1252;COUNTRY=0")
  // selects the general sort order, which is the only one supported.
  Database CreateDatabase(const std::filesystem::path& path,
                          std::string_view locale = {});

  // Opens an existing database file as `access` says. Never creates
  // one: "", ":memory:", URI names and missing files are refused, as is a
  // file that is not a database. A path that does not exist as written is
  // resolved folder by folder without regard to case. A file that the
  // workspace holds open already gets a second handle on the same connection,
  // so both see every row at once: a file held for reading and writing serves
  // a read-only open too, while a file held read-only is refused for writing
  // (open the file for writing first).
  Database OpenDatabase(const std::filesystem::path& path, Access access = Access::kOwn);

  void BeginTrans();
  // Throws if no transaction is open. An outermost transaction that stores
  // the rows of several records at once counts as `counted` toward the
  // group, so a group holds as many records either way.
  void CommitTrans(std::size_t counted = 1);
  void Rollback();     // throws if no transaction is open
  int TransactionDepth() const;

  // Makes every grouped commit durable. Has no effect on a transaction that
  // is still open.
  void Flush();
  // A commit that counts as several (the rows of several records stored at
  // once) may take the group past the limit by those: with 1, every
  // committed transaction is a real commit.
  void SetGroupLimit(std::size_t transactions);
  // The number of the present group of commits: it grows by one each time
  // the group is made durable. What a caller committed while the number
  // stayed the same is lost together when that group's real commit fails
  // (a full disk): a caller that notes where each group began can say what
  // is missing.
  std::uint64_t GroupNumber() const;
  // The commits that the present group holds so far: 0 right after the
  // group was made durable, so that a caller can tell whether its next write
  // opens the group or joins writes made before it.
  std::size_t PendingCommits() const;

  void Close();

  struct Impl;

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace morvane::db
