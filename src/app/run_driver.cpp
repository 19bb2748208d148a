#include "app/run_driver.h"

#include <algorithm>
#include <iterator>
#include <exception>
#include <filesystem>
#include <optional>

#include "app/preflight.h"
#include "convert/es_populate.h"
#include "convert/registration_data.h"
#include "convert/site_matching.h"
#include "loaders/common_loader.h"
#include "loaders/loader_registry.h"
#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "run/process_log.h"
#include "run/program.h"
#include "run/rejected_data.h"

namespace morvane::app {
namespace {

constexpr int kStepTotal = 42;
constexpr const char* kCompactingText = "Compacting DALK database !";

// Steps 38 and 42: compact the output database and log it.
void CompactionStep(engine::RunContext& run) {
  engine::CompactDalkDatabase(run, kCompactingText);
  db::Database db = run.workspace().OpenDatabase(run.OutputFile());
  db::TableRecordset process_log = db.OpenTable("ProcessLog");
  run.input_file_len = 0;
  run.log_action_text = kCompactingText;
  engine::WriteProcessLogRecord(run, process_log);
  process_log.Close();
  db.Close();
  run.workspace().Close();
}

template <loaders::DataSet kDataSet>
void LoadDataSet(engine::RunContext& run) {
  loaders::RunLoader(loaders::Loader(kDataSet), run);
}

// Step 41 with the registration-number database of the run's paths.
void RegistrationDataStep(engine::RunContext& run) {
  convert::PopulateLiceEinKwdTable(run, files::FromSetting(run.paths().registration_database));
}

struct StepEntry {
  int number;
  const char* procedure;
  void (*run)(engine::RunContext&);
};

using loaders::DataSet;

// The 42 steps in their fixed order, each bound to what it runs.
constexpr StepEntry kSteps[] = {
    {1, "PopulateAddressTable", LoadDataSet<DataSet::kAddress>},
    {2, "PopulateAntennaConditionTable", LoadDataSet<DataSet::kAntennaCondition>},
    {3, "PopulateAntennaFxTable", LoadDataSet<DataSet::kAntennaFx>},
    {4, "PopulateAntennaGainTable", LoadDataSet<DataSet::kAntennaGain>},
    {5, "PopulateAntennaTypeCodeTable", LoadDataSet<DataSet::kAntennaTypeCode>},
    {6, "PopulateAntennaTable", LoadDataSet<DataSet::kAntenna>},
    {7, "PopulateAzimuth", LoadDataSet<DataSet::kAzimuth>},
    {8, "PopulateClassOfStationCode", LoadDataSet<DataSet::kClassOfStationCode>},
    {9, "PopulateConditionTable", LoadDataSet<DataSet::kCondition>},
    {10, "PopulateContactTable", LoadDataSet<DataSet::kContact>},
    {11, "PopulateEarthStationStaTable", LoadDataSet<DataSet::kEarthStationSta>},
    {12, "PopulateForm312Table", LoadDataSet<DataSet::kForm312>},
    {13, "PopulateFrequencyTable", LoadDataSet<DataSet::kFrequency>},
    {14, "PopulateFreqCondTable", LoadDataSet<DataSet::kFrequencyCondition>},
    {15, "PopulateFreqCoordTable", LoadDataSet<DataSet::kFreqCoord>},
    {16, "PopulateFrequencyFxTable", LoadDataSet<DataSet::kFrequencyFx>},
    {17, "PopulateFxTable", LoadDataSet<DataSet::kFx>},
    {18, "PopulateLicenseeHistoryTable", LoadDataSet<DataSet::kLicenseeHistory>},
    {19, "PopulateLicenseConditionTable", LoadDataSet<DataSet::kLicenseCondition>},
    {20, "PopulateMainTable", LoadDataSet<DataSet::kMain>},
    {21, "PopulateNatureOfServiceTable", LoadDataSet<DataSet::kNatureOfService>},
    {22, "PopulateNatureOfServiceCodeTable", LoadDataSet<DataSet::kNatureOfServiceCode>},
    {23, "PopulatePolarizationCode", LoadDataSet<DataSet::kPolarizationCode>},
    {24, "PopulatePtCommTable", LoadDataSet<DataSet::kPtComm>},
    {25, "PopulatePtCommFxTable", LoadDataSet<DataSet::kPtCommFx>},
    {26, "PopulatePurposeTable", LoadDataSet<DataSet::kPurpose>},
    {27, "PopulateSiteTable", LoadDataSet<DataSet::kSite>},
    {28, "BuildAntSiteDataSet_A_B", convert::BuildAntSiteDataSet_A_B},
    {29, "BuildAntSiteDataSet_C_D_E", convert::BuildAntSiteDataSet_C_D_E},
    {30, "PopulateSiteConditionTable", LoadDataSet<DataSet::kSiteCondition>},
    {31, "PopulateSpaceStationTable", LoadDataSet<DataSet::kSpaceStation>},
    {32, "PopulateSpaceStationStaTable", LoadDataSet<DataSet::kSpaceStationSta>},
    {33, "PopulateStatusCodeTable", LoadDataSet<DataSet::kStatusCode>},
    {34, "PopulateTransmitterTable", LoadDataSet<DataSet::kTransmitter>},
    {35, "PopulateFrequencyBandTable", LoadDataSet<DataSet::kFrequencyBand>},
    {36, "PopulateIntlAlocFrequencyTable", LoadDataSet<DataSet::kIntlAlocFrequency>},
    {37, "PopulateFrequencySatTable", LoadDataSet<DataSet::kFrequencySat>},
    {38, "CompactDalkDatabase", CompactionStep},
    {39, "EsPopulateKtbTables", convert::EsPopulateKtbTables},
    {40, "PopulateTransmitterTable", LoadDataSet<DataSet::kTransmitter>},
    {41, "PopulateLiceEinKwdTable", RegistrationDataStep},
    {42, "CompactDalkDatabase", CompactionStep},
};
static_assert(std::size(kSteps) == kStepTotal);

void ReportMissingMainDataSet(engine::RunContext& run) {
  run.ShowMessage(MissingMainDataSetMessage());
  run.ui().Yield();
}

// The file that an error concerns ("" when it names none) and the database
// error behind it, if any. A db::Error names the file where its operation
// ran; one that names none (a wrong call of the layer) concerns the output
// database, which every step works on.
struct Blame {
  std::string file;
  const db::Error* db_error = nullptr;
};

Blame BlameOf(const std::exception& e, const engine::RunContext& run) {
  if (auto* step_error = dynamic_cast<const engine::StepError*>(&e))
    return {step_error->file(), step_error->cause()};
  if (auto* fs_error = dynamic_cast<const std::filesystem::filesystem_error*>(&e))
    return {fs_error->path1().string()};
  if (auto* db_error = dynamic_cast<const db::Error*>(&e))
    return {db_error->file().empty() ? run.paths().output : db_error->file(), db_error};
  return {};
}

// Closes every database of the run. Closing after a failure must not hide
// the failure's own report, nor lose its own: a close that fails (the last
// group of commits could not be saved) is returned, to be reported too.
std::optional<db::Error> CloseReportingFailure(engine::RunContext& run) {
  try {
    run.workspace().Close();
  } catch (const db::Error& e) {
    return e;
  } catch (const std::exception& e) {
    return db::Error(e.what());
  }
  return std::nullopt;
}

std::string StepName(const engine::RunContext& run, const std::vector<Step>& steps) {
  for (const Step& s : steps)
    if (s.number == run.step_current) return s.procedure;
  return run.step_current == 0 ? "WriteDataSourceRecord" : "";
}

}  // namespace

ui::Message FailureMessage(std::string headline, const std::exception& e, const engine::RunContext& run) {
  ui::Message m;
  m.title = engine::kProgramTitle;
  m.icon = ui::Icon::kCritical;
  m.text = std::move(headline);
  const Blame blame = BlameOf(e, run);
  const bool temporary = blame.db_error && blame.db_error->InTemporaryFolder();
  const std::string file = temporary ? "the database engine's temporary folder " + blame.file : blame.file;
  if (!file.empty()) m.text += "\r\n\r\nFile: " + file;
  m.text += "\r\n\r\nReason: " + std::string(e.what());
  if (blame.db_error && blame.db_error->DiskFull())
    m.text += "\r\n\r\nThe disk that holds " + file + " is full. Make room on it and run Convert again.";
  return m;
}

std::vector<Step> StandardSteps() {
  std::vector<Step> steps;
  for (const StepEntry& entry : kSteps)
    steps.push_back({entry.number, entry.procedure, entry.run});
  return steps;
}

RunResult RunSteps(engine::RunContext& run, engine::RejectedData& rejected) {
  return RunSteps(run, rejected, StandardSteps());
}

RunResult RunSteps(engine::RunContext& run, engine::RejectedData& rejected, const std::vector<Step>& steps) {
  RunResult result;
  if (!MainDataSetFound(run.paths())) {
    rejected.Close();
    ReportMissingMainDataSet(run);
    result.failure = MainDataSetNotFound(run.paths());
    return result;
  }

  ui::Window& status = run.Status();
  try {
    status.Show();
    status.SetCaption("lblDateTimeStart", text::GeneralDateTime(text::DateTime::Now()));
    run.set_rejected(&rejected);

    run.step_current = 0;
    status.SetCaption("lblStepTotal", std::to_string(kStepTotal));
    engine::WriteDataSourceRecord(run);
    for (int number = 1; number <= kStepTotal; ++number) {
      run.step_current = number;
      // Every step shows its own number, also those that write none of
      // their own; a loader then writes it in its own form.
      status.SetCaption("lblStepCurrent", std::to_string(number));
      for (const Step& step : steps)
        if (step.number == number) step.run(run);
    }
    status.SetCaption("lblStatus", "F I N I S H E D   build DALK database!");
    result.completed = true;
  } catch (const std::exception& e) {
    const bool stopped_by_user = dynamic_cast<const engine::RunStopped*>(&e) != nullptr;
    // Rolls back the open transaction, keeps what was committed.
    const std::optional<db::Error> close_failure = CloseReportingFailure(run);
    rejected.Close();
    std::string headline = "The conversion stopped at step " + std::to_string(run.step_current);
    const std::string name = StepName(run, steps);
    if (!name.empty()) headline += " (" + name + ")";
    headline += ".";
    ui::Message m = FailureMessage(std::move(headline), e, run);
    if (close_failure)
      m.text += "\r\n\r\nClosing the databases failed too: " + std::string(close_failure->what());
    if (!stopped_by_user || close_failure) run.ui().ShowMessage(m);
    result.failure = "step " + std::to_string(run.step_current) + ": " + e.what();
  }

  if (const auto close_failure = CloseReportingFailure(run)) {
    // The steps ended, but their last rows could not be saved.
    run.ui().ShowMessage(
        FailureMessage("The conversion could not save its last changes.", *close_failure, run));
    result.completed = false;
    result.failure = std::string("the last changes could not be saved: ") + close_failure->what();
  }
  result.rejected = rejected.Count();
  result.key_notes = rejected.NoteCount();
  rejected.Close();
  run.set_rejected(nullptr);
  status.Hide();
  status.Unload();
  return result;
}

}  // namespace morvane::app
