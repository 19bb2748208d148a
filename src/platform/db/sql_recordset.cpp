#include "platform/db/sql_recordset.h"

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/sql_text.h"
#include "platform/db/internal/statement.h"

namespace morvane::db {

// The snapshot is a TEMP table made from the SELECT; rows are read back one
// at a time by row id (1 to the row count, in the SELECT's order).
struct SqlRecordset::Impl final : internal::Cursor {
  Impl(std::shared_ptr<Database::Impl> db, std::string snapshot_table, int level)
      : database(std::move(db)), table(std::move(snapshot_table)), created_level(level) {
    database->AddCursor(this);
  }
  ~Impl() override {
    try {
      Close();
    } catch (...) {
    }
  }

  // Drops the snapshot table while the connection is still there (the
  // connection may outlive this handle) and the statement.
  void Detach() noexcept override {
    fetch.reset();
    if (database->connection && database->connection->IsOpen() && !undone) {
      const std::string drop = "DROP TABLE IF EXISTS temp." + internal::QuoteName(table);
      sqlite3_exec(database->connection->handle(), drop.c_str(), nullptr, nullptr, nullptr);
    }
    attached = false;
  }
  // The snapshot table was made inside the connection's savepoints up to
  // `created_level`; a rollback of one of them takes it away.
  void RolledBack(int level) noexcept override {
    if (created_level >= level) undone = true;
  }
  void Released(int level) noexcept override {
    if (created_level >= level) created_level = level - 1;
  }

  void Require() const {
    if (!attached) throw Error("the query's recordset is closed");
    database->Require();
    if (undone) throw Error("the query's snapshot was undone by a Rollback");
  }

  void Land(std::int64_t at) {
    position = at;
    if (position < 1 || position > count) return;
    if (position < window_first || position >= window_first + window_count) FillWindow(position);
    const std::size_t first = static_cast<std::size_t>(position - window_first) * row.size();
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = window[first + i];
  }

  // Reads the rows from `at` on, up to kWindow of them, in one run of the
  // statement: starting a statement and ending it costs more than reading
  // a row, and the snapshot never changes.
  void FillWindow(std::int64_t at) {
    window_count = 0;
    window_first = at;
    database->connection->BeforeRead();
    internal::Bind(*fetch, 1, Value(at));
    const std::size_t columns = row.size();
    window.resize(static_cast<std::size_t>(kWindow) * columns);
    try {
      while (window_count < kWindow && internal::Step(*fetch)) {
        if (fetch->getColumn(0).getInt64() != at + window_count) break;  // a row is missing
        const std::size_t first = static_cast<std::size_t>(window_count) * columns;
        for (std::size_t i = 0; i < columns; ++i)
          internal::ReadColumnInto(*fetch, static_cast<int>(i) + 1, window[first + i]);
        ++window_count;
      }
    } catch (...) {
      internal::Reset(*fetch);
      window_count = 0;
      throw;
    }
    internal::Reset(*fetch);
    if (window_count == 0) throw Error("the query's snapshot lost row " + std::to_string(at));
  }

  bool OnRow() const { return position >= 1 && position <= count; }

  void Close() {
    if (!attached) return;
    database->RemoveCursor(this);
    Detach();
  }

  std::shared_ptr<Database::Impl> database;
  std::string table;
  int created_level;
  bool attached = true;
  bool undone = false;
  std::vector<std::string> columns;
  std::int64_t count = 0;
  std::int64_t position = 0;
  std::vector<Value> row;
  internal::StatementPtr fetch;  // the rows from ?1 on, each with its row id first
  static constexpr std::int64_t kWindow = 64;
  std::vector<Value> window;       // rows window_first.. of the snapshot, column by column
  std::int64_t window_first = 0;
  std::int64_t window_count = 0;
};

SqlRecordset::SqlRecordset() = default;
SqlRecordset::SqlRecordset(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SqlRecordset::~SqlRecordset() = default;
SqlRecordset::SqlRecordset(SqlRecordset&&) noexcept = default;
SqlRecordset& SqlRecordset::operator=(SqlRecordset&&) noexcept = default;

namespace {

SqlRecordset::Impl& Open(const std::unique_ptr<SqlRecordset::Impl>& impl) {
  if (!impl) throw Error("no query recordset is open");
  impl->Require();
  return *impl;
}

}  // namespace

void SqlRecordset::MoveFirst() { Open(impl_).Land(1); }
void SqlRecordset::MoveLast() { Open(impl_).Land(impl_->count); }

void SqlRecordset::MoveNext() {
  Impl& r = Open(impl_);
  if (r.position > r.count) return;
  r.Land(r.position + 1);
}

bool SqlRecordset::Eof() const { return !Open(impl_).OnRow(); }
std::int64_t SqlRecordset::RecordCount() const { return Open(impl_).count; }

const std::vector<std::string>& SqlRecordset::ColumnNames() const {
  if (!impl_) throw Error("no query recordset is open");
  return impl_->columns;
}

Value SqlRecordset::Get(std::string_view column) const {
  const Impl& r = Open(impl_);
  for (std::size_t i = 0; i < r.columns.size(); ++i)
    if (NamesEqual(r.columns[i], column)) return Get(static_cast<int>(i));
  throw Error("the query has no column " + std::string(column));
}

Value SqlRecordset::Get(int column_index) const {
  const Impl& r = Open(impl_);
  if (column_index < 0 || column_index >= static_cast<int>(r.row.size()))
    throw Error("the query has no column at position " + std::to_string(column_index));
  if (!r.OnRow()) throw Error("no current row");
  return r.row[column_index];
}

void SqlRecordset::Close() {
  if (impl_) impl_->Close();
}

SqlRecordset Database::OpenSql(std::string_view select, const std::vector<Value>& params) {
  if (!impl_) throw Error("no database is open");
  internal::Connection& c = impl_->Require();
  const std::string text(select);
  // The query itself: it must return rows and change nothing.
  internal::SqlShape shape = internal::InspectSql(c.handle(), text);
  if (shape.columns.empty() || !shape.read_only) throw Error("not a SELECT: " + text);

  const std::string name = "morvane_snapshot_" + std::to_string(c.NextSnapshotNumber());
  auto impl = std::make_unique<SqlRecordset::Impl>(impl_, name, c.joined_depth());
  impl->columns = std::move(shape.columns);
  impl->row.resize(impl->columns.size());

  internal::StatementPtr create =
      internal::Prepare(c.db(), "CREATE TEMP TABLE " + internal::QuoteName(name) + " AS " + text);
  internal::BindAll(*create, params);
  try {
    internal::Step(*create);
  } catch (...) {
    c.Resynchronise();
    throw;
  }
  create.reset();
  const std::string source = "temp." + internal::QuoteName(name);
  internal::StatementPtr count = internal::Prepare(c.db(), "SELECT count(*) FROM " + source);
  internal::Step(*count);
  impl->count = count->getColumn(0).getInt64();
  count.reset();
  // The snapshot's columns take the query's names; one of them may hide
  // "rowid", so the row id is reached by a name that none of them has.
  const std::string rowid = internal::RowidName(impl->columns);
  if (rowid.empty()) throw Error("the query's columns hide the row id (rowid, _rowid_, oid)");
  impl->fetch = internal::Prepare(c.db(), "SELECT " + rowid + ", * FROM " + source + " WHERE " +
                                               rowid + " >= ?1 ORDER BY " + rowid + " LIMIT " +
                                               std::to_string(SqlRecordset::Impl::kWindow));
  impl->Land(1);
  return SqlRecordset(std::move(impl));
}

}  // namespace morvane::db
