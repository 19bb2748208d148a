// The current DalkSite row as the site matching (steps 28 and 29) reads it,
// and the match keys built from it.
//
// The coordinate and elevation texts are the ones the site loader stores
// (e.g. "N0385351.5", "00140031.5", "0012.3"); the keys join them unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/prepared_sql.h"

namespace morvane::convert {

struct SiteRecord {
  std::int64_t row_id = 0;                     // where the row is stored
  std::int64_t site_key = 0;
  std::int64_t filing_key = 0;
  std::string street1, street2, city, county, state;
  std::string elevation;                       // SiteElevation
  std::string lat_dms, lat_sec, lon_dms, lon_sec;
  std::string nad_ind;
  std::string tower_site_key, tower_flag;      // "" when Null
  std::string match_datum;                     // "NAD83" or "NAD27"
  std::string match_street;                    // street 1 [" / " street 2], trimmed
};

// Which DalkSite fields a step reads: the coordinates (with the keys and
// the tower fields) for step 28, which builds no address key; all of them
// for step 29. The fields not read stay "".
enum class SiteFields { kCoordinates, kAll };

// The fields as the column list of a SELECT: the row id first, then the
// fields in the order ReadSiteRecord takes them.
std::string SiteRecordColumns(SiteFields fields);

// ReadSiteRecord: the result `row` of a query on SiteRecordColumns(fields),
// Null fields read as "" or 0.
SiteRecord ReadSiteRecord(const db::PreparedSql& rows, std::int64_t row, SiteFields fields);

// True when both total-seconds texts have the numeric value 0: the site has
// no coordinates.
bool HasNoCoordinates(const SiteRecord& site);

// A site's street line: "12 Main St / Bldg 4", or the first line alone
// when the second is blank; both trimmed.
std::string SiteStreetTextOf(std::string_view street1, std::string_view street2);

// The coordinate key of databases A and B (no bar at the end), trimmed.
std::string SiteCoordKey(const SiteRecord& site);
// The coordinate key of database C (with a bar at the end), trimmed.
std::string SiteCoordKeyC(const SiteRecord& site);
// The address key of database D (state, county, city, street, elevation and
// seven bars), trimmed.
std::string SiteAddressKey(const SiteRecord& site);

}  // namespace morvane::convert
