#include "convert/filing_lookups.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Mid;
using text::Trim;

std::string TextOf(const db::TableRecordset& rs, std::string_view field) {
  return rs.Get(field).AsText();
}

bool SeekFound(db::TableRecordset& rs, const db::Value& key) {
  rs.Seek("=", key);
  return !rs.NoMatch();
}

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
  db::TableRecordset& rs = tables.main;
  MainValues& m = state.main;
  m.found = SeekFound(rs, state.row.filing_key);
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
  m.filing_state = TextOf(rs, "FilingState");
  m.call_sign = Trim(TextOf(rs, "CallSign"));
  state.cur_call_sign = m.call_sign;
  m.file_number = Trim(TextOf(rs, "FileNumber"));
  state.cur_status_code = TextOf(rs, "StatusCode");
  m.status_date = TextOf(rs, "StatusDate");
  m.date_filed = Trim(TextOf(rs, "DateFiled"));
  m.date_expire = Trim(TextOf(rs, "DateExpire"));
  m.app_type_code = Trim(TextOf(rs, "AppTypeCode"));
  m.type_applicant_code = text::Left(Trim(TextOf(rs, "TypeApplicantCode")), 1);
  m.class_of_station_code = Trim(TextOf(rs, "ClassOfStationCode"));
  state.cur_control_phone = ControlPhoneOf(TextOf(rs, "ContactPhoneNum"));
}

void GetFrequencyData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.frequency;
  FrequencyValues& f = state.frequency;
  if (!SeekFound(rs, state.row.frequency_key)) {
    f = FrequencyValues{};
    state.freq_lower_text.clear();
    state.freq_upper_text.clear();
    state.cur_trans_mode_fix.clear();
    return;
  }
  f.polarization_code = TextOf(rs, "PolarizationCode");
  f.eirp = TextOf(rs, "Eirp");
  f.emission = TextOf(rs, "Emission");
  f.trans_mode = TextOf(rs, "TransMode");
  f.trans_mode_fix = TextOf(rs, "TransModeFix");
  state.freq_lower_text = TextOf(rs, "FrequencyLower");
  state.freq_upper_text = TextOf(rs, "FrequencyUpper");
  state.cur_trans_mode_fix = f.trans_mode_fix;
}

void GetAddressData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.address;
  AddressValues& a = state.address;
  a.found = SeekFound(rs, state.row.address_key);
  if (!a.found) {
    // cur_reg_num stays: the frequency writer empties it after each use.
    a = AddressValues{};
    state.licensee_id_key.clear();
    return;
  }
  a.address_id = TextOf(rs, "AddressId");
  state.licensee_id_key = LicenseeIdKeyOf(a.address_id);
  a.address_name = TextOf(rs, "AddressName");
  a.dba_name = TextOf(rs, "DbaName");
  a.street1 = TextOf(rs, "Street1");
  a.street2 = TextOf(rs, "Street2");
  a.city = TextOf(rs, "City");
  a.state_code = TextOf(rs, "StateCode");
  a.zip_code = TextOf(rs, "ZipCode");
  a.country_code = TextOf(rs, "CountryCode");
  a.reg_num = TextOf(rs, "Kwd");
  state.cur_reg_num = a.reg_num;
}

void GetEnvironEffectSw(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.form312;
  state.environ_effect_sw =
      SeekFound(rs, state.row.filing_key) ? TextOf(rs, "EnvironEffectSw") : std::string();
}

void GetPtCommData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.pt_comm;
  if (!SeekFound(rs, state.row.site_key)) {
    state.pt_comm = PtCommValues{};
    return;
  }
  state.pt_comm.pt_comm_key = rs.Get("PtCommKey").AsInteger();
  state.pt_comm.space_station_key = rs.Get("SpaceStationKey").AsInteger();
}

void GetSpaceStationData(ConversionState& state, EsTables& tables) {
  db::TableRecordset& rs = tables.space_station;
  SpaceStationValues& s = state.space_station;
  if (!SeekFound(rs, state.pt_comm.space_station_key)) {
    s = SpaceStationValues{};
    return;
  }
  s.us_name = TextOf(rs, "UsName");
  s.itu_name = TextOf(rs, "ItuName");
  s.orbit_location = TextOf(rs, "OrbitLocation");
  s.verbose = TextOf(rs, "Verbose");
  s.inactive_date = TextOf(rs, "InactiveDate");
  s.long_hemi = TextOf(rs, "LongHemi");
}

void GetRadSvcCode(ConversionState& state, EsTables& tables) {
  state.cur_rad_svc_code.clear();
  if (!SeekFound(tables.nature_of_service, state.row.filing_key)) {
    state.nature_of_service_code = "?2";
    return;
  }
  state.nature_of_service_code = TextOf(tables.nature_of_service, "NatureOfServiceCode");
  db::TableRecordset& codes = tables.nature_of_service_code;
  if (!SeekFound(codes, Trim(state.nature_of_service_code))) {
    state.nature_of_service_code = "?1";
    return;
  }
  state.cur_rad_svc_code = TextOf(codes, "RadSvcCode");
}

}  // namespace morvane::convert
