// The state of one conversion run, handed to every step.
//
// Everything that one step leaves for the next (the step number, the
// counters that the process log stores, the last record, the radio-service
// code of the nature-of-service codes) lives here rather than in globals, so
// a run can be driven headless and tested step by step.
//
// The paths are read from the settings once, when Convert is clicked, and do
// not change during the run.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/db/error.h"
#include "platform/db/workspace.h"
#include "platform/ui/ui.h"

namespace morvane::engine {

class RejectedData;

// The registration-number database's fixed place: the Windows path
// E:\KtbMdb\EinKwd\einkwd.mdb where drive E: is mounted on Linux.
inline constexpr const char* kRegistrationDatabase = "/mnt/e/KtbMdb/EinKwd/einkwd.mdb";

// The paths of a run, as the settings give them. `input_dir` ends in '/'
// (or is empty when the main data set path names no main.dat).
struct RunPaths {
  std::string table_main;   // TableMainPath
  std::string input_dir;    // InputDir
  std::string output;       // OutputPath
  std::string ant_site_a, ant_site_b, ant_site_c, ant_site_d, ant_site_e;
  std::string ant_site_db;  // AntSiteDbPath
  // Not a setting: the fixed place, or another that the headless tool and
  // tests give.
  std::string registration_database = kRegistrationDatabase;
  // Where the user named registration_database ("--registration-db", "the
  // setting RegistrationDb of [Development]"); "" for the fixed place. A
  // database the user named must be there: only the fixed place may be
  // missing.
  std::string registration_named_by;
  // Not a setting: the settings file these paths were read from ("" when
  // they were not read from one).
  std::string settings_file;
};

// Thrown by RunContext::Yield when the user has asked to end the program.
class RunStopped : public std::runtime_error {
 public:
  RunStopped() : std::runtime_error("The conversion was stopped at the user's request.") {}
};

// An error that ends a step, and with it the run: names the file and why.
class StepError : public std::runtime_error {
 public:
  StepError(std::string file, const std::string& reason)
      : std::runtime_error(reason), file_(std::move(file)) {}
  // An error of the database layer, `context` said before its reason. It
  // names the file where the failed operation ran when the layer knows it
  // (a user's database, the engine's temporary folder), else `file`, and is
  // kept, so that a report can say that the disk is full.
  StepError(std::string file, const std::string& context, const db::Error& cause)
      : std::runtime_error(context + cause.what()),
        file_(cause.file().empty() ? std::move(file) : cause.file()),
        cause_(cause) {}
  const std::string& file() const { return file_; }
  const db::Error* cause() const { return cause_ ? &*cause_ : nullptr; }

 private:
  std::string file_;
  std::optional<db::Error> cause_;
};

class RunContext {
 public:
  RunContext(ui::Ui& ui, db::Workspace& workspace, RunPaths paths);

  ui::Ui& ui() { return ui_; }
  db::Workspace& workspace() { return workspace_; }
  const RunPaths& paths() const { return paths_; }

  ui::Window& Status() { return ui_.GetWindow(ui::kStatusWindow); }

  // A data set file of the input folder (InputDir & name), resolved without
  // regard to case when it does not exist as written.
  std::filesystem::path InputFile(const std::string& name) const;
  // The output database, resolved the same way.
  std::filesystem::path OutputFile() const;

  // Serves the event loop. Throws RunStopped when the user has asked to end
  // the program, so the step unwinds and closes what it holds.
  void Yield();
  // For loops that would yield after every record: yields only when at
  // least 50 ms have passed since the last yield.
  void YieldIfDue();

  // Shows the message box; the rows written so far are made durable if the
  // box waits for the user (ui::Ui::ShowMessageWithIdleWork), so a program
  // ended at the box loses none of them, while a box answered at once costs
  // no commit.
  ui::Answer ShowMessage(const ui::Message& message);

  // The rejected-data file of the run (baddata.txt); null outside a run.
  RejectedData* rejected() { return rejected_; }
  void set_rejected(RejectedData* rejected) { rejected_ = rejected; }

  // Run state carried from step to step. Counters are 64-bit; what is
  // stored in a Long field is capped there.
  int step_current = 0;                // StepCurrent
  std::int64_t record_counter = 0;     // RecordCounter
  std::int64_t input_file_len = 0;     // InputFileLen
  std::string log_action_text;         // LogActionText
  std::int64_t bytes_processed = 0;    // BytesProcessed
  double percent_processed = 0;        // PercentProcessed
  std::string line_buf;                // LineBuf: the last record as split
  std::string cur_rad_svc_code;        // CurRadSvcCode

 private:
  ui::Ui& ui_;
  db::Workspace& workspace_;
  RunPaths paths_;
  RejectedData* rejected_ = nullptr;
  std::chrono::steady_clock::time_point last_yield_;
};

}  // namespace morvane::engine
