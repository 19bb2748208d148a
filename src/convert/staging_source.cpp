#include "convert/staging_source.h"

#include "platform/db/error.h"
#include "platform/db/table_recordset.h"

namespace morvane::convert {
namespace {

// Rows of one key come in row-id order, as the key's index keeps them.
std::string SelectOf(const StagingSource& source, std::span<const std::string_view> fields) {
  std::string sql = "SELECT ";
  for (std::size_t i = 0; i < fields.size(); ++i)
    sql += (i ? ", " : "") + db::QuoteName(fields[i]);
  return sql + " FROM " + db::QuoteName(source.table) + " WHERE " +
         db::QuoteName(source.key_field) + " = ?1 ORDER BY rowid";
}

}  // namespace

db::PreparedSql StagingSource::PrepareFirst(std::span<const std::string_view> fields) const {
  return database->Prepare(SelectOf(*this, fields) + " LIMIT 1");
}

db::PreparedSql StagingSource::PrepareAll(std::span<const std::string_view> fields) const {
  return database->Prepare(SelectOf(*this, fields));
}

StagingSource OpenStagingSource(db::Database& output, std::string_view table,
                                std::string_view index) {
  db::TableRecordset rs = output.OpenTable(table);
  rs.SetIndex(index);  // throws when there is no such index
  for (const db::IndexDef& x : rs.Definition().indexes)
    if (db::NamesEqual(x.name, index)) return {&output, rs.Definition().name, x.field};
  throw db::Error("no index named " + std::string(index), std::string(table));
}

}  // namespace morvane::convert
