#include "convert/antenna_writers.h"

#include <charconv>

#include "convert/antenna_site_writers.h"
#include "convert/path_writers.h"
#include "convert/qd_key.h"
#include "convert/row_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

constexpr const char* kHeightMask = "0000.0; 000.0;0000.0";
constexpr const char* kUnknownClass = "QDU";

// Builds the deferred key indexes of AntMain, SiteSat and SiteEsCoord, once:
// the indexes stay.
void BuildPathIndexes(AntennaSideTables& t) {
  if (!t.build_path_indexes) return;
  const auto build = std::move(t.build_path_indexes);
  t.build_path_indexes = nullptr;
  build();
}

// Presence of a key of AntMain or SiteSat (see AntennaSideTables).
bool HoldsPathKey(AntennaSideTables& t, FilingGroupKeys::Table table, const std::string& key) {
  if (t.path_keys.exact()) return t.path_keys.Holds(table, key);
  BuildPathIndexes(t);
  return table == FilingGroupKeys::kAntMain ? Holds(t.ant_main_keys, t.ant_main, key)
                                            : Holds(t.site_sat_keys, t.site_sat, key);
}

void AddPathKey(AntennaSideTables& t, FilingGroupKeys::Table table, const std::string& key) {
  if (t.path_keys.exact()) return t.path_keys.Add(table, key);
  (table == FilingGroupKeys::kAntMain ? t.ant_main_keys : t.site_sat_keys).Add(key);
}

// The class of station of the row's filing as the code list spells it;
// "QDU" when the list does not hold the code.
std::string ClassOfStation(const ConversionState& state, AntennaSideTables& tables) {
  static constexpr std::string_view kFields[] = {"ClassOfStationCode"};
  if (!tables.class_of_station_code.Find(db::Value(text::Trim(state.main.class_of_station_code)),
                                         kFields))
    return kUnknownClass;
  return tables.class_of_station_code.Get(0).AsText();
}

// The antenna's height above ground to its centre: the maximum height less
// half the larger diameter, held with single precision. The float is read
// back through its shortest decimal text, so 8.45 formats as 8.5 and not as
// the 8.4499998 that the float holds.
double AntennaHeight(const AntennaValues& antenna) {
  double size = text::Val(antenna.diameter);
  const double major = text::Val(antenna.diameter_major);
  if (major > size) size = major;
  const float height = static_cast<float>(text::Val(antenna.height_max_agl) - size / 2);
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, height).ptr;
  double value = 0;
  std::from_chars(digits, end, value);
  return value;
}

// AntHgt: a negative height keeps its leading blank on the transmit side.
std::string AntennaHeightText(const AntennaValues& antenna, bool transmit) {
  const std::string hgt = text::Format(AntennaHeight(antenna), kHeightMask);
  return transmit ? hgt : text::Trim(hgt);
}

void WriteAntMainRow(engine::RunContext& run, const ConversionState& state,
                     AntennaSideTables& tables, bool transmit) {
  db::TableRecordset& ant_main = tables.ant_main;
  // Written by the path antenna's first row; a refused one is set aside once.
  if (tables.ant_main_refused.Contains(state.path_ant_key) ||
      HoldsPathKey(tables, FilingGroupKeys::kAntMain, state.path_ant_key))
    return;
  const AntennaValues& a = state.antenna;
  const std::string& size =
      text::Val(a.diameter_major) > text::Val(a.diameter) ? a.diameter_major : a.diameter;
  enum {
    kPathAntKey, kAntennaKey, kLocationKey, kCallSign, kAntHgt, kAntPlr, kAntMfg, kAntMod, kAntGn,
    kAntSize
  };
  static constexpr std::string_view kFields[] = {
      "PathAntKey", "AntennaKey", "LocationKey", "CallSign", "AntHgt", "AntPlr", "AntMfg",
      "AntMod", "AntGn", "AntSize"};
  const FieldPositions& at = tables.ant_main_fields.Resolve(ant_main, kFields);
  const bool stored = WriteRow(run, ant_main, RowWrite::kAdd, "path antenna " + state.path_ant_key,
           [&](db::TableRecordset& rs) {
             rs.Set(at[kPathAntKey], state.path_ant_key);
             rs.Set(at[kAntennaKey], QdKey(state.cur_antenna_key));
             rs.Set(at[kLocationKey], QdKey(state.cur_site_key));
             rs.Set(at[kCallSign], state.cur_call_sign);
             rs.Set(at[kAntHgt], AntennaHeightText(a, transmit));
             rs.Set(at[kAntPlr], state.frequency.polarization_code);
             rs.Set(at[kAntMfg], a.make);
             rs.Set(at[kAntMod], a.model);
             rs.Set(at[kAntGn], a.gain);
             rs.Set(at[kAntSize], size);
           });
  if (stored)
    AddPathKey(tables, FilingGroupKeys::kAntMain, state.path_ant_key);
  else
    tables.ant_main_refused.Add(state.path_ant_key);
}

