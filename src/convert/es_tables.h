// The tables of the earth-station conversion (step 39) on the output
// database, apart from the antenna side's: the staging tables that the
// lookups read, the KTB tables that the licensee, frequency and
// special-condition writers fill, and the process log.
//
// Opened once at the start of the step, so that a row of the conversion
// costs a few index seeks and no statement is prepared per row. Moved, never
// copied; closed with the database or when the struct goes out of scope.
#pragma once

#include "convert/added_table.h"
#include "convert/freq_list_table.h"
#include "convert/lice_table.h"
#include "convert/spc_cnd_table.h"
#include "convert/staging_lookup.h"
#include "convert/staging_source.h"
#include "platform/db/database.h"
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

  // The KTB tables that the licensee, frequency and special-condition
  // writers add to, each with its own presence test.
  LiceTable lice;             // by LicenseeIdKey
  AddedTable freq;            // only added to
  FreqListTable freq_list;    // by FreqListKey, counted
  SpcCndTable spc_cnd_ant;    // by PathAntKey
  SpcCndTable spc_cnd_freq;   // by FreqKey
  SpcCndTable spc_cnd_lice;   // by CsFnKey
  SpcCndTable spc_cnd_site;   // by PathSiteKey

  // No two DalkFrequency rows share a FrequencyKey (Nulls aside), so the
  // conversion query's frequency row is the one a Seek on its key finds.
  bool frequency_keys_unique = false;

  // The KTB tables' indexes that the step does not seek on, dropped before
  // the conversion query and built once the rows are in (the tables'
  // DeferIndexes and BuildIndexes).
  void DeferIndexes();
  void BuildIndexes();
};

// Opens every recordset on `output`. Throws db::Error when a table or an
// index is missing.
EsTables OpenEsTables(db::Database& output);

}  // namespace morvane::convert
