#include "platform/db/prepared_sql.h"

#include <string>

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/db/internal/database_impl.h"
#include "platform/db/internal/sql_text.h"
#include "platform/db/internal/statement.h"

namespace morvane::db {

struct PreparedSql::Impl final : internal::Cursor {
  Impl(std::shared_ptr<Database::Impl> db, internal::StatementPtr prepared, bool is_write)
      : database(std::move(db)), statement(std::move(prepared)), writes(is_write) {
    columns = statement->getColumnCount();
    database->AddCursor(this);
  }
  ~Impl() override {
    if (attached) database->RemoveCursor(this);
  }

  void Detach() noexcept override {
    statement.reset();
    attached = false;
  }

  internal::Connection& Require() const {
    if (!attached) throw Error("the prepared statement is closed");
    return database->Require();
  }

  std::int64_t Write(internal::Connection& c) {
    c.BeforeWrite();
    try {
      while (internal::Step(*statement)) {
      }
    } catch (...) {
      c.Resynchronise();
      throw;
    }
    const std::int64_t changed = sqlite3_changes64(c.handle());
    internal::Reset(*statement);
    c.AfterWrite();
    return changed;
  }

  // Reads every result row, reusing the value buffers of the last run.
  std::int64_t Read(internal::Connection& c) {
    c.BeforeRead();
    row_count = 0;
    while (internal::Step(*statement)) {
      const std::size_t at = static_cast<std::size_t>(row_count) * columns;
      if (values.size() < at + columns) values.resize(at + columns);
      for (int i = 0; i < columns; ++i) internal::ReadColumnInto(*statement, i, values[at + i]);
      ++row_count;
    }
    internal::Reset(*statement);
    return row_count;
  }

  std::shared_ptr<Database::Impl> database;
  internal::StatementPtr statement;
  const bool writes;
  bool attached = true;
  int columns = 0;
  std::int64_t row_count = 0;
  std::vector<Value> values;  // row by row
};

PreparedSql::PreparedSql() = default;
PreparedSql::PreparedSql(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
PreparedSql::~PreparedSql() = default;
PreparedSql::PreparedSql(PreparedSql&&) noexcept = default;
PreparedSql& PreparedSql::operator=(PreparedSql&&) noexcept = default;

std::int64_t PreparedSql::Run(const std::vector<Value>& params) {
  if (!impl_) throw Error("no prepared statement is open");
  internal::Connection& c = impl_->Require();
  impl_->row_count = 0;
  internal::BindAll(*impl_->statement, params);
  return impl_->writes ? impl_->Write(c) : impl_->Read(c);
}

const Value& PreparedSql::Get(std::int64_t row, int column) const {
  if (!impl_) throw Error("no prepared statement is open");
  if (row < 0 || row >= impl_->row_count || column < 0 || column >= impl_->columns)
    throw Error("no result row " + std::to_string(row) + ", column " + std::to_string(column));
  return impl_->values[static_cast<std::size_t>(row) * impl_->columns + column];
}

void PreparedSql::Close() {
  if (!impl_) return;
  if (impl_->attached) {
    impl_->database->RemoveCursor(impl_.get());
    impl_->Detach();
  }
  impl_.reset();
}

PreparedSql Database::Prepare(std::string_view sql) {
  if (!impl_) throw Error("no database is open");
  internal::Connection& c = impl_->Require();
  const std::string text(sql);
  internal::RefuseTransactionControl(text);
  const bool writes = !internal::InspectSql(c.handle(), text).read_only;
  return PreparedSql(std::make_unique<PreparedSql::Impl>(impl_, internal::Prepare(c.db(), text), writes));
}

}  // namespace morvane::db