// The highest Seq stored under the row's path-site key, 0 when none. Once
// the keys of the present call sign no longer tell, the table does: the
// rows of the path site are those whose PathAntKey is the path-site key
// with "~" and the antenna's digits put before its transmit/receive letter.
int LastCoordSeq(AntennaSideTables& t, const ConversionState& state) {
  const std::string& key = state.path_site_key;
  if (t.path_keys.exact()) return t.path_keys.LastSeq(key);
  if (key == t.coord_last_key) return t.coord_last_seq;
  BuildPathIndexes(t);
  if (!t.coord_seq_read)
    t.coord_seq_read = t.site_es_coord_db->Prepare(
        "SELECT max(Seq) FROM SiteEsCoord WHERE PathAntKey >= ?1 AND PathAntKey < ?2 "
        "AND substr(PathAntKey, 1, length(?1)) = ?1 "
        "AND substr(PathAntKey, length(PathAntKey) - length(?3) + 1) = ?3 "
        "AND substr(PathAntKey, length(?1) + 1, length(PathAntKey) - length(?1) - length(?3)) "
        "GLOB '[0-9][0-9]*' "
        "AND substr(PathAntKey, length(?1) + 1, length(PathAntKey) - length(?1) - length(?3)) "
        "NOT GLOB '*[^0-9]*'");
  const std::string& letter = state.cur_trans_mode_fix;
  const std::string site = key.substr(0, key.size() - letter.size());
  t.coord_seq_read->Run({db::Value(site + "~"), db::Value(site + "\x7f"), db::Value(letter)});
  return static_cast<int>(t.coord_seq_read->Get(0, 0).AsInteger());
}

// One SiteEsCoord row when the frequency has coordination limits. Seq
// numbers the coordination rows of one path site 1, 2, 3 ... for the whole
// run, whatever rows (of the other side, of another path site, of another
// call sign) come in between.
void WriteCoordination(engine::RunContext& run, const ConversionState& state,
                       AntennaSideTables& tables, bool transmit, SideValues& side) {
  const FreqCoordValues& c = state.freq_coord;
  if (!(text::Val(c.freq_limit_low) > 0)) return;
  const int seq = LastCoordSeq(tables, state) + 1;
  enum {
    kPathAntKey, kSeq, kCallSign, kAzimuthEast, kAzimuthWest, kElevationEast, kElevationWest,
    kFreqLimitLow, kFreqLimitHigh, kSatArcEast, kSatArcWest, kSatHemiEast, kSatHemiWest,
    kSatOrbitType, kHorizMaxDensity
  };
  static constexpr std::string_view kFields[] = {
      "PathAntKey", "Seq", "CallSign", "AzimuthEast", "AzimuthWest", "ElevationEast",
      "ElevationWest", "FreqLimitLow", "FreqLimitHigh", "SatArcEast", "SatArcWest", "SatHemiEast",
      "SatHemiWest", "SatOrbitType", "HorizMaxDensity"};
  const FieldPositions& at = tables.site_es_coord_fields.Resolve(tables.site_es_coord, kFields);
  const bool written =
      WriteRow(run, tables.site_es_coord, RowWrite::kAdd, "path antenna " + state.path_ant_key,
               [&](db::TableRecordset& rs) {
                 rs.Set(at[kPathAntKey], state.path_ant_key);
                 rs.Set(at[kSeq], seq);
                 rs.Set(at[kCallSign], transmit ? state.main.call_sign : state.cur_call_sign);
                 rs.Set(at[kAzimuthEast], c.azimuth_east);
                 rs.Set(at[kAzimuthWest], c.azimuth_west);
                 rs.Set(at[kElevationEast], c.elevation_east);
                 rs.Set(at[kElevationWest], c.elevation_west);
                 rs.Set(at[kFreqLimitLow], c.freq_limit_low);
                 rs.Set(at[kFreqLimitHigh], c.freq_limit_high);
                 rs.Set(at[kSatArcEast], c.sat_arc_east);
                 rs.Set(at[kSatArcWest], c.sat_arc_west);
                 rs.Set(at[kSatHemiEast], c.sat_hemi_east);
                 rs.Set(at[kSatHemiWest], c.sat_hemi_west);
                 rs.Set(at[kSatOrbitType], c.sat_orbit_type);
                 if (transmit) rs.Set(at[kHorizMaxDensity], c.horiz_max_density);
               });
  if (!written) return;  // a set-aside row is not numbered, nor flagged
  side.es_coord_flag = "1";
  side.coord_seq = seq;
  if (tables.path_keys.exact()) tables.path_keys.SetSeq(state.path_site_key, seq);
  tables.coord_last_key = state.path_site_key;
  tables.coord_last_seq = seq;
}

