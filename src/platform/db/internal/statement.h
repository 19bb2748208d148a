// Thin helpers over SQLiteCpp statements for the layer's hot paths: binding
// and reading Values, stepping with engine errors turned into db::Error
// that name the file of the failed operation (internal/failed_file.h).
#pragma once

#include <sqlite3.h>

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/error.h"
#include "platform/db/value.h"

namespace morvane::db::internal {

// A prepared statement that keeps its connection's handle, so that its
// errors can name the file they concern (SQLiteCpp does not tell it).
class Statement : public SQLite::Statement {
 public:
  Statement(const SQLite::Database& db, const std::string& sql)
      : SQLite::Statement(db, sql), handle_(db.getHandle()) {}
  sqlite3* handle() const { return handle_; }

 private:
  sqlite3* handle_;
};

using StatementPtr = std::unique_ptr<Statement>;

// Runs `f`, turning SQLiteCpp's exceptions into db::Error with the engine's
// message and the table (and field) concerned.
template <typename F>
decltype(auto) Guard(std::string_view table, F&& f, std::string_view field = {}) {
  try {
    return f();
  } catch (const SQLite::Exception& e) {
    throw Error(e.what(), std::string(table), std::string(field), e.getExtendedErrorCode());
  }
}

// Throws the engine's error on `handle` (its last message and code, or
// those given), naming the file it concerns.
[[noreturn]] void ThrowEngineError(sqlite3* handle, std::string_view table,
                                   std::string_view field = {});
[[noreturn]] void ThrowEngineError(sqlite3* handle, const std::string& message, int code,
                                   std::string_view table, std::string_view field = {});

StatementPtr Prepare(const SQLite::Database& db, const std::string& sql,
                     std::string_view table = {});

// Steps once: true when a row is ready. Throws db::Error (after resetting
// the statement) on an engine error.
bool Step(Statement& statement, std::string_view table = {});

// Resets the statement so that it holds no lock and no row; never throws.
inline void Reset(SQLite::Statement& statement) noexcept { statement.tryReset(); }

// Binds `value` to the 1-based parameter `index` (SQLite copies texts).
void Bind(SQLite::Statement& statement, int index, const Value& value);
// As Bind, without a copy of a text: `value` must stay unchanged until the
// statement's bindings are cleared.
void BindNoCopy(SQLite::Statement& statement, int index, const Value& value);
// Binds each of `values` in order; throws when the statement takes another
// number of parameters.
void BindAll(SQLite::Statement& statement, const std::vector<Value>& values,
             std::string_view table = {});

// The value of the 0-based result column of the current row.
Value ReadColumn(const SQLite::Statement& statement, int column);
// The same into `into`, whose text buffer is reused for a text.
void ReadColumnInto(const SQLite::Statement& statement, int column, Value& into);

// What one SQL text is, found by preparing it on its own.
struct SqlShape {
  bool read_only = true;
  std::vector<std::string> columns;  // result column names
};
// Throws unless `sql` holds exactly one statement (trailing blanks,
// semicolons and comments allowed).
SqlShape InspectSql(sqlite3* handle, const std::string& sql);

}  // namespace morvane::db::internal
