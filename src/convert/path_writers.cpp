#include "convert/path_writers.h"

#include "convert/licensee_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

// MfgModList.MfgMod holds 50 characters; a make and a model of 25 each
// make a key of 51.
constexpr std::size_t kMfgModKeyLength = 50;
constexpr std::size_t kMakeModelLength = 25;

}  // namespace

void WritePathRecord(engine::RunContext& run, const ConversionState& state,
                     AntennaSideTables& tables) {
  const bool transmit = IsTransmit(state.cur_trans_mode_fix);
  const SideValues& side = transmit ? state.tx : state.rx;
  // The key, then one side's fields (transmit or receive).
  enum { kPathSiteKey, kAntSiteKey, kAntennaKey, kCall, kStationClass, kEsCoordFlag,
         kAreaOfOpCode, kRadOfOp };
  static constexpr std::string_view kTxFields[] = {
      "PathSiteKey", "TxAntSiteKey", "TxAntennaKey", "TxCall", "TxStationClass", "TxEsCoordFlag",
      "TxAreaOfOpCode", "TxRadOfOp"};
  static constexpr std::string_view kRxFields[] = {
      "PathSiteKey", "RxAntSiteKey", "RxAntennaKey", "RxCall", "RxStationClass", "RxEsCoordFlag",
      "RxAreaOfOpCode", "RxRadOfOp"};
  tables.path_record.Put(
      run, state.path_site_key, transmit ? PathRecordTable::kTransmit : PathRecordTable::kReceive,
      side, transmit ? kTxFields : kRxFields, FilingWhere(state) + ", path site",
      [&](db::TableRecordset& rs, const FieldPositions& at, bool adding) {
        if (adding) rs.Set(at[kPathSiteKey], state.path_site_key);
        rs.Set(at[kAntSiteKey], side.ant_site_key);
        rs.Set(at[kAntennaKey], side.antenna_key);
        rs.Set(at[kCall], side.call);
        rs.Set(at[kStationClass], side.class_station);
        rs.Set(at[kEsCoordFlag], side.es_coord_flag);
        rs.Set(at[kAreaOfOpCode], "");
        rs.Set(at[kRadOfOp], "");
      });
}

void WriteMfgModList(engine::RunContext& run, AntennaSideTables& tables, const std::string& flag,
                     const std::string& make, const std::string& model) {
  const std::string mfg = text::Trim(text::Left(make, kMakeModelLength));
  const std::string mod = text::Trim(text::Left(model, kMakeModelLength));
  if (mfg.empty() && mod.empty()) return;
  // The key is cut to the field; the make and the model stay whole in
  // their own fields. Stored and sought trimmed, so both meet.
  const std::string key = text::Trim(text::Left(mfg + "^" + mod, kMfgModKeyLength));
  KeyedTable& list = tables.mfg_mod_list;
  if (list.Holds(key)) return;
  list.Add(run, key, "make and model " + key, [&](db::TableRecordset& rs) {
    rs.Set("EquipAntFlag", flag);
    rs.Set("MfgMod", key);
    rs.Set("Mfg", mfg);
    rs.Set("Mod", mod);
  });
  run.YieldIfDue();
}

}  // namespace morvane::convert