// One SiteSat row per path site, from its first row.
void WriteSiteSat(engine::RunContext& run, const ConversionState& state,
                  AntennaSideTables& tables) {
  db::TableRecordset& site_sat = tables.site_sat;
  if (tables.site_sat_refused.Contains(state.path_site_key) ||
      HoldsPathKey(tables, FilingGroupKeys::kSiteSat, state.path_site_key))
    return;
  const bool stored = WriteRow(run, site_sat, RowWrite::kAdd, "path site " + state.path_site_key,
           [&](db::TableRecordset& rs) {
             rs.Set("PathSiteKey", state.path_site_key);
             rs.Set("SatOrbitType", state.freq_coord.sat_orbit_type);
             rs.Set("OrbitLocation", state.space_station.orbit_location);
             rs.Set("UsName", state.space_station.us_name);
           });
  if (stored)
    AddPathKey(tables, FilingGroupKeys::kSiteSat, state.path_site_key);
  else
    tables.site_sat_refused.Add(state.path_site_key);
}

}  // namespace

AntennaSideTables OpenAntennaSideTables(db::Database& output, db::Database& ant_site_db) {
  AntennaSideTables t;
  auto open = [&](std::string_view table, std::string_view index, KnownKeys* keys) {
    db::TableRecordset rs = output.OpenTable(table);
    if (!index.empty()) rs.SetIndex(index);
    if (keys) *keys = KnownKeysOf(rs);
    return rs;
  };
  t.ant_main = open("AntMain", "idxPathAntKey", nullptr);
  t.site_es_coord = open("SiteEsCoord", "", nullptr);
  t.site_sat = open("SiteSat", "idxPathSiteKey", nullptr);
  t.path_keys = FilingGroupKeys(t.ant_main.RecordCount() == 0 && t.site_sat.RecordCount() == 0 &&
                                t.site_es_coord.RecordCount() == 0);
  t.site_es_coord_db = &output;
  t.class_of_station_code = StagingLookup(
      OpenStagingSource(output, "DalkClassOfStationCode", "idxClassOfStationCode"));
  t.path_record = open("PathRecord", "idxPathSiteKey", &t.path_record_keys);
  t.mfg_mod_list = open("MfgModList", "idxMfgMod", &t.mfg_mod_keys);
  t.site_info = open("SiteInfo", "idxAntSiteKey", &t.site_info_keys);
  t.ant_site_info = ant_site_db.OpenTable("AntSiteInfo");
  t.ant_site_info.SetIndex("idxAntSiteKey");
  t.ant_site_call_sign = ant_site_db.OpenTable("AntSiteCallSign");
  t.ant_site_call_sign.SetIndex("idxAntSiteKey");
  return t;
}

void WriteAntMainTable(engine::RunContext& run, ConversionState& state, AntennaSideTables& tables) {
  // Only the row's own side has a class and can have a coordination flag.
  state.tx.class_station.clear();
  state.rx.class_station.clear();
  state.tx.es_coord_flag = "0";
  state.rx.es_coord_flag = "0";
  const bool transmit = IsTransmit(state.cur_trans_mode_fix);
  SideValues& side = transmit ? state.tx : state.rx;

  side.class_station = ClassOfStation(state, tables);
  WriteAntMainRow(run, state, tables, transmit);
  WriteCoordination(run, state, tables, transmit, side);

  side.antenna_key = QdKey(state.cur_antenna_key);
  side.call = state.cur_call_sign;
  if (text::Trim(side.class_station).empty()) side.class_station = " ";
  side.ant_site_key = state.site.tower_site_key;

  WriteAntSiteInfo(run, state, tables);
  WriteAntSiteCallSign(run, state, tables);
  WritePathRecord(run, state, tables);
  WriteSiteSat(run, state, tables);
  run.YieldIfDue();
}

}  // namespace morvane::convert
