#include "app/run_driver.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>

#include "app/process_log.h"
#include "app/program.h"
#include "app/rejected_data.h"
#include "loaders/common_loader.h"
#include "loaders/loader_registry.h"
#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {

constexpr int kStepTotal = 42;
constexpr const char* kCompactingText = "Compacting DALK database !";

// The loaders in the order of their steps; the rest are the driver's own or
// belong to the conversion.
struct LoaderStep {
  int number;
  const char* procedure;
};
constexpr LoaderStep kLoaderSteps[] = {
    {1, "PopulateAddressTable"},          {2, "PopulateAntennaConditionTable"},
    {3, "PopulateAntennaFxTable"},        {4, "PopulateAntennaGainTable"},
    {5, "PopulateAntennaTypeCodeTable"},  {6, "PopulateAntennaTable"},
    {7, "PopulateAzimuth"},               {8, "PopulateClassOfStationCode"},
    {9, "PopulateConditionTable"},        {10, "PopulateContactTable"},
    {11, "PopulateEarthStationStaTable"}, {12, "PopulateForm312Table"},
    {13, "PopulateFrequencyTable"},       {14, "PopulateFreqCondTable"},
    {15, "PopulateFreqCoordTable"},       {16, "PopulateFrequencyFxTable"},
    {17, "PopulateFxTable"},              {18, "PopulateLicenseeHistoryTable"},
    {19, "PopulateLicenseConditionTable"}, {20, "PopulateMainTable"},
    {21, "PopulateNatureOfServiceTable"}, {22, "PopulateNatureOfServiceCodeTable"},
    {23, "PopulatePolarizationCode"},     {24, "PopulatePtCommTable"},
    {25, "PopulatePtCommFxTable"},        {26, "PopulatePurposeTable"},
    {27, "PopulateSiteTable"},            {30, "PopulateSiteConditionTable"},
    {31, "PopulateSpaceStationTable"},    {32, "PopulateSpaceStationStaTable"},
    {33, "PopulateStatusCodeTable"},      {34, "PopulateTransmitterTable"},
    {35, "PopulateFrequencyBandTable"},   {36, "PopulateIntlAlocFrequencyTable"},
    {37, "PopulateFrequencySatTable"},    {40, "PopulateTransmitterTable"},
};

// Steps 38 and 42: compact the output database and log it.
void CompactionStep(RunContext& run) {
  run.Status().SetCaption("lblStepCurrent", std::to_string(run.step_current));
  CompactDalkDatabase(run, kCompactingText);
  db::Database db = run.workspace().OpenDatabase(run.OutputFile());
  db::TableRecordset process_log = db.OpenTable("ProcessLog");
  run.input_file_len = 0;
  run.log_action_text = kCompactingText;
  WriteProcessLogRecord(run, process_log);
  process_log.Close();
  db.Close();
  run.workspace().Close();
}

// The main data set must be found under the exact name "main.dat".
bool MainDataSetFound(const RunPaths& paths) {
  auto found = files::Resolve(files::FromSetting(paths.table_main));
  std::error_code ec;
  return found && std::filesystem::is_regular_file(*found, ec) &&
         text::Trim(found->filename().string()) == "main.dat";
}

void ReportMissingMainDataSet(RunContext& run) {
  ui::Message m;
  m.text = "The file 'main.dat' was not found!\r\n\r\nYou need to redefine the path to this file."
           "\r\n\r\nSelect  \"Setup | Modify File Location\"  on the menu bar.";
  m.title = kProgramTitle;
  run.ShowMessage(m);
  run.ui().Yield();
}

// The file an error concerns, "" when it names none.
std::string FileOf(const std::exception& e, const RunContext& run) {
  if (auto* step_error = dynamic_cast<const StepError*>(&e)) return step_error->file();
  if (auto* fs_error = dynamic_cast<const std::filesystem::filesystem_error*>(&e))
    return fs_error->path1().string();
  if (dynamic_cast<const db::Error*>(&e)) return run.paths().output;
  return "";
}

// Closing after a failure must not hide the failure's own report.
void CloseQuietly(RunContext& run) {
  try {
    run.workspace().Close();
  } catch (const std::exception&) {
  }
}

std::string StepName(const RunContext& run, const std::vector<Step>& steps) {
  for (const Step& s : steps)
    if (s.number == run.step_current) return s.procedure;
  return run.step_current == 0 ? "WriteDataSourceRecord" : "";
}

}  // namespace

ui::Message FailureMessage(std::string headline, const std::exception& e, const RunContext& run) {
  ui::Message m;
  m.title = kProgramTitle;
  m.icon = ui::Icon::kCritical;
  m.text = std::move(headline);
  const std::string file = FileOf(e, run);
  if (!file.empty()) m.text += "\r\n\r\nFile: " + file;
  m.text += "\r\n\r\nReason: " + std::string(e.what());
  return m;
}

std::vector<Step> StandardSteps() {
  std::vector<Step> steps;
  for (const LoaderStep& entry : kLoaderSteps) {
    const loaders::LoaderDef* loader = loaders::FindLoader(entry.procedure);
    if (!loader) continue;  // not part of this program yet
    steps.push_back({entry.number, entry.procedure,
                     [loader](RunContext& run) { loaders::RunLoader(*loader, run); }});
  }
  steps.push_back({38, "CompactDalkDatabase", CompactionStep});
  steps.push_back({42, "CompactDalkDatabase", CompactionStep});
  std::stable_sort(steps.begin(), steps.end(),
                   [](const Step& a, const Step& b) { return a.number < b.number; });
  return steps;
}

RunResult RunSteps(RunContext& run) { return RunSteps(run, StandardSteps()); }

RunResult RunSteps(RunContext& run, const std::vector<Step>& steps) {
  RunResult result;
  if (!MainDataSetFound(run.paths())) {
    ReportMissingMainDataSet(run);
    result.failure = "the file 'main.dat' was not found.";
    return result;
  }

  ui::Window& status = run.Status();
  std::unique_ptr<RejectedData> rejected;
  try {
    status.Show();
    status.SetCaption("lblDateTimeStart", text::GeneralDateTime(text::DateTime::Now()));
    rejected = std::make_unique<RejectedData>(run.InputFile("baddata.txt"));
    run.set_rejected(rejected.get());

    run.step_current = 0;
    status.SetCaption("lblStepTotal", std::to_string(kStepTotal));
    WriteDataSourceRecord(run);
    for (int number = 1; number <= kStepTotal; ++number) {
      run.step_current = number;
      for (const Step& step : steps)
        if (step.number == number) step.run(run);
    }
    status.SetCaption("lblStatus", "F I N I S H E D   build DALK database!");
    result.completed = true;
  } catch (const std::exception& e) {
    const bool stopped_by_user = dynamic_cast<const RunStopped*>(&e) != nullptr;
    CloseQuietly(run);  // rolls back the open transaction, keeps what was committed
    if (rejected) rejected->Close();
    std::string headline = "The conversion stopped at step " + std::to_string(run.step_current);
    const std::string name = StepName(run, steps);
    if (!name.empty()) headline += " (" + name + ")";
    headline += ".";
    if (!stopped_by_user) run.ui().ShowMessage(FailureMessage(std::move(headline), e, run));
    result.failure = "step " + std::to_string(run.step_current) + ": " + e.what();
  }

  CloseQuietly(run);
  if (rejected) {
    result.rejected = rejected->Count();
    rejected->Close();
  }
  run.set_rejected(nullptr);
  status.Hide();
  status.Unload();
  return result;
}

}  // namespace morvane::app
