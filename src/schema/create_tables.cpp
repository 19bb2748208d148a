#include "platform/db/database.h"
#include "schema/schema_table.h"

namespace morvane::schema {

void CreateTables(db::Database& database, std::span<const TableSpec> tables,
                  TableObserver* observer) {
  for (const TableSpec& table : tables) {
    if (observer) observer->CreatingTable(table);
    database.AppendTable(table.def);
    if (observer) observer->TableCreated(table);
  }
}

}  // namespace morvane::schema
