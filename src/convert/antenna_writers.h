// The antenna side of the earth-station conversion (step 39): per query row
// the antenna record (AntMain), the coordination record (SiteEsCoord), the
// satellite record (SiteSat), the path record (PathRecord), the antenna-site
// records (SiteInfo in the output database; AntSiteInfo and AntSiteCallSign
// in the user's antenna-site database) and the make-model list (MfgModList).
//
// The step's driver opens the recordsets once (OpenAntennaSideTables) and
// hands them, with the conversion state, to every call. Each written row is
// its own transaction; a value that a field refuses sets that record aside
// (rejected-data file) and the conversion goes on. Other errors propagate.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "convert/conversion_state.h"
#include "convert/field_positions.h"
#include "convert/filing_group_keys.h"
#include "convert/known_keys.h"
#include "convert/staging_lookup.h"
#include "convert/refused_keys.h"
#include "convert/staging_source.h"
#include "convert/row_position.h"
#include "platform/db/database.h"
#include "platform/db/prepared_sql.h"
#include "platform/db/table_recordset.h"
#include "run/run_context.h"

namespace morvane::convert {

struct AntennaSideTables {
  // In the output database, each on the index of its key (AntMain
  // idxPathAntKey, SiteSat and PathRecord idxPathSiteKey, MfgModList
  // idxMfgMod, SiteInfo idxAntSiteKey); SiteEsCoord is only added to.
  db::TableRecordset ant_main, site_es_coord, site_sat, path_record, mfg_mod_list, site_info;
  // The class-of-station code list, DalkClassOfStationCode by
  // idxClassOfStationCode: the rows of one filing share its code.
  StagingLookup class_of_station_code;
  // The keys of the output tables above that the step has seen stored, so
  // that most presence tests need no Seek.
  KnownKeys path_record_keys, mfg_mod_keys, site_info_keys;
  // AntMain and SiteSat: presence from the keys of the present call sign
  // while that answer is exact; else from their key indexes, which the step
  // then builds at once through build_path_indexes (when it defers them),
  // with the keys seen since.
  FilingGroupKeys path_keys;
  KnownKeys ant_main_keys{false}, site_sat_keys{false};
  std::function<void()> build_path_indexes;  // emptied once called
  // SiteEsCoord.Seq once path_keys is not exact: the highest Seq of a path
  // site read from the table (on its key index, built with the others),
  // and the path site numbered last with its Seq.
  db::Database* site_es_coord_db = nullptr;  // the output database
  std::optional<db::PreparedSql> coord_seq_read;
  std::string coord_last_key;
  int coord_last_seq = 0;
  // The keys whose record a field refused, set aside once.
  RefusedKeys ant_main_refused, site_sat_refused, path_record_refused, mfg_mod_refused;
  // The positions of the fields that the antenna, coordination and path
  // writers set.
  FieldPositions ant_main_fields, site_es_coord_fields, path_tx_fields, path_rx_fields;
  // The side values that the path writer last stored for each side (0
  // transmit, 1 receive), with the key of their row as written: a row of
  // that key that would store the same values again is left as it stands,
  // without a Seek.
  std::string path_written_key[2];
  SideValues path_written[2];
  RowPosition path_record_at;  // the PathRecord row the path writer stands on
  // In the user's antenna-site database (setting AntSiteDb), each on
  // idxAntSiteKey; the row that the call-sign writer stands on.
  db::TableRecordset ant_site_info, ant_site_call_sign;
  RowPosition ant_site_call_sign_at;

  // What the antenna-site writers remember during the step: sites whose
  // SiteInfo row a field refused, so that their later rows leave the
  // antenna-site database alone as a stored row would; sites whose
  // AntSiteCallSign row a field refused; sites whose AntSiteCallSign counts
  // reached their limit, reported once.
  RefusedKeys site_info_refused, ant_site_call_sign_refused, counts_capped;
};

// Opens the recordsets; throws db::Error when a table or an index is missing.
AntennaSideTables OpenAntennaSideTables(db::Database& output, db::Database& ant_site_db);

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
