#include "convert/path_writers.h"

#include "convert/row_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

// MfgModList.MfgMod holds 50 characters; a make and a model of 25 each
// make a key of 51.
constexpr std::size_t kMfgModKeyLength = 50;
constexpr std::size_t kMakeModelLength = 25;

// The path record's fields of one side hold these values.
bool SameSide(const SideValues& a, const SideValues& b) {
  return a.ant_site_key == b.ant_site_key && a.antenna_key == b.antenna_key && a.call == b.call &&
         a.class_station == b.class_station && a.es_coord_flag == b.es_coord_flag;
}

}  // namespace

void WritePathRecord(engine::RunContext& run, const ConversionState& state,
                     AntennaSideTables& tables) {
  const bool transmit = IsTransmit(state.cur_trans_mode_fix);
  const SideValues& side = transmit ? state.tx : state.rx;
  std::string& written_key = tables.path_written_key[transmit ? 0 : 1];
  SideValues& written = tables.path_written[transmit ? 0 : 1];
  // Only this writer changes these fields: the row holds them already. A
  // path site whose row a field refused is set aside once.
  if (!written_key.empty() && written_key == state.path_site_key && SameSide(written, side)) return;
  if (tables.path_record_refused.Contains(state.path_site_key)) return;
  db::TableRecordset& path = tables.path_record;
  // The path site's rows come together: after the first, the recordset
  // mostly stands on the row this writer has just edited.
  const bool exists =
      tables.path_record_keys.Find(state.path_site_key) != KnownKeys::Answer::kAbsent &&
      tables.path_record_at.Seek(path, state.path_site_key);
  // The key, then one side's fields (transmit or receive).
  enum { kPathSiteKey, kAntSiteKey, kAntennaKey, kCall, kStationClass, kEsCoordFlag,
         kAreaOfOpCode, kRadOfOp };
  static constexpr std::string_view kTxFields[] = {
      "PathSiteKey", "TxAntSiteKey", "TxAntennaKey", "TxCall", "TxStationClass", "TxEsCoordFlag",
      "TxAreaOfOpCode", "TxRadOfOp"};
  static constexpr std::string_view kRxFields[] = {
      "PathSiteKey", "RxAntSiteKey", "RxAntennaKey", "RxCall", "RxStationClass", "RxEsCoordFlag",
      "RxAreaOfOpCode", "RxRadOfOp"};
  const FieldPositions& at = transmit ? tables.path_tx_fields.Resolve(path, kTxFields)
                                      : tables.path_rx_fields.Resolve(path, kRxFields);
  const bool stored = WriteRow(run, path, exists ? RowWrite::kEdit : RowWrite::kAdd, "path site " + state.path_site_key,
           [&](db::TableRecordset& rs) {
             if (!exists) rs.Set(at[kPathSiteKey], state.path_site_key);
             rs.Set(at[kAntSiteKey], side.ant_site_key);
             rs.Set(at[kAntennaKey], side.antenna_key);
             rs.Set(at[kCall], side.call);
             rs.Set(at[kStationClass], side.class_station);
             rs.Set(at[kEsCoordFlag], side.es_coord_flag);
             rs.Set(at[kAreaOfOpCode], "");
             rs.Set(at[kRadOfOp], "");
           });
  if (!exists || !stored) tables.path_record_at.Forget();  // an added row moves nothing
  if (!stored) return tables.path_record_refused.Add(state.path_site_key);
  tables.path_record_keys.Add(state.path_site_key);
  written_key = state.path_site_key;
  written = side;
}

void WriteMfgModList(engine::RunContext& run, AntennaSideTables& tables, const std::string& flag,
                     const std::string& make, const std::string& model) {
  const std::string mfg = text::Trim(text::Left(make, kMakeModelLength));
  const std::string mod = text::Trim(text::Left(model, kMakeModelLength));
  if (mfg.empty() && mod.empty()) return;
  // The key is cut to the field; the make and the model stay whole in
  // their own fields. Stored and sought trimmed, so both meet.
  const std::string key = text::Trim(text::Left(mfg + "^" + mod, kMfgModKeyLength));
  db::TableRecordset& list = tables.mfg_mod_list;
  if (tables.mfg_mod_refused.Contains(key) || Holds(tables.mfg_mod_keys, list, key)) return;
  const bool stored = WriteRow(run, list, RowWrite::kAdd, "make and model " + key, [&](db::TableRecordset& rs) {
    rs.Set("EquipAntFlag", flag);
    rs.Set("MfgMod", key);
    rs.Set("Mfg", mfg);
    rs.Set("Mod", mod);
  });
  if (stored)
    tables.mfg_mod_keys.Add(key);
  else
    tables.mfg_mod_refused.Add(key);
  run.YieldIfDue();
}

}  // namespace morvane::convert
