#include "platform/db/deferred_indexes.h"

#include <algorithm>

#include "platform/db/error.h"
#include "platform/db/internal/sql_text.h"

namespace morvane::db {
namespace {

constexpr std::string_view kCreateIndex = "CREATE INDEX ";

}  // namespace

DeferredIndexes::DeferredIndexes(Database& database, std::string_view table,
                                 const std::vector<std::string_view>& keep)
    : database_(database) {
  std::vector<std::string> names;
  SqlRecordset indexes = database_.OpenSql(
      "SELECT name, sql FROM sqlite_schema WHERE type = 'index' AND tbl_name = ?1 COLLATE NOCASE "
      "AND sql IS NOT NULL ORDER BY rowid",
      {Value(std::string(table))});
  for (; !indexes.Eof(); indexes.MoveNext()) {
    const std::string sql = indexes.Get(1).AsText();
    // Only plain indexes are ours to move; anything else stays as it is.
    if (sql.compare(0, kCreateIndex.size(), kCreateIndex) != 0) continue;
    std::string name = indexes.Get(0).AsText();
    const std::string logical = internal::LogicalIndexName(table, name);
    if (std::any_of(keep.begin(), keep.end(),
                    [&](std::string_view k) { return NamesEqual(k, logical); }))
      continue;
    names.push_back(std::move(name));
    // IF NOT EXISTS: a rollback after an error may have brought the index back.
    creates_.push_back("CREATE INDEX IF NOT EXISTS " + sql.substr(kCreateIndex.size()));
  }
  indexes.Close();
  try {
    for (const std::string& name : names) database_.Execute("DROP INDEX " + internal::QuoteName(name));
  } catch (...) {
    try {
      Rebuild();  // the indexes dropped so far come back
    } catch (...) {
    }
    throw;
  }
}

DeferredIndexes::~DeferredIndexes() {
  try {
    Rebuild();
  } catch (...) {
  }
}

void DeferredIndexes::Rebuild() {
  while (!creates_.empty()) {
    database_.Execute(creates_.front());
    creates_.erase(creates_.begin());
  }
}

}  // namespace morvane::db
