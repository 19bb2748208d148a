// nat_serv.dat and nat_serv_code.dat: the natures of service of the filings,
// and their code list with the radio service code of each code.
#include "loaders/nature_of_service.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "loaders/data_sets.h"
#include "platform/text/text.h"
#include "run/program.h"
#include "run/run_context.h"

namespace morvane::loaders {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 34> kRadioServices = {{
    {"AMSS", "JA"}, {"CC", "JB"},   {"DBS", "JC"},  {"DHFS", "JD"}, {"DAMS", "JE"},
    {"DFSS", "JF"}, {"DLMS", "JG"}, {"DMMS", "JH"}, {"DMSS", "JI"}, {"EESS", "JJ"},
    {"FDBS", "JK"}, {"IFLM", "JL"}, {"FLW", "JM"},  {"FLFS", "JN"}, {"FSS", "JO"},
    {"PLAN", "JP"}, {"IAMS", "JQ"}, {"IC", "JR"},   {"IFP", "JS"},  {"IFSS", "JT"},
    {"IHFB", "JU"}, {"ILMS", "JV"}, {"IMMS", "JW"}, {"IMSS", "JX"}, {"IP", "JY"},
    {"MMS", "JZ"},  {"MSS", "KA"},  {"OTH", "KB"},  {"RDS", "KC"},  {"DARS", "KD"},
    {"DTH", "KE"},  {"ESV", "KF"},  {"RNSS", "K?"}, {"LATC", "LA"},
}};

// The radio service code of the record's nature-of-service code. It is the
// last field of the row, and the frame checks each field against its column
// before it converts the next, so by now the record is known to fit: an
// unknown code is announced only for a record that is then stored, and the
// run's current code is that of the last stored record.
FieldValue RadioServiceField(const Record& record, RunActions& actions) {
  const std::string_view code = record.Piece(1);
  std::optional<std::string_view> service = RadioServiceOf(text::Trim(code));
  if (!service) {
    ui::Message message;
    message.text = "Unknown 'Nature Of Service Code' = " + std::string(code);
    message.title = engine::kProgramTitle;
    message.buttons = ui::Buttons::kOk;
    actions.Add([message = std::move(message)](engine::RunContext& run) {
      run.ShowMessage(message);
      run.Yield();
    });
  }
  std::string service_code(service.value_or(kUnknownRadioService));
  actions.Add([service_code](engine::RunContext& run) { run.cur_rad_svc_code = service_code; });
  return db::Value(std::move(service_code));
}

LoaderDef NatureOfService() {
  LoaderDef d;
  d.procedure = "PopulateNatureOfServiceTable";
  d.file = "nat_serv.dat";
  d.table = "DalkNatureOfService";
  d.opening_status = "Populating 'NatureOfService' table with  < ";
  d.action_text = "Populate Nature Of Service Table!";
  d.pieces = 2;
  d.fields = {
      Number(1, "FilingKey"),
      AsIs(2, "NatureOfServiceCode"),
  };
  return d;
}

LoaderDef NatureOfServiceCode() {
  LoaderDef d;
  d.procedure = "PopulateNatureOfServiceCodeTable";
  d.file = "nat_serv_code.dat";
  d.table = "DalkNatureOfServiceCode";
  d.opening_status = "Populating 'NatureOfServiceCode' table with  < ";
  d.action_text = "Populate Nature Of Service Code Table!";
  d.pieces = 3;
  d.fields = {
      AsIs(1, "NatureOfServiceCode"),
      AsIs(2, "Description"),
      Date(3, "InactiveDate"),
      Custom(1, "RadSvcCode", RadioServiceField),
  };
  return d;
}

}  // namespace

std::optional<std::string_view> RadioServiceOf(std::string_view code) {
  for (const auto& [nature, service] : kRadioServices)
    if (nature == code) return service;
  return std::nullopt;
}

std::vector<const LoaderDef*> NatureOfServiceLoaders() {
  static const LoaderDef nature_of_service = NatureOfService();
  static const LoaderDef nature_of_service_code = NatureOfServiceCode();
  return {&nature_of_service, &nature_of_service_code};
}

}  // namespace morvane::loaders
