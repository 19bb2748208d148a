// The user's databases that belong with a synthetic export: the antenna-site
// match databases A to E, the antenna-site database and the
// registration-number database, written as SQL rows (INSERT statements in
// one transaction) into `<export>/databases/`, one file per database:
// a.sql, b.sql, c.sql, d.sql, e.sql, antsitedb.sql, einkwd.sql. Each goes
// after the schema of its database (tests/data/antsite/<name>.sql,
// tests/data/registration/einkwd.sql); scripts/sample-databases.sh builds the
// SQLite files from the two.
//
// The entries are made from the export's own site.dat and address.dat, read
// the way the loaders read them, so that the keys are the ones the run
// compares: of the distinct site positions, in order of first appearance,
// three in ten are registered towers in A, two in ten are in B, one in ten
// has an entry in C already and the rest are new; every other site of A and
// B is known to the antenna-site database from an earlier run. Sites without
// coordinates go to D; D and E get a few entries of earlier runs. Three in
// four of the distinct registration numbers of address.dat are in the
// registration-number database.
//
// Deterministic: the same export gives the same bytes. Memory grows with the
// number of distinct positions and registration numbers, not with the records.
#pragma once

#include <cstdint>
#include <filesystem>

namespace morvane::bench {

struct UserDatabaseCounts {
  std::int64_t a = 0, b = 0, c = 0, d = 0, e = 0;  // entries of each match database
  std::int64_t ant_site_info = 0;                  // AntSiteInfo rows
  std::int64_t registrants = 0;                    // EinKwdTable rows
};

// Reads `export_dir`/site.dat and address.dat and writes the files above.
// Throws std::runtime_error (or std::filesystem::filesystem_error) when a file
// cannot be read or written.
UserDatabaseCounts WriteUserDatabaseSql(const std::filesystem::path& export_dir);

}  // namespace morvane::bench
