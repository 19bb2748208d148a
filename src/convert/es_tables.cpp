#include "convert/es_tables.h"

#include <string_view>

#include "platform/db/sql_recordset.h"

namespace morvane::convert {
namespace {

db::TableRecordset Open(db::Database& output, std::string_view table, std::string_view index) {
  db::TableRecordset rs = output.OpenTable(table);
  if (!index.empty()) rs.SetIndex(index);
  return rs;
}

bool FrequencyKeysUnique(db::Database& output) {
  db::SqlRecordset shared = output.OpenSql(
      "SELECT EXISTS (SELECT 1 FROM DalkFrequency WHERE FrequencyKey IS NOT NULL "
      "GROUP BY FrequencyKey HAVING count(*) > 1)");
  return shared.Get(0).AsInteger() == 0;
}

}  // namespace

EsTables OpenEsTables(db::Database& output) {
  EsTables t;
  t.process_log = output.OpenTable("ProcessLog");
  auto lookup = [&](std::string_view table, std::string_view index) {
    return StagingLookup(OpenStagingSource(output, table, index));
  };
  t.main = lookup("DalkMain", "idxFilingKey");
  t.address = lookup("DalkAddress", "idxAddressKey");
  t.site = lookup("DalkSite", "idxSiteKey");
  t.antenna = lookup("DalkAntenna", "idxAntennaKey");
  t.antenna_gain = lookup("DalkAntennaGain", "idxAntennaKey");
  t.frequency = lookup("DalkFrequency", "idxFrequencyKey");
  t.frequency_keys_unique = FrequencyKeysUnique(output);
  t.freq_coord = lookup("DalkFreqCoord", "idxAntennaKey");
  t.space_station = lookup("DalkSpaceStation", "idxSpaceStationKey");
  t.pt_comm = lookup("DalkPtComm", "idxSiteKey");
  t.form312 = lookup("DalkForm312", "idxFilingKey");
  t.nature_of_service = lookup("DalkNatureOfService", "idxFilingKey");
  t.nature_of_service_code = lookup("DalkNatureOfServiceCode", "idxNatureOfServiceCode");
  t.condition = lookup("DalkCondition", "idxConditionCode");
  t.antenna_conditions = ConditionTexts(
      OpenStagingSource(output, "DalkAntennaCondition", "idxAntennaKey"), " AntennaKey = ", false);
  t.frequency_conditions = ConditionTexts(
      OpenStagingSource(output, "DalkFrequencyCondition", "idxFrequencyKey"), " FrequencyKey = ", true);
  t.license_conditions = ConditionTexts(
      OpenStagingSource(output, "DalkLicenseCondition", "idxFilingKey"), " FilingKey = ", true);
  t.site_conditions = ConditionTexts(
      OpenStagingSource(output, "DalkSiteCondition", "idxSiteKey"), " SiteKey = ", true);
  t.lice = Open(output, "Lice", "idxLicenseeIdKey");
  t.lice_keys = KnownKeysOf(t.lice);
  t.freq = Open(output, "Freq", "");
  t.freq_list = Open(output, "FreqList", "");
  t.freq_list_rows = StoredKeyRows(output, "FreqList", "FreqListKey", "FreqCnt");
  t.freq_list_count = output.Prepare("UPDATE FreqList SET FreqCnt = ?2 WHERE rowid = ?1");
  t.spc_cnd_ant = Open(output, "SpcCndAnt", "idxPathAntKey");
  t.spc_cnd_freq = Open(output, "SpcCndFreq", "idxFreqKey");
  t.spc_cnd_lice = Open(output, "SpcCndLice", "idxCsFnKey");
  t.spc_cnd_site = Open(output, "SpcCndSite", "idxPathSiteKey");
  t.spc_cnd_ant_texts.keys = KnownKeysOf(t.spc_cnd_ant);
  t.spc_cnd_freq_texts.keys = KnownKeysOf(t.spc_cnd_freq);
  t.spc_cnd_lice_texts.keys = KnownKeysOf(t.spc_cnd_lice);
  t.spc_cnd_site_texts.keys = KnownKeysOf(t.spc_cnd_site);
  return t;
}

EsDeferredIndexes::EsDeferredIndexes(db::Database& output) {
  struct Deferred {
    const char* table;
    std::vector<std::string_view> keep;  // sought during the step
  };
  const Deferred deferred[] = {{"Freq", {}},
                               {"FreqList", {}},
                               {"SiteEsCoord", {}},
                               {"AntMain", {}},
                               {"SiteSat", {}},
                               {"Lice", {"idxLicenseeIdKey"}},
                               {"PathRecord", {"idxPathSiteKey"}},
                               {"SiteInfo", {"idxAntSiteKey"}}};
  for (const Deferred& d : deferred)
    tables_.push_back({d.table, std::make_unique<db::DeferredIndexes>(output, d.table, d.keep)});
}

void EsDeferredIndexes::Rebuild(std::string_view table) {
  for (auto& [name, indexes] : tables_)
    if (name == table) indexes->Rebuild();
}

void EsDeferredIndexes::Rebuild() {
  for (auto& [name, indexes] : tables_) indexes->Rebuild();
}

}  // namespace morvane::convert
