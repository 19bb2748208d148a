#include "convert/antenna_writers.h"

#include <charconv>
#include <iterator>
#include <span>

#include "convert/antenna_site_writers.h"
#include "convert/frequency_writer.h"
#include "convert/licensee_writer.h"
#include "convert/path_writers.h"
#include "convert/qd_key.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

constexpr const char* kHeightMask = "0000.0; 000.0;0000.0";
constexpr const char* kUnknownClass = "QDU";

// The values of a row after its key, one text that tells the records of one
// key apart.
std::string RecordOf(std::span<const std::string> values) {
  std::string record;
  for (const std::string& value : values) record.append(value).append(1, '\x1f');
  return record;
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
  // Written by the path antenna's first row.
  KeyedTable& ant_main = tables.ant_main;
  if (ant_main.Holds(state.path_ant_key)) return;
  const AntennaValues& a = state.antenna;
  const std::string& size =
      text::Val(a.diameter_major) > text::Val(a.diameter) ? a.diameter_major : a.diameter;
  // The row's fields after its key; a refused row is set aside with these
  // values, so a later row of the path antenna (another call sign, another
  // frequency's polarization) whose values differ is tried again, without a
  // second line when it is refused too.
  const std::string values[] = {QdKey(state.cur_antenna_key), QdKey(state.cur_site_key),
                                state.cur_call_sign, AntennaHeightText(a, transmit),
                                state.frequency.polarization_code, a.make, a.model, a.gain, size};
  const std::string record = RecordOf(values);
  if (ant_main.Refused(state.path_ant_key, record)) return;
  static constexpr std::string_view kFields[] = {
      "PathAntKey", "AntennaKey", "LocationKey", "CallSign", "AntHgt", "AntPlr", "AntMfg",
      "AntMod", "AntGn", "AntSize"};
  const FieldPositions& at = ant_main.Fields(kFields);
  ant_main.Add(run, state.path_ant_key, FilingWhere(state) + ", path antenna " + state.path_ant_key,
               [&](db::TableRecordset& rs) {
                 rs.Set(at[0], state.path_ant_key);
                 for (std::size_t i = 0; i < std::size(values); ++i) rs.Set(at[i + 1], values[i]);
               },
               record, /*once_per_key=*/true);
}

// One SiteEsCoord row when the frequency has coordination limits. Seq
// numbers the coordination rows of one path site 1, 2, 3 ... for the whole
// run, whatever rows (of the other side, of another path site, of another
// call sign) come in between. A refused row takes no number, so its line
// names it by the key of its query row's Freq record: the rows of one
// antenna share their coordination values and are refused alike.
void WriteCoordination(engine::RunContext& run, const ConversionState& state,
                       AntennaSideTables& tables, bool transmit, SideValues& side) {
  const FreqCoordValues& c = state.freq_coord;
  if (!(text::Val(c.freq_limit_low) > 0)) return;
  SiteEsCoordTable& coord = tables.site_es_coord;
  const int seq = coord.NextSeq(state.path_site_key, state.cur_trans_mode_fix);
  enum {
    kPathAntKey, kSeq, kCallSign, kAzimuthEast, kAzimuthWest, kElevationEast, kElevationWest,
    kFreqLimitLow, kFreqLimitHigh, kSatArcEast, kSatArcWest, kSatHemiEast, kSatHemiWest,
    kSatOrbitType, kHorizMaxDensity
  };
  static constexpr std::string_view kFields[] = {
      "PathAntKey", "Seq", "CallSign", "AzimuthEast", "AzimuthWest", "ElevationEast",
      "ElevationWest", "FreqLimitLow", "FreqLimitHigh", "SatArcEast", "SatArcWest", "SatHemiEast",
      "SatHemiWest", "SatOrbitType", "HorizMaxDensity"};
  const FieldPositions& at = coord.Fields(kFields);
  const std::string where = FilingWhere(state) + ", path antenna " + state.path_ant_key +
                            ", frequency " + NextFreqKey(state);
  const bool written =
      coord.Add(run, state.path_site_key, seq, where,
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
}

// One SiteSat row per path site, from its first row (a refused one: from
// the first row whose values differ).
void WriteSiteSat(engine::RunContext& run, const ConversionState& state,
                  AntennaSideTables& tables) {
  KeyedTable& site_sat = tables.site_sat;
  if (site_sat.Holds(state.path_site_key)) return;
  const std::string values[] = {state.freq_coord.sat_orbit_type,
                                state.space_station.orbit_location, state.space_station.us_name};
  const std::string record = RecordOf(values);
  if (site_sat.Refused(state.path_site_key, record)) return;
  site_sat.Add(run, state.path_site_key, FilingWhere(state) + ", path site " + state.path_site_key,
               [&](db::TableRecordset& rs) {
                 rs.Set("PathSiteKey", state.path_site_key);
                 rs.Set("SatOrbitType", values[0]);
                 rs.Set("OrbitLocation", values[1]);
                 rs.Set("UsName", values[2]);
               },
               record, /*once_per_key=*/true);
}

}  // namespace

// Presence in AntMain and SiteSat comes from the keys of the present call
// sign only while no table of the three held rows before the step.
AntennaSideTables::AntennaSideTables(db::Database& output, db::Database& ant_site_db)
    : path_keys_(output.OpenTable("AntMain").RecordCount() == 0 &&
                 output.OpenTable("SiteSat").RecordCount() == 0 &&
                 output.OpenTable("SiteEsCoord").RecordCount() == 0),
      ant_main(output, "AntMain", "idxPathAntKey", &path_keys_, FilingGroupKeys::kAntMain),
      site_es_coord(output, path_keys_),
      site_sat(output, "SiteSat", "idxPathSiteKey", &path_keys_, FilingGroupKeys::kSiteSat),
      path_record(output),
      mfg_mod_list(output, "MfgModList", "idxMfgMod"),
      site_info(output, "SiteInfo", "idxAntSiteKey"),
      class_of_station_code(
          OpenStagingSource(output, "DalkClassOfStationCode", "idxClassOfStationCode")),
      ant_site_info(ant_site_db),
      ant_site_call_sign(ant_site_db) {}

// MfgModList keeps its indexes: it is sought on, and small.
void AntennaSideTables::DeferIndexes() {
  site_es_coord.DeferIndexes();
  ant_main.DeferIndexes();
  site_sat.DeferIndexes();
  path_record.DeferIndexes();
  site_info.DeferIndexes();
}

void AntennaSideTables::BuildIndexes() {
  site_es_coord.BuildIndexes();
  ant_main.BuildIndexes();
  site_sat.BuildIndexes();
  path_record.BuildIndexes();
  site_info.BuildIndexes();
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
