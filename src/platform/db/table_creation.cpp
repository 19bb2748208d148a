#include "platform/db/internal/table_creation.h"

#include "platform/db/error.h"
#include "platform/db/internal/schema.h"
#include "platform/db/internal/sql_text.h"

namespace morvane::db::internal {
namespace {

void Check(const TableDef& t) {
  if (t.name.empty()) throw Error("a table needs a name");
  if (t.fields.empty()) throw Error("a table needs at least one field", t.name);
  for (std::size_t i = 0; i < t.fields.size(); ++i) {
    const FieldDef& f = t.fields[i];
    if (f.name.empty()) throw Error("field " + std::to_string(i + 1) + " has no name", t.name);
    for (std::size_t j = 0; j < i; ++j)
      if (NamesEqual(t.fields[j].name, f.name)) throw Error("the field name occurs twice", t.name, f.name);
    if (f.type == FieldType::kText && (f.size < 1 || f.size > 255))
      throw Error("a Text field's size must be 1 to 255, not " + std::to_string(f.size), t.name, f.name);
    if (f.type != FieldType::kText && f.size != 0)
      throw Error("only a Text field takes a size", t.name, f.name);
  }
  for (std::size_t i = 0; i < t.indexes.size(); ++i) {
    const IndexDef& x = t.indexes[i];
    if (x.name.empty()) throw Error("index " + std::to_string(i + 1) + " has no name", t.name);
    for (std::size_t j = 0; j < i; ++j)
      if (NamesEqual(t.indexes[j].name, x.name))
        throw Error("the index name " + x.name + " occurs twice", t.name);
    if (!t.FindField(x.field))
      throw Error("index " + x.name + " names a field that the table does not have", t.name, x.field);
  }
}

std::string CreateTableSql(const TableDef& t) {
  std::string sql = "CREATE TABLE " + QuoteName(t.name) + " (";
  for (std::size_t i = 0; i < t.fields.size(); ++i) {
    if (i) sql += ", ";
    sql += QuoteName(t.fields[i].name) + " " + ColumnDeclaration(t.fields[i]);
  }
  return sql + ")";
}

std::string CreateIndexSql(const TableDef& t, const IndexDef& x) {
  // The field as the table spells it: index definitions may differ in case.
  return "CREATE INDEX " + QuoteName(PhysicalIndexName(t.name, x.name)) + " ON " +
         QuoteName(t.name) + " (" + QuoteName(t.FindField(x.field)->name) + ")";
}

}  // namespace

void CreateTable(Connection& connection, const TableDef& table) {
  Check(table);
  if (ReadTable(connection, table.name)) throw Error("the table exists already", table.name);
  connection.BeforeWrite();
  sqlite3* h = connection.handle();
  if (sqlite3_exec(h, "SAVEPOINT morvane_append_table", nullptr, nullptr, nullptr) != SQLITE_OK)
    ThrowEngineError(h, table.name);
  auto run = [&](const std::string& sql) {
    if (sqlite3_exec(h, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      const std::string message = sqlite3_errmsg(h);
      const int code = sqlite3_extended_errcode(h);  // the undoing below resets it
      sqlite3_exec(h, "ROLLBACK TO morvane_append_table", nullptr, nullptr, nullptr);
      sqlite3_exec(h, "RELEASE morvane_append_table", nullptr, nullptr, nullptr);
      connection.Resynchronise();
      ThrowEngineError(h, message, code, table.name);
    }
  };
  run(CreateTableSql(table));
  for (const IndexDef& x : table.indexes) run(CreateIndexSql(table, x));
  run("RELEASE morvane_append_table");
  connection.AfterWrite();
}

}  // namespace morvane::db::internal
