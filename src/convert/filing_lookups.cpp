#include "convert/filing_lookups.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Mid;
using text::Trim;


bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

std::string LicenseeIdKeyOf(std::string_view address_id) {
  const std::string trimmed = Trim(address_id);
  return text::StartsWith(address_id, "QD") ? trimmed : "QD~" + trimmed;
}

std::string ControlPhoneOf(std::string_view contact_phone) {
  std::string p = Trim(contact_phone);
  if (!p.empty() && IsAsciiLetter(p.front())) return " ";
  if (text::StartsWith(p, "1")) p.erase(0, 1);
  if (text::StartsWith(p, "1-")) p.erase(0, 2);
  // By length, the digits of the usual layouts: 555301-7788,
  // 555-301-7788, (555)301-7788, (555) 301-7788.
  switch (text::Length(p)) {
    case 0: return " ";
    case 10: return p;
    case 11: return Mid(p, 1, 3) + Mid(p, 5);
    case 13: return Mid(p, 2, 3) + Mid(p, 6, 3) + Mid(p, 10, 4);
    case 14: return Mid(p, 2, 3) + Mid(p, 7, 3) + Mid(p, 11, 4);
    default:
      if (text::Length(p) < 10) return "";
      return Mid(p, 1, 3) + Mid(p, 5, 3) + Mid(p, 9, 4);  // 12, or 15 and more
  }
}

void GetMainData(ConversionState& state, EsTables& tables) {
  enum { kFilingState, kCallSign, kFileNumber, kStatusCode, kStatusDate, kDateFiled, kDateExpire,
         kAppTypeCode, kTypeApplicantCode, kClassOfStationCode, kContactPhoneNum };
  static constexpr std::string_view kFields[] = {
      "FilingState", "CallSign", "FileNumber", "StatusCode", "StatusDate", "DateFiled",
      "DateExpire", "AppTypeCode", "TypeApplicantCode", "ClassOfStationCode", "ContactPhoneNum"};
  StagingLookup& row = tables.main;
  MainValues& m = state.main;
  m.found = row.Find(state.row.filing_key, kFields);
  if (!m.found) {
    // The filing state and the status code stay as the previous row left them.
    m.call_sign.clear();
    m.file_number.clear();
    m.date_filed.clear();
    m.date_expire.clear();
    m.app_type_code.clear();
    m.type_applicant_code.clear();
    m.class_of_station_code.clear();
    m.status_date.clear();
    state.cur_call_sign.clear();
    state.cur_control_phone.clear();
    return;
  }
  m.filing_state = row.Text(kFilingState);
  m.call_sign = Trim(row.Text(kCallSign));
  state.cur_call_sign = m.call_sign;
  m.file_number = Trim(row.Text(kFileNumber));
  state.cur_status_code = row.Text(kStatusCode);
  m.status_date = row.Text(kStatusDate);
  m.date_filed = Trim(row.Text(kDateFiled));
  m.date_expire = Trim(row.Text(kDateExpire));
  m.app_type_code = Trim(row.Text(kAppTypeCode));
  m.type_applicant_code = text::Left(Trim(row.Text(kTypeApplicantCode)), 1);
  m.class_of_station_code = Trim(row.Text(kClassOfStationCode));
  state.cur_control_phone = ControlPhoneOf(row.Text(kContactPhoneNum));
}

void GetFrequencyData(ConversionState& state, EsTables& tables) {
  enum { kPolarizationCode, kEirp, kEmission, kTransMode, kTransModeFix, kFrequencyLower,
         kFrequencyUpper };
  static constexpr std::string_view kFields[] = {"PolarizationCode", "Eirp", "Emission",
                                                 "TransMode", "TransModeFix", "FrequencyLower",
                                                 "FrequencyUpper"};
  StagingLookup& row = tables.frequency;
  FrequencyValues& f = state.frequency;
  if (const QueryRow& q = state.row; q.carries_frequency) {
    f.polarization_code = q.polarization_code;
    f.eirp = q.eirp;
    f.emission = q.emission;
    f.trans_mode = q.trans_mode;
    f.trans_mode_fix = q.trans_mode_fix;
    state.freq_lower_text = q.frequency_lower;
    state.freq_upper_text = q.frequency_upper;
    state.cur_trans_mode_fix = f.trans_mode_fix;
    return;
  }
  if (!row.Find(state.row.frequency_key, kFields)) {
    f = FrequencyValues{};
    state.freq_lower_text.clear();
    state.freq_upper_text.clear();
    state.cur_trans_mode_fix.clear();
    return;
  }
  f.polarization_code = row.Text(kPolarizationCode);
  f.eirp = row.Text(kEirp);
  f.emission = row.Text(kEmission);
  f.trans_mode = row.Text(kTransMode);
  f.trans_mode_fix = row.Text(kTransModeFix);
  state.freq_lower_text = row.Text(kFrequencyLower);
  state.freq_upper_text = row.Text(kFrequencyUpper);
  state.cur_trans_mode_fix = f.trans_mode_fix;
}

