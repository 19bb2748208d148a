#include "platform/db/internal/schema.h"

#include "platform/db/internal/sql_text.h"
#include "platform/db/internal/statement.h"

namespace morvane::db::internal {
namespace {

std::string Text(SQLite::Statement& s, int column) {
  return ReadColumn(s, column).AsText();
}

int FieldPosition(const TableDef& def, std::string_view column) {
  for (std::size_t i = 0; i < def.fields.size(); ++i)
    if (NamesEqual(def.fields[i].name, column)) return static_cast<int>(i);
  return -1;
}

void ReadFields(const Connection& c, TableInfo& info) {
  const std::string& table = info.def.name;
  auto s = Prepare(c.db(), "SELECT name, type, hidden FROM pragma_table_xinfo(?1)", table);
  Bind(*s, 1, Value(table));
  while (Step(*s, table)) {
    if (ReadColumn(*s, 2).AsInteger() != 0) continue;  // hidden / generated
    const std::string declared = Text(*s, 1);
    const TypeAndSize t = ParseDeclaredType(declared);
    info.def.fields.push_back({Text(*s, 0), t.type, t.size});
    info.affinities.push_back(AffinityOf(declared));
  }
}

std::string ColumnCollation(const Connection& c, const std::string& table,
                            const std::string& column) {
  const char* collation = nullptr;
  if (sqlite3_table_column_metadata(c.handle(), "main", table.c_str(), column.c_str(), nullptr,
                                    &collation, nullptr, nullptr, nullptr) != SQLITE_OK ||
      !collation)
    return "BINARY";
  return collation;
}

void ReadIndexes(const Connection& c, TableInfo& info) {
  const std::string& table = info.def.name;
  auto names = Prepare(c.db(),
                       "SELECT name FROM sqlite_schema WHERE type = 'index' AND "
                       "tbl_name = ?1 COLLATE NOCASE AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                       "ORDER BY rowid",
                       table);
  auto partial = Prepare(c.db(), "SELECT partial FROM pragma_index_list(?1) WHERE name = ?2", table);
  auto first = Prepare(c.db(), "SELECT cid, name, coll FROM pragma_index_xinfo(?1) WHERE seqno = 0",
                       table);
  Bind(*names, 1, Value(table));
  while (Step(*names, table)) {
    const std::string physical = Text(*names, 0);
    const Value physical_value(physical);
    Bind(*partial, 1, Value(table));
    Bind(*partial, 2, physical_value);
    const bool is_partial = Step(*partial, table) &&
                            ReadColumn(*partial, 0).AsInteger() != 0;
    Reset(*partial);
    if (is_partial) continue;
    Bind(*first, 1, physical_value);
    if (!Step(*first, table)) continue;
    const bool on_column = ReadColumn(*first, 0).AsInteger() >= 0;
    const std::string column = Text(*first, 1);
    const std::string collation = Text(*first, 2);
    Reset(*first);
    const int field = on_column ? FieldPosition(info.def, column) : -1;
    if (field < 0) continue;
    const std::string own = ColumnCollation(c, table, info.def.fields[field].name);
    const FieldDef& indexed = info.def.fields[field];
    const bool text = indexed.type == FieldType::kText || indexed.type == FieldType::kMemo;
    info.def.indexes.push_back(
        {LogicalIndexName(table, physical), indexed.name, text && !NamesEqual(collation, "NOCASE")});
    info.indexes.push_back({physical, field, NamesEqual(own, collation) ? "" : collation});
  }
}

bool HasRowid(const Connection& c, const std::string& table) {
  // With the name as its argument the pragma looks at that table alone,
  // not at every table of the file.
  auto s = Prepare(c.db(), "SELECT wr FROM pragma_table_list(?1) WHERE schema = 'main'", table);
  Bind(*s, 1, Value(table));
  return !(Step(*s, table) && ReadColumn(*s, 0).AsInteger() != 0);
}

}  // namespace

std::vector<std::string> TableNames(const Connection& connection) {
  auto s = Prepare(connection.db(),
                   "SELECT name FROM sqlite_schema WHERE type = 'table' AND "
                   "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
  std::vector<std::string> names;
  while (Step(*s)) names.push_back(Text(*s, 0));
  return names;
}

std::optional<TableInfo> ReadTable(const Connection& connection, std::string_view name) {
  const std::string wanted(name);
  // The table and its triggers in one pass over the schema (a table's
  // tbl_name is its name). Triggers of the file: Morvane itself makes no
  // temporary ones.
  auto s = Prepare(connection.db(),
                   "SELECT type = 'trigger', name FROM sqlite_schema WHERE type IN ('table', 'trigger') "
                   "AND tbl_name = ?1 COLLATE NOCASE AND tbl_name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
                   wanted);
  Bind(*s, 1, Value(wanted));
  TableInfo info;
  bool found = false;
  while (Step(*s, wanted)) {
    if (ReadColumn(*s, 0).AsInteger() != 0) {
      info.has_triggers = true;
    } else {
      info.def.name = Text(*s, 1);
      found = true;
    }
  }
  if (!found) return std::nullopt;
  ReadFields(connection, info);
  ReadIndexes(connection, info);
  info.has_rowid = HasRowid(connection, info.def.name);
  std::vector<std::string> columns;
  for (const FieldDef& f : info.def.fields) columns.push_back(f.name);
  info.rowid = RowidName(columns);
  return info;
}

}  // namespace morvane::db::internal
