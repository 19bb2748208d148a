#include "convert/es_tables.h"

#include <string_view>

#include "platform/db/sql_recordset.h"

namespace morvane::convert {
namespace {

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
  t.lice = LiceTable(output, "Lice", "idxLicenseeIdKey");
  t.freq = AddedTable(output, "Freq");
  t.freq_list = FreqListTable(output);
  t.spc_cnd_ant = SpcCndTable(output, "SpcCndAnt", "PathAntKey", "idxPathAntKey");
  t.spc_cnd_freq = SpcCndTable(output, "SpcCndFreq", "FreqKey", "idxFreqKey");
  t.spc_cnd_lice = SpcCndTable(output, "SpcCndLice", "CsFnKey", "idxCsFnKey");
  t.spc_cnd_site = SpcCndTable(output, "SpcCndSite", "PathSiteKey", "idxPathSiteKey");
  return t;
}

void EsTables::DeferIndexes() {
  freq.DeferIndexes();
  freq_list.DeferIndexes();
  lice.DeferIndexes();
}

void EsTables::BuildIndexes() {
  freq.BuildIndexes();
  freq_list.BuildIndexes();
  lice.BuildIndexes();
}

}  // namespace morvane::convert
