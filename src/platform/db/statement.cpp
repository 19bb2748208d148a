#include "platform/db/internal/statement.h"

#include "platform/db/internal/failed_file.h"

namespace morvane::db::internal {

void ThrowEngineError(sqlite3* handle, const std::string& message, int code, std::string_view table,
                      std::string_view field) {
  Error error(message, std::string(table), std::string(field), code);
  NameFailedFile(error, handle);
  throw error;
}

void ThrowEngineError(sqlite3* handle, std::string_view table, std::string_view field) {
  ThrowEngineError(handle, sqlite3_errmsg(handle), sqlite3_extended_errcode(handle), table, field);
}

StatementPtr Prepare(const SQLite::Database& db, const std::string& sql,
                     std::string_view table) {
  try {
    return std::make_unique<Statement>(db, sql);
  } catch (const SQLite::Exception& e) {
    ThrowEngineError(db.getHandle(), e.what(), e.getExtendedErrorCode(), table);
  }
}

bool Step(Statement& statement, std::string_view table) {
  const int rc = statement.tryExecuteStep();
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  const std::string message = statement.getErrorMsg();
  const int code = statement.getExtendedErrorCode();
  statement.tryReset();
  ThrowEngineError(statement.handle(), message, code, table);
}

namespace {

template <bool kCopy>
void BindValue(SQLite::Statement& statement, int index, const Value& value) {
  Guard({}, [&] {
    if (value.IsNull()) {
      statement.bind(index);
    } else if (value.IsInteger()) {
      statement.bind(index, static_cast<std::int64_t>(value.Integer()));
    } else if (value.IsReal()) {
      statement.bind(index, value.Real());
    } else if constexpr (kCopy) {
      statement.bind(index, value.Text());
    } else {
      statement.bindNoCopy(index, value.Text());
    }
  });
}

}  // namespace

void Bind(SQLite::Statement& statement, int index, const Value& value) {
  BindValue<true>(statement, index, value);
}

void BindNoCopy(SQLite::Statement& statement, int index, const Value& value) {
  BindValue<false>(statement, index, value);
}

void BindAll(SQLite::Statement& statement, const std::vector<Value>& values,
             std::string_view table) {
  const int wanted = statement.getBindParameterCount();
  if (wanted != static_cast<int>(values.size()))
    throw Error("the statement takes " + std::to_string(wanted) + " parameter(s) but " +
                    std::to_string(values.size()) + " were given",
                std::string(table));
  for (int i = 0; i < wanted; ++i) Bind(statement, i + 1, values[i]);
}

Value ReadColumn(const SQLite::Statement& statement, int column) {
  const SQLite::Column c = statement.getColumn(column);
  switch (c.getType()) {
    case SQLITE_INTEGER:
      return Value(static_cast<std::int64_t>(c.getInt64()));
    case SQLITE_FLOAT:
      return Value(c.getDouble());
    case SQLITE_TEXT: {
      const char* text = c.getText();
      return Value(std::string(text, static_cast<std::size_t>(c.getBytes())));
    }
    case SQLITE_BLOB: {
      // Only in files that Morvane did not write: a blob reads as its bytes.
      const char* bytes = static_cast<const char*>(c.getBlob());
      return Value(std::string(bytes, static_cast<std::size_t>(c.getBytes())));
    }
    default:
      return Value();
  }
}

void ReadColumnInto(const SQLite::Statement& statement, int column, Value& into) {
  const SQLite::Column c = statement.getColumn(column);
  switch (c.getType()) {
    case SQLITE_TEXT:
      into.AssignText(std::string_view(c.getText(), static_cast<std::size_t>(c.getBytes())));
      return;
    case SQLITE_INTEGER: into = Value(static_cast<std::int64_t>(c.getInt64())); return;
    case SQLITE_FLOAT: into = Value(c.getDouble()); return;
    case SQLITE_NULL: into = Value(); return;
    default: into = ReadColumn(statement, column);
  }
}

SqlShape InspectSql(sqlite3* handle, const std::string& sql) {
  SqlShape shape;
  const char* tail = sql.c_str();
  int statements = 0;
  while (tail && *tail) {
    sqlite3_stmt* s = nullptr;
    const char* next = nullptr;
    if (sqlite3_prepare_v2(handle, tail, -1, &s, &next) != SQLITE_OK) ThrowEngineError(handle, {});
    if (s) {
      if (++statements == 1) {
        shape.read_only = sqlite3_stmt_readonly(s) != 0;
        for (int i = 0; i < sqlite3_column_count(s); ++i)
          shape.columns.emplace_back(sqlite3_column_name(s, i));
      }
      sqlite3_finalize(s);
    }
    if (next == tail) break;
    tail = next;
  }
  if (statements != 1)
    throw Error(statements == 0 ? "the SQL text holds no statement"
                                : "the SQL text holds more than one statement");
  return shape;
}

}  // namespace morvane::db::internal
