// The SQL spelling of names and field types.
//
// The declared column types carry the layer's field types, so that a file
// tells its own field types when it is read back. Each one also gives the
// column the SQLite affinity that its values need: TEXT for both texts, so
// that "0012" stays "0012"; INTEGER for the whole numbers; REAL for the
// floating-point ones.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/table_def.h"
#include "platform/db/value.h"

namespace morvane::db::internal {

// "name" with every double quote doubled: safe for any name, keyword or not.
std::string QuoteName(std::string_view name);

// The column declaration after the name: "TEXT(20) COLLATE NOCASE",
// "LONGTEXT COLLATE NOCASE", "SMALLINT", "INTEGER", "FLOAT" or "DOUBLE".
std::string ColumnDeclaration(const FieldDef& field);

// The field type and size that a declared column type stands for. Types that
// the layer does not write map by SQLite's affinity rules: INTEGER affinity
// -> Long, REAL -> Double, everything else (TEXT, BLOB, NUMERIC, none) ->
// Memo.
struct TypeAndSize {
  FieldType type;
  int size;
};
TypeAndSize ParseDeclaredType(std::string_view declared);

// The affinity that SQLite gives a column of the declared type: what it makes
// of a value before storing it (a number in a TEXT column becomes its text,
// a text that looks like a number in an INTEGER, REAL or NUMERIC column
// becomes the number, and so on). kNone: no declared type, or BLOB.
enum class Affinity { kText, kNumeric, kInteger, kReal, kNone };
Affinity AffinityOf(std::string_view declared);
// True when a column of affinity `affinity` reads `value` back exactly as it
// was bound: same kind, same text or number.
bool ReadsBackUnchanged(Affinity affinity, const Value& value);

// Index names are database-wide in SQLite but belong to their table here:
// the stored name is "<table>.<index>".
std::string PhysicalIndexName(std::string_view table, std::string_view index);
// The logical name of a stored index: without the "<table>." prefix when it
// has one (letter case ignored), else the stored name itself.
std::string LogicalIndexName(std::string_view table, std::string_view physical);

// A name that reaches a table's row id: "rowid", "_rowid_" or "oid", the
// first that is not one of `columns` (a column of that name hides the row
// id). Empty when all three are taken.
std::string RowidName(const std::vector<std::string>& columns);

// Throws db::Error for the statements that would take the transactions out
// of the workspace's hands (BEGIN, COMMIT, SAVEPOINT, VACUUM, ATTACH ...).
void RefuseTransactionControl(std::string_view sql);

}  // namespace morvane::db::internal
