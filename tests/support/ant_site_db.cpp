#include "support/ant_site_db.h"

#include <string>

#include "support/sql_database.h"

namespace morvane::testing {

std::filesystem::path BuildAntSiteDb(const std::filesystem::path& file) {
  return BuildSqlDatabaseFromFile(file, "antsite/antsitedb.sql");
}

void BuildAntSiteDatabases(const std::filesystem::path& folder, engine::RunPaths& paths) {
  const struct {
    const char* letter;
    std::string* setting;
  } matches[] = {{"a", &paths.ant_site_a}, {"b", &paths.ant_site_b}, {"c", &paths.ant_site_c},
                 {"d", &paths.ant_site_d}, {"e", &paths.ant_site_e}};
  for (const auto& m : matches)
    *m.setting = BuildSqlDatabaseFromFile(folder / ("antsite_" + std::string(m.letter) + ".mdb"),
                                          "antsite/" + std::string(m.letter) + ".sql")
                     .string();
  paths.ant_site_db = BuildAntSiteDb(folder / "AntSiteDb.mdb").string();
}

}  // namespace morvane::testing
