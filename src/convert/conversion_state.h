// The state of the earth-station conversion (step 39), handed to every
// lookup and writer of the step.
//
// One row of the conversion query is converted at a time. The lookups copy
// the values of the staging rows they find into the groups below, named
// after the staging table and field (state.main.call_sign is
// DalkMain.CallSign); the writers read them. A value keeps the previous
// row's contents until a lookup or writer overwrites it, as some no-match
// rules rely on. The driver owns the row's keys and sequences; before the
// first row the "previous" values are "^*^" (texts) and 0 (numbers), so the
// first row never equals a previous one.
//
// Owned by the step's driver for the length of the step; not shared between
// threads.
#pragma once

#include <cstdint>
#include <string>

namespace morvane::convert {

inline constexpr const char* kNoPrevious = "^*^";

// One row of the conversion query, as read.
struct QueryRow {
  std::string call_sign;
  std::int64_t filing_key = 0;
  std::string filing_state;
  std::string subsystem_code;
  std::string class_of_station_code;
  std::int64_t address_key = 0;
  std::int64_t contact_key = 0;
  std::int64_t site_key = 0;
  std::int64_t antenna_key = 0;
  std::int64_t frequency_key = 0;
  std::string frequency_lower;
  std::string frequency_upper;
  std::string emission;
  std::string trans_mode_fix;
  // The row's DalkFrequency fields that the query brings besides, so that
  // GetFrequencyData needs no Seek: true only when they are the fields a
  // Seek on the row's FrequencyKey finds (the key is a whole number and no
  // other DalkFrequency row has it).
  bool carries_frequency = false;
  std::string polarization_code, eirp, trans_mode;
  // Whether DalkFrequencyCondition has rows of the FrequencyKey; known only
  // when the key is a whole number (Null is sought as 0).
  bool frequency_conditions_known = false;
  bool has_frequency_conditions = false;
};

// DalkMain, as GetMainData leaves it.
struct MainValues {
  bool found = false;            // the row's filing was found
  std::string filing_state;      // as is; kept from the previous row on no match
  std::string call_sign;         // trimmed; the DalkMain row's own call sign
  std::string file_number;       // trimmed
  std::string status_date;       // as is
  std::string date_filed;        // trimmed
  std::string date_expire;       // trimmed
  std::string app_type_code;     // trimmed
  std::string type_applicant_code;  // trimmed, first character
  std::string class_of_station_code;  // trimmed
};

// DalkFrequency, as GetFrequencyData leaves it.
struct FrequencyValues {
  std::string polarization_code, eirp, emission, trans_mode, trans_mode_fix;
};

// DalkAddress, as GetAddressData leaves it.
struct AddressValues {
  bool found = false;
  bool address_id_null = false;  // the staging row's AddressId is Null
  std::string address_id;  // as stored ("" for Null); LicenseeIdKey is made from it
  std::string address_name, dba_name, street1, street2, city, state_code, zip_code,
      country_code;
  std::string reg_num;  // Kwd as loaded: the licensee's registration number
};

// DalkPtComm and DalkSpaceStation.
struct PtCommValues {
  std::int64_t pt_comm_key = 0;
  std::int64_t space_station_key = 0;
};
struct SpaceStationValues {
  std::string us_name, itu_name, orbit_location, verbose, inactive_date, long_hemi;
};

// DalkSite, as GetSiteData leaves it.
struct SiteValues {
  std::string street1, street2, city, county, state, elevation, lat_dms, lat_sec, lon_dms,
      lon_sec, nad_ind;
  std::string tower_site_key;  // "" when the staging field is Null
  std::string street_text;     // SiteStreetText
  std::string datum;           // SiteDatum: "NAD83" or "NAD27"
};

// DalkAntenna and DalkAntennaGain, as GetAntennaData and
// DecodeAntennaGainTbl leave them.
struct AntennaValues {
  std::string diameter, diameter_major, height_max_agl, tower_id;
  std::string make, model;  // AntennaMake, AntennaModel: at most 25 characters each
  std::string gain;         // DalkAntennaGain.Gain
};

// DalkFreqCoord, as GetFreqCoordData leaves it.
struct FreqCoordValues {
  std::string azimuth_east, azimuth_west, elevation_east, elevation_west, freq_limit_low,
      freq_limit_high, sat_arc_east, sat_arc_west, sat_hemi_east, sat_hemi_west,
      sat_orbit_type;
  std::string horiz_max_density;  // the row's HorizMaxDensity (transmit side of SiteEsCoord)
};

// The side values that WriteAntMainTable sets for one side (transmit or
// receive) and the path record reads.
struct SideValues {
  std::string class_station;   // CurTxClassStation / CurRxClassStation
  std::string es_coord_flag;   // "1" or "0"
  std::string antenna_key;     // "QD" + ten digits
  std::string call;
  std::string ant_site_key;
  int coord_seq = 0;           // TxCoordSeq / RxCoordSeq: the side's last Seq
};

struct ConversionState {
  // The driver's keys and sequences.
  std::int64_t total_records = 0;
  std::string cur_call_sign = kNoPrevious;
  std::string prev_call_sign = kNoPrevious;
  std::int64_t cur_site_key = 0, prev_site_key = 0;
  std::int64_t cur_antenna_key = 0, prev_antenna_key = 0;
  std::int64_t cur_frequency_key = 0;
  std::int64_t cur_filing_key = 0;
  std::string cur_trans_mode_fix = kNoPrevious;
  int site_seq = 0;
  int ant_seq = 0;
  std::string path_site_key = kNoPrevious;
  std::string prev_path_site_key = kNoPrevious;
  std::string path_ant_key = kNoPrevious;
  std::string cur_status_code;
  std::int64_t freq_counter = 1;
  std::string freq_key;  // FreqKey of the row's Freq record
  std::string freq_lower_text = kNoPrevious;
  std::string freq_upper_text = kNoPrevious;

  // Values the lookups leave.
  QueryRow row;
  MainValues main;
  FrequencyValues frequency;
  AddressValues address;
  std::string licensee_id_key;     // LicenseeIdKey
  std::string cur_reg_num;         // CurRegNum: used by one Freq row, then emptied
  std::string cur_control_phone;   // CurControlPhone
  std::string environ_effect_sw;   // DalkForm312.EnvironEffectSw
  PtCommValues pt_comm;
  SpaceStationValues space_station;
  std::string nature_of_service_code;
  std::string cur_rad_svc_code;    // CurRadSvcCode; starts as the run left it
  SiteValues site;
  AntennaValues antenna;
  FreqCoordValues freq_coord;

  // Values the antenna writer sets for the frequency and path writers.
  SideValues tx, rx;
};

// True when the row's frequency is a transmit assignment: its TransModeFix
// is exactly "T".
inline bool IsTransmit(const std::string& trans_mode_fix) { return trans_mode_fix == "T"; }

}  // namespace morvane::convert
