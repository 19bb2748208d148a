// The recordsets of the earth-station conversion (step 39) on the output
// database, apart from the antenna side's: the staging tables that the
// lookups seek, the KTB tables that the licensee, frequency and
// special-condition writers fill, and the process log.
//
// Opened once at the start of the step, each KTB table set to the one index
// it is sought on, so that a row of the conversion costs a few index seeks
// and no statement is prepared per row. Moved, never copied; closed with the
// database or when the struct goes out of scope.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "convert/field_positions.h"
#include "convert/key_rows.h"
#include "convert/known_keys.h"
#include "convert/refused_keys.h"
#include "convert/staging_lookup.h"
#include "convert/staging_source.h"
#include "convert/stored_texts.h"
#include "platform/db/database.h"
#include "platform/db/deferred_indexes.h"
#include "platform/db/prepared_sql.h"
#include "platform/db/table_recordset.h"

namespace morvane::convert {

struct EsTables {
  db::TableRecordset process_log;

  // Staging tables, each read by the field of the index named in the
  // comment (the index must exist), each lookup with its own memory.
  StagingLookup main;                   // DalkMain, idxFilingKey
  StagingLookup address;                // DalkAddress, idxAddressKey
  StagingLookup site;                   // DalkSite, idxSiteKey
  StagingLookup antenna;                // DalkAntenna, idxAntennaKey
  StagingLookup antenna_gain;           // DalkAntennaGain, idxAntennaKey
  StagingLookup frequency;              // DalkFrequency, idxFrequencyKey
  StagingLookup freq_coord;             // DalkFreqCoord, idxAntennaKey
  StagingLookup space_station;          // DalkSpaceStation, idxSpaceStationKey
  StagingLookup pt_comm;                // DalkPtComm, idxSiteKey
  StagingLookup form312;                // DalkForm312, idxFilingKey
  StagingLookup nature_of_service;      // DalkNatureOfService, idxFilingKey
  StagingLookup nature_of_service_code; // DalkNatureOfServiceCode, idxNatureOfServiceCode
  StagingLookup condition;              // DalkCondition, idxConditionCode
  // The condition texts of an antenna, frequency, filing and site.
  ConditionTexts antenna_conditions;    // DalkAntennaCondition, idxAntennaKey
  ConditionTexts frequency_conditions;  // DalkFrequencyCondition, idxFrequencyKey
  ConditionTexts license_conditions;    // DalkLicenseCondition, idxFilingKey
  ConditionTexts site_conditions;       // DalkSiteCondition, idxSiteKey

  // KTB tables, each on the index of its key.
  db::TableRecordset lice;           // idxLicenseeIdKey
  db::TableRecordset freq;           // stored order: only added to
  FieldPositions freq_fields;        // of the fields the frequency writer sets
  db::TableRecordset freq_list;      // stored order: only added to
  FieldPositions freq_list_fields;   // of the fields of a new list row
  // Every FreqList key with its row (those stored before the step too), so
  // that no Seek is needed and the key's index is built after the rows; a
  // held key's count is raised by row id.
  KeyRows freq_list_rows;
  db::PreparedSql freq_list_count;   // ?1 row id, ?2 the new FreqCnt
  db::TableRecordset spc_cnd_ant;    // idxPathAntKey
  db::TableRecordset spc_cnd_freq;   // idxFreqKey
  db::TableRecordset spc_cnd_lice;   // idxCsFnKey
  db::TableRecordset spc_cnd_site;   // idxPathSiteKey

  // The keys of Lice that the step has seen stored, so that most presence
  // tests need no Seek.
  KnownKeys lice_keys;
  // The texts of the special-condition tables, so that most rows need no
  // Seek to learn that their text is stored already.
  StoredTexts spc_cnd_ant_texts, spc_cnd_freq_texts, spc_cnd_lice_texts, spc_cnd_site_texts;

  // No two DalkFrequency rows share a FrequencyKey (Nulls aside), so the
  // conversion query's frequency row is the one a Seek on its key finds.
  bool frequency_keys_unique = false;

  // The keys whose record a field refused, set aside once: the later rows
  // of a FreqList key whose new row was refused leave it alone (a refused
  // raise of a stored count is reported with each raise); a Lice record is
  // refused under its key and address key, so another address of the
  // licensee still makes its own; a special-condition text refused under a
  // key is not tried again under that key.
  RefusedKeys lice_refused, freq_list_refused, spc_cnd_ant_refused, spc_cnd_freq_refused,
      spc_cnd_lice_refused, spc_cnd_site_refused;

  // Filings whose missing address row has been reported, so a filing with
  // many rows gives one rejected-data line.
  std::unordered_set<std::int64_t> address_missing_reported;
};

// Opens every recordset on `output`. Throws db::Error when a table or an
// index is missing.
EsTables OpenEsTables(db::Database& output);

// The indexes of the KTB tables that the step adds rows to without seeking
// on them, built once the rows are in (db::DeferredIndexes): every index of
// Freq, FreqList, AntMain, SiteSat and SiteEsCoord (their presence tests
// and SiteEsCoord's numbering are answered from memory; AntMain's, SiteSat's
// and SiteEsCoord's only while that answer is exact, after which
// Rebuild(table) builds theirs at once), and those of
// Lice, PathRecord and SiteInfo but
// the one of the key that the step seeks. Made after the recordsets are
// opened and set to their indexes, and before the conversion query; Rebuild()
// before the step's ProcessLog row, or else, whatever way the step ends, when
// this goes out of scope. `output` must stay open meanwhile. Throws db::Error.
class EsDeferredIndexes {
 public:
  explicit EsDeferredIndexes(db::Database& output);
  void Rebuild();
  // Builds the indexes of `table` now, so that the step can seek on them.
  void Rebuild(std::string_view table);

 private:
  std::vector<std::pair<std::string_view, std::unique_ptr<db::DeferredIndexes>>> tables_;
};

}  // namespace morvane::convert