void GetAddressData(ConversionState& state, EsTables& tables) {
  enum { kAddressId, kAddressName, kDbaName, kStreet1, kStreet2, kCity, kStateCode, kZipCode,
         kCountryCode, kKwd };
  static constexpr std::string_view kFields[] = {"AddressId", "AddressName", "DbaName", "Street1",
                                                 "Street2",   "City",        "StateCode",
                                                 "ZipCode",   "CountryCode", "Kwd"};
  StagingLookup& row = tables.address;
  AddressValues& a = state.address;
  a.found = row.Find(state.row.address_key, kFields);
  if (!a.found) {
    // cur_reg_num stays: the frequency writer empties it after each use.
    a = AddressValues{};
    state.licensee_id_key.clear();
    return;
  }
  a.address_id_null = row.Get(kAddressId).IsNull();
  a.address_id = row.Text(kAddressId);
  state.licensee_id_key = LicenseeIdKeyOf(a.address_id);
  a.address_name = row.Text(kAddressName);
  a.dba_name = row.Text(kDbaName);
  a.street1 = row.Text(kStreet1);
  a.street2 = row.Text(kStreet2);
  a.city = row.Text(kCity);
  a.state_code = row.Text(kStateCode);
  a.zip_code = row.Text(kZipCode);
  a.country_code = row.Text(kCountryCode);
  // Set again on every row, remembered or not: the frequency writer empties
  // it after the Freq row that uses it.
  a.reg_num = row.Text(kKwd);
  state.cur_reg_num = a.reg_num;
}

void GetEnvironEffectSw(ConversionState& state, EsTables& tables) {
  static constexpr std::string_view kFields[] = {"EnvironEffectSw"};
  StagingLookup& row = tables.form312;
  state.environ_effect_sw =
      row.Find(state.row.filing_key, kFields) ? row.Text(0) : std::string();
}

void GetPtCommData(ConversionState& state, EsTables& tables) {
  static constexpr std::string_view kFields[] = {"PtCommKey", "SpaceStationKey"};
  StagingLookup& row = tables.pt_comm;
  if (!row.Find(state.row.site_key, kFields)) {
    state.pt_comm = PtCommValues{};
    return;
  }
  state.pt_comm.pt_comm_key = row.Get(0).AsInteger();
  state.pt_comm.space_station_key = row.Get(1).AsInteger();
}

void GetSpaceStationData(ConversionState& state, EsTables& tables) {
  enum { kUsName, kItuName, kOrbitLocation, kVerbose, kInactiveDate, kLongHemi };
  static constexpr std::string_view kFields[] = {"UsName",  "ItuName",      "OrbitLocation",
                                                 "Verbose", "InactiveDate", "LongHemi"};
  StagingLookup& row = tables.space_station;
  SpaceStationValues& s = state.space_station;
  if (!row.Find(state.pt_comm.space_station_key, kFields)) {
    s = SpaceStationValues{};
    return;
  }
  s.us_name = row.Text(kUsName);
  s.itu_name = row.Text(kItuName);
  s.orbit_location = row.Text(kOrbitLocation);
  s.verbose = row.Text(kVerbose);
  s.inactive_date = row.Text(kInactiveDate);
  s.long_hemi = row.Text(kLongHemi);
}

void GetRadSvcCode(ConversionState& state, EsTables& tables) {
  static constexpr std::string_view kNatureFields[] = {"NatureOfServiceCode"};
  static constexpr std::string_view kCodeFields[] = {"RadSvcCode"};
  state.cur_rad_svc_code.clear();
  if (!tables.nature_of_service.Find(state.row.filing_key, kNatureFields)) {
    state.nature_of_service_code = "?2";
    return;
  }
  state.nature_of_service_code = tables.nature_of_service.Text(0);
  StagingLookup& codes = tables.nature_of_service_code;
  if (!codes.Find(Trim(state.nature_of_service_code), kCodeFields)) {
    state.nature_of_service_code = "?1";
    return;
  }
  state.cur_rad_svc_code = codes.Text(0);
}

}  // namespace morvane::convert
