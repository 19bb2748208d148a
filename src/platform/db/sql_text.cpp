#include "platform/db/internal/sql_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/db/error.h"

namespace morvane::db::internal {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string WithoutBlanks(std::string_view s) {
  std::string out;
  for (char c : s)
    if (!std::isspace(static_cast<unsigned char>(c))) out += c;
  return out;
}

// "TEXT(n)" or "VARCHAR(n)" with 1 <= n <= 255, blanks and letter case
// ignored: the two ways users declare a text of n characters.
std::optional<int> TextSize(const std::string& compact_upper) {
  std::string_view prefix;
  for (std::string_view p : {"TEXT(", "VARCHAR("})
    if (compact_upper.starts_with(p)) prefix = p;
  if (prefix.empty() || !compact_upper.ends_with(")")) return std::nullopt;
  const char* first = compact_upper.data() + prefix.size();
  const char* last = compact_upper.data() + compact_upper.size() - 1;
  int n = 0;
  auto [end, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || end != last || n < 1 || n > 255) return std::nullopt;
  return n;
}

}  // namespace

std::string QuoteName(std::string_view name) {
  std::string out;
  out.reserve(name.size() + 2);
  out += '"';
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string ColumnDeclaration(const FieldDef& field) {
  switch (field.type) {
    case FieldType::kText: return "TEXT(" + std::to_string(field.size) + ") COLLATE NOCASE";
    case FieldType::kMemo: return "LONGTEXT COLLATE NOCASE";
    case FieldType::kInteger: return "SMALLINT";
    case FieldType::kLong: return "INTEGER";
    case FieldType::kSingle: return "FLOAT";
    case FieldType::kDouble: return "DOUBLE";
  }
  return "";
}

TypeAndSize ParseDeclaredType(std::string_view declared) {
  const std::string upper = Upper(declared);
  const std::string compact = WithoutBlanks(upper);
  if (auto n = TextSize(compact)) return {FieldType::kText, *n};
  if (compact == "LONGTEXT") return {FieldType::kMemo, 0};
  if (compact == "SMALLINT") return {FieldType::kInteger, 0};
  if (compact == "INTEGER") return {FieldType::kLong, 0};
  if (compact == "FLOAT") return {FieldType::kSingle, 0};
  if (compact == "DOUBLE") return {FieldType::kDouble, 0};
  // SQLite's affinity rules, in their order.
  auto has = [&](std::string_view part) { return upper.find(part) != std::string::npos; };
  if (has("INT")) return {FieldType::kLong, 0};
  if (has("CHAR") || has("CLOB") || has("TEXT")) return {FieldType::kMemo, 0};
  if (has("BLOB") || compact.empty()) return {FieldType::kMemo, 0};
  if (has("REAL") || has("FLOA") || has("DOUB")) return {FieldType::kDouble, 0};
  return {FieldType::kMemo, 0};
}

Affinity AffinityOf(std::string_view declared) {
  // SQLite's rules, in their order.
  const std::string upper = Upper(declared);
  auto has = [&](std::string_view part) { return upper.find(part) != std::string::npos; };
  if (has("INT")) return Affinity::kInteger;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return Affinity::kText;
  if (has("BLOB") || WithoutBlanks(upper).empty()) return Affinity::kNone;
  if (has("REAL") || has("FLOA") || has("DOUB")) return Affinity::kReal;
  return Affinity::kNumeric;
}

bool ReadsBackUnchanged(Affinity affinity, const Value& value) {
  if (value.IsNull()) return true;
  if (value.IsText()) return affinity == Affinity::kText || affinity == Affinity::kNone;
  if (value.IsInteger())
    return affinity == Affinity::kInteger || affinity == Affinity::kNumeric ||
           affinity == Affinity::kNone;
  // A REAL column keeps a whole number as an integer and reads it back as
  // the same double, except -0.0, which comes back as 0.0.
  return affinity == Affinity::kReal && !(value.Real() == 0 && std::signbit(value.Real()));
}

std::string PhysicalIndexName(std::string_view table, std::string_view index) {
  std::string out(table);
  out += '.';
  out += index;
  return out;
}

std::string LogicalIndexName(std::string_view table, std::string_view physical) {
  if (physical.size() > table.size() + 1 && physical[table.size()] == '.' &&
      NamesEqual(physical.substr(0, table.size()), table))
    return std::string(physical.substr(table.size() + 1));
  return std::string(physical);
}

std::string RowidName(const std::vector<std::string>& columns) {
  for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
    bool taken = false;
    for (const std::string& column : columns) taken = taken || NamesEqual(column, candidate);
    if (!taken) return candidate;
  }
  return {};
}

void RefuseTransactionControl(std::string_view sql) {
  std::size_t i = 0;
  while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
  std::string word;
  while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
  for (const char* refused :
       {"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE", "VACUUM", "ATTACH", "DETACH"})
    if (word == refused)
      throw Error("transactions are the workspace's: " + word + " is not run through Execute or Prepare");
}

}  // namespace morvane::db::internal
