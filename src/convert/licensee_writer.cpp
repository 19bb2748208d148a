#include "convert/licensee_writer.h"

#include <charconv>
#include <limits>

#include "convert/row_writer.h"
#include "platform/text/text.h"
#include "run/program.h"
#include "run/rejected_data.h"

namespace morvane::convert {
namespace {

using text::Left;

void ReportMissingAddress(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  if (!tables.lice.FirstMissingAddress(state.row.filing_key)) return;
  engine::RecordRejected(run, "Lice", FilingWhere(state),
                         "the filing's address row is missing from DalkAddress; no licensee "
                         "record was written",
                         "AddressKey " + std::to_string(state.row.address_key));
}

void ShowNullAddressId(engine::RunContext& run) {
  ui::Message m;
  m.text = "Null in WriteLiceTable";
  m.title = engine::kProgramTitle;
  run.ShowMessage(m);
}

}  // namespace

std::string FilingWhere(const ConversionState& state) {
  return "filing " + std::to_string(state.row.filing_key);
}

std::optional<std::int64_t> RegistrationNumberOf(std::string_view kwd) {
  const std::string trimmed = text::Trim(kwd);
  std::string_view digits = trimmed;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  std::int64_t value = 0;
  const char* begin = trimmed.data() + (trimmed.front() == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(begin, trimmed.data() + trimmed.size(), value);
  if (error != std::errc() || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return value;
}

void WriteLiceTable(engine::RunContext& run, ConversionState& state, EsTables& tables) {
  if (!state.address.found) return ReportMissingAddress(run, state, tables);
  if (state.address.address_id_null) ShowNullAddressId(run);

  const std::string key = text::Trim(state.licensee_id_key);
  // A record refused is set aside once; another address of the same
  // licensee makes a record of its own.
  const std::string address = std::to_string(state.row.address_key);
  if (tables.lice.Holds(key, address)) return;

  const AddressValues& a = state.address;
  std::optional<std::int64_t> reg_num;
  if (!text::Trim(a.reg_num).empty()) {
    reg_num = RegistrationNumberOf(a.reg_num);
    if (!reg_num)
      engine::RecordRejected(run, "Lice", FilingWhere(state),
                             "the registration number (Kwd) is not a whole number within the "
                             "Long range; QalRegNum is left empty",
                             a.reg_num);
  }
  tables.lice.Add(run, key, FilingWhere(state), [&](db::TableRecordset& rs) {
    rs.Set("LicenseeIdKey", key);
    if (reg_num) rs.Set("QalRegNum", *reg_num);
    rs.Set("LiceName", a.address_name);
    rs.Set("LiceDBA", Left(a.dba_name, 40));
    rs.Set("LiceStreet2", Left(a.street2, 40));
    rs.Set("LiceStreet1", Left(a.street1, 60));
    rs.Set("LiceCity", Left(a.city, 20));
    rs.Set("LiceState", a.state_code);
    rs.Set("LiceZipCode", a.zip_code);
    rs.Set("LiceCountry", a.country_code);
    for (const char* empty : {"LicePhone", "LiceFax", "LiceEmail", "LiceAttn"}) rs.Set(empty, "");
    rs.Set("LiceType", Left(text::Trim(state.main.type_applicant_code), 1));
    rs.Set("EntityType", "L");
  }, address);
  run.YieldIfDue();
}

}  // namespace morvane::convert
