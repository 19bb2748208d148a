#include "convert/frequency_writer.h"

#include "convert/licensee_writer.h"
#include "convert/qd_key.h"
#include "convert/row_writer.h"
#include "platform/text/text.h"

namespace morvane::convert {
namespace {

using text::Trim;

constexpr const char* kFrequencyMask = "00000000.00000000";
// Negative EIRP values are written without their minus sign, after a blank.
constexpr const char* kEirpMask = "0000.0; 000.0;0000.0";

// The Freq fields that every converted row sets.
enum FreqField {
  kFreqKey, kCsFnKey, kPathSiteKey, kPathAntKey, kLicenseeIdKey, kQalRegNum,
  kUniqueSystemIdentifier, kFreqC, kFreqL, kFreqU, kEmissionDesignator1, kTxClassStation,
  kRxClassStation, kTxEirp, kTxEirpUnit, kDateApp, kDateExpire, kAppFileNum, kQalRadSvc,
  kRulePartElig, kStatusCode, kControlPhone
};
constexpr std::string_view kFreqFields[] = {
    "FreqKey", "CsFnKey", "PathSiteKey", "PathAntKey", "LicenseeIdKey", "QalRegNum",
    "UniqueSystemIdentifier", "FreqC", "FreqL", "FreqU", "EmissionDesignator1",
    "TxClassStation", "RxClassStation", "TxEirp", "TxEirpUnit", "DateApp", "DateExpire",
    "AppFileNum", "QalRadSvc", "RulePartElig", "StatusCode", "ControlPhone"};

// The fields of a new FreqList row.
enum FreqListField { kListKey, kListFreq, kListRadSvc, kListTxClass, kListRxClass, kListCount };
constexpr std::string_view kFreqListFields[] = {"FreqListKey", "Freq", "QalRadSvc",
                                                "TxClassStation", "RxClassStation", "FreqCnt"};

std::string PaddedTo(std::string value, std::size_t width) {
  const std::size_t length = text::Length(value);
  if (length < width) value.append(width - length, ' ');
  return value;
}

}  // namespace

std::string FreqKeyOf(std::int64_t freq_counter) {
  return "QD" + ZeroPadded(freq_counter, 8);
}

std::string NextFreqKey(const ConversionState& state) {
  return FreqKeyOf(state.freq_counter + 1);
}

std::string FreqListFrequencyOf(const std::string& freq_lower_text) {
  return Trim(text::Format(text::Val(freq_lower_text), kFrequencyMask));
}

std::string FreqListKeyOf(const std::string& frequency, const std::string& rad_svc,
                          const std::string& tx_class, const std::string& rx_class) {
  return Trim(Trim(frequency) + PaddedTo(Trim(rad_svc), 2) + PaddedTo(Trim(tx_class), 4) +
              PaddedTo(Trim(rx_class), 4));
}

void WriteFreqTable(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  state.freq_key = NextFreqKey(state);
  ++state.freq_counter;
  run.YieldIfDue();

  // Each address value goes to one Freq row only.
  const std::string reg_num = Trim(state.cur_reg_num).empty() ? std::string() : state.cur_reg_num;
  state.cur_reg_num.clear();

  const FieldPositions& at = tables.freq.Fields(kFreqFields);
  const std::string where = FilingWhere(state) + ", frequency " + state.freq_key;
  const bool written = tables.freq.Add(run, where, [&](db::TableRecordset& rs) {
    rs.Set(at[kFreqKey], state.freq_key);
    rs.Set(at[kCsFnKey], state.cur_call_sign);
    rs.Set(at[kPathSiteKey], state.path_site_key);
    rs.Set(at[kPathAntKey], state.path_ant_key);
    rs.Set(at[kLicenseeIdKey], Trim(state.licensee_id_key));
    rs.Set(at[kQalRegNum], reg_num);
    rs.Set(at[kUniqueSystemIdentifier], state.cur_filing_key);
    rs.Set(at[kFreqC], state.freq_lower_text);  // the field takes the number the text holds
    rs.Set(at[kFreqL], state.freq_lower_text);
    rs.Set(at[kFreqU], state.freq_upper_text);
    rs.Set(at[kEmissionDesignator1], text::Left(state.frequency.emission, 7));
    rs.Set(at[kTxClassStation], state.tx.class_station);
    rs.Set(at[kRxClassStation], state.rx.class_station);
    rs.Set(at[kTxEirp], text::Format(text::Val(state.frequency.eirp), kEirpMask));
    rs.Set(at[kTxEirpUnit], "W");
    rs.Set(at[kDateApp], state.main.date_filed);
    rs.Set(at[kDateExpire], state.main.date_expire);
    rs.Set(at[kAppFileNum], Trim(state.main.file_number));
    rs.Set(at[kQalRadSvc], state.cur_rad_svc_code);
    rs.Set(at[kRulePartElig], "25");
    rs.Set(at[kStatusCode], state.cur_status_code);
    rs.Set(at[kControlPhone], state.cur_control_phone);
  });
  if (written) WriteFreqList(run, state, tables);
}

void WriteFreqList(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  const std::string frequency = FreqListFrequencyOf(state.freq_lower_text);
  const std::string& rad_svc = state.cur_rad_svc_code;
  const std::string& tx_class = state.tx.class_station;
  const std::string& rx_class = state.rx.class_station;
  const std::string key = FreqListKeyOf(frequency, rad_svc, tx_class, rx_class);

  const FieldPositions& at = tables.freq_list.Fields(kFreqListFields);
  tables.freq_list.Count(run, key, FilingWhere(state), [&](db::TableRecordset& rs) {
    rs.Set(at[kListKey], key);
    rs.Set(at[kListFreq], frequency);
    rs.Set(at[kListRadSvc], Trim(rad_svc));
    rs.Set(at[kListTxClass], Trim(tx_class));
    rs.Set(at[kListRxClass], Trim(rx_class));
    rs.Set(at[kListCount], 1);
  });
}

}  // namespace morvane::convert
