// The antenna side of the earth-station conversion (step 39): per query row
// the antenna record (AntMain), the coordination record (SiteEsCoord), the
// satellite record (SiteSat), the path record (PathRecord), the antenna-site
// records (SiteInfo in the output database; AntSiteInfo and AntSiteCallSign
// in the user's antenna-site database) and the make-model list (MfgModList).
//
// The step's driver opens the tables once (AntennaSideTables) and hands
// them, with the conversion state, to every call. Each written row is
// its own transaction; a value that a field refuses sets that record aside
// (rejected-data file) and the conversion goes on. Other errors propagate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "convert/ant_site_tables.h"
#include "convert/conversion_state.h"
#include "convert/filing_group_keys.h"
#include "convert/keyed_table.h"
#include "convert/path_record_table.h"
#include "convert/site_es_coord_table.h"
#include "convert/staging_lookup.h"
#include "platform/db/database.h"
#include "run/run_context.h"

namespace morvane::convert {

// The tables of the antenna side, each with its own presence test, and the
// class-of-station code list. AntMain, SiteSat and SiteEsCoord share what the
// step knows of the keys of the present call sign (FilingGroupKeys), so the
// object stays where it was made.
class AntennaSideTables {
 public:
  // Opens the tables; throws db::Error when a table or an index is missing.
  AntennaSideTables(db::Database& output, db::Database& ant_site_db);
  AntennaSideTables(const AntennaSideTables&) = delete;
  AntennaSideTables& operator=(const AntennaSideTables&) = delete;

  // Each query row, before its writers: its call sign and filing.
  void StartRow(std::string_view call_sign, std::int64_t filing_key) {
    path_keys_.StartRow(call_sign, filing_key);
  }
  // The output tables' indexes that the step does not seek on, dropped
  // before the conversion query and built once the rows are in.
  void DeferIndexes();
  void BuildIndexes();

 private:
  FilingGroupKeys path_keys_;  // before the tables that refer to it

 public:
  // In the output database.
  KeyedTable ant_main;             // by PathAntKey
  SiteEsCoordTable site_es_coord;  // numbered per PathSiteKey
  KeyedTable site_sat;             // by PathSiteKey
  PathRecordTable path_record;     // by PathSiteKey
  KeyedTable mfg_mod_list;         // by MfgMod
  KeyedTable site_info;            // by AntSiteKey
  StagingLookup class_of_station_code;  // DalkClassOfStationCode by idxClassOfStationCode
  // In the user's antenna-site database (setting AntSiteDb).
  AntSiteInfoTable ant_site_info;
  AntSiteCallSignTable ant_site_call_sign;
};

// The antenna writer of one query row: sets the side values (state.tx or
// state.rx) and the station classes that the frequency writer reads, writes
// AntMain, SiteEsCoord, the antenna-site records, PathRecord and SiteSat.
// The lookups of the row have run.
void WriteAntMainTable(engine::RunContext& run, ConversionState& state, AntennaSideTables& tables);

// Adds the make-model pair to MfgModList when it is new; `flag` is "A" for
// antennas.
void WriteMfgModList(engine::RunContext& run, AntennaSideTables& tables, const std::string& flag,
                     const std::string& make, const std::string& model);

}  // namespace morvane::convert
