#include "app/convert_command.h"

#include <exception>
#include <optional>
#include <system_error>

#include "app/path_lengths.h"
#include "app/preflight.h"
#include "app/run_claims.h"
#include "app/run_driver.h"
#include "platform/db/workspace.h"
#include "platform/files/path_lock.h"
#include "platform/text/text.h"
#include "run/ktb_database.h"
#include "run/program.h"
#include "run/rejected_data.h"
#include "run/staging_database.h"

namespace morvane::app {
namespace {

// "NONE" is what the settings give for a missing key: taken as a path, it
// would make Convert delete and rebuild ./NONE in the working folder.
bool OutputPathSet(const std::string& output) {
  const std::string trimmed = text::Trim(output);
  return !trimmed.empty() && trimmed != "NONE";
}

// A Convert refused before its question: nothing on disk has changed.
ConvertOutcome Refused(engine::RunContext& run, std::string failure, std::string text, ui::Icon icon) {
  ui::Message m;
  m.title = engine::kProgramTitle;
  m.icon = icon;
  m.text = std::move(text);
  run.ShowMessage(m);
  ui::Window& main = run.ui().GetWindow(ui::kMainWindow);
  main.SetCaption("lblStatus", "The conversion stopped: " + failure);
  main.Repaint();
  return {ConvertOutcome::Kind::kFailed, std::move(failure)};
}

ConvertOutcome NoOutputPath(engine::RunContext& run) {
  return Refused(run, "no output database is set.",
                 "No output database is set: the setting OutputPathAndFilename is missing or empty."
                 "\r\n\r\nSelect  \"Setup | Modify File Location\"  on the menu bar.",
                 ui::Icon::kCritical);
}

// A second conversion into the same file would destroy both runs: it is
// refused before it asks anything. The claim does not tell whether the other
// conversion builds the file or writes it as one of its antenna-site
// databases, so the message says what is true of both.
ConvertOutcome InUseByAnotherConversion(engine::RunContext& run) {
  return Refused(run, "the output database is in use by another conversion.",
                 "The output database " + text::Trim(run.paths().output) +
                     " is in use by another conversion.\r\n\r\nWait until it has ended, or "
                     "choose another output database under  \"Setup | Modify File Location\".",
                 ui::Icon::kExclamation);
}

// Closes the databases after a failure or a stop; a close that fails too
// (its last changes lost) is returned as a sentence to add to the report.
std::string CloseAfterFailure(db::Workspace& workspace) {
  try {
    workspace.Close();
  } catch (const std::exception& e) {
    return std::string("\r\n\r\nClosing the databases failed too: ") + e.what();
  }
  return {};
}

// A failure before the steps, caught while the run's databases may be
// open: they are closed, the message names `headline`, the file and the
// reason, and the main window says why the conversion stopped.
ConvertOutcome FailedBeforeTheSteps(engine::RunContext& run, const std::string& headline, const std::string& failure,
                                    const std::exception& e) {
  const std::string close_failure = CloseAfterFailure(run.workspace());
  ui::Message m = FailureMessage(headline, e, run);
  m.text += close_failure;
  run.ShowMessage(m);
  ConvertOutcome outcome{ConvertOutcome::Kind::kFailed, failure + ": " + e.what()};
  ui::Window& main = run.ui().GetWindow(ui::kMainWindow);
  main.SetCaption("lblStatus", "The conversion stopped: " + outcome.failure);
  main.Repaint();
  return outcome;
}

bool AskToInitialise(engine::RunContext& run) {
  ui::Message question;
  // The question, its title and the notice keep their familiar spelling on purpose.
  question.text = "If you select YES, all data in this data base will be lost !\r\n\r\n"
                  "Do you wish to initilize this file and convert the data ?";
  question.title = "Initilize " + text::Trim(run.paths().output) + " ?";
  question.buttons = ui::Buttons::kYesNo;
  question.icon = ui::Icon::kCritical;
  question.default_button = 1;  // No
  if (run.ShowMessage(question) == ui::Answer::kYes) return true;

  ui::Message aborted;
  aborted.text = "Convertion of this data base has been aborted !";
  aborted.title = question.title;
  aborted.icon = ui::Icon::kInformation;
  run.ShowMessage(aborted);
  run.ui().GetWindow(ui::kMainWindow).Repaint();
  return false;
}

// Builds the output database afresh: the target tables, then the staging
// tables, each shown by its form.
void InitialiseDatabase(engine::RunContext& run) {
  run.ui().GetWindow(ui::kTargetForm).Unload();
  run.ui().GetWindow(ui::kStagingForm).Unload();
  run.Yield();
  engine::BuildKtbDatabase(run);
  run.Yield();
  engine::AddStagingTables(run);
  run.Yield();
  // Shown as it stands, spelling included, on purpose.
  run.Status().SetCaption("lblStatus", "FINISHED initilizing the data base !");
  run.Yield();
}

// The message at the end of a completed run that wrote to the rejected-data
// file `file`: the records not stored told apart from the notes about
// antenna-site keys and counts, whose records were stored. None when both
// are 0.
std::optional<ui::Message> RejectedDataMessage(const RunResult& result, const std::string& file) {
  if (result.rejected == 0 && result.key_notes == 0) return std::nullopt;
  const std::string records = std::to_string(result.rejected) + " record(s) could not be stored";
  const std::string notes =
      std::to_string(result.key_notes) + " note(s) about antenna-site keys and counts";
  ui::Message m;
  m.title = engine::kProgramTitle;
  m.icon = result.rejected > 0 ? ui::Icon::kExclamation : ui::Icon::kInformation;
  if (result.key_notes == 0)
    m.text = records + " and were written to the rejected-data file:";
  else if (result.rejected == 0)
    m.text = "Every record was stored. " + notes + " were written to the rejected-data file:";
  else
    m.text = records + "; " + notes + ".\r\nThe records and the notes were written to the rejected-data file:";
  m.text += "\r\n\r\n" + file;
  return m;
}

}  // namespace

ConvertOutcome ConvertCommand(ui::Ui& ui, const engine::RunPaths& paths) {
  return ConvertCommand(ui, paths, StandardSteps());
}

ConvertOutcome ConvertCommand(ui::Ui& ui, const engine::RunPaths& paths, const std::vector<Step>& steps) {
  // Held from before the question to the end of the run, and released only
  // after the workspace has closed every database (declared first, so
  // destroyed last): releasing a claim on a file that a connection still has
  // open would drop that connection's locks.
  std::optional<files::PathLock> claim;
  UserDatabaseClaims database_claims;
  db::Workspace workspace;
  engine::RunContext run(ui, workspace, paths);
  ui::Window& main = ui.GetWindow(ui::kMainWindow);
  if (!OutputPathSet(paths.output)) return NoOutputPath(run);
  if (const auto refusal = OverlongPathSetting(paths))
    return Refused(run, refusal->failure, refusal->text, refusal->icon);
  try {
    claim = files::PathLock::TryLock(run.OutputFile());
  } catch (const std::system_error& e) {
    run.ShowMessage(FailureMessage("The output database could not be claimed for this conversion.", e, run));
    return {ConvertOutcome::Kind::kFailed, std::string("the output database could not be claimed: ") + e.what()};
  }
  if (!claim) return InUseByAnotherConversion(run);
  if (const auto refusal = RefusalBeforeQuestion(run))
    return Refused(run, refusal->failure, refusal->text, refusal->icon);
  if (const auto refusal = database_claims.Take(paths, *claim))
    return Refused(run, refusal->failure, refusal->text, refusal->icon);
  if (const auto refusal = UserDatabaseRefusal(run))
    return Refused(run, refusal->failure, refusal->text, refusal->icon);
  ConvertOutcome outcome;
  try {
    // Shown as it stands, spelling included, on purpose.
    run.Status().SetCaption("lblStatus", "Initilizing the data base !");
    run.Yield();
    if (!AskToInitialise(run)) return outcome;

    main.SetCaption("lblStatus", "Converting the data set!");
    main.Repaint();
    // baddata.txt is made anew before the output database is touched: what
    // keeps it from being replaced (a mount on it, an attribute that cannot
    // be told in advance) stops the run while the last output is whole.
    std::optional<engine::RejectedData> rejected;
    try {
      rejected.emplace(run.InputFile(engine::kRejectedDataFileName));
    } catch (const std::exception& e) {
      return FailedBeforeTheSteps(run,
                                  "The rejected-data file could not be made anew; the conversion did not start. "
                                  "The output database and every other database are as they were.",
                                  "the rejected-data file could not be made anew", e);
    }
    try {
      InitialiseDatabase(run);
    } catch (const engine::RunStopped&) {
      throw;
    } catch (const std::exception& e) {
      return FailedBeforeTheSteps(run, "The output database could not be initialised.",
                                  "the output database could not be initialised", e);
    }

    main.SetVisible("cmdConvert", false);
    main.Repaint();
    const RunResult result = RunSteps(run, *rejected, steps);
    main.SetVisible("cmdConvert", true);

    outcome.rejected = result.rejected;
    outcome.key_notes = result.key_notes;
    if (result.completed) {
      outcome.kind = ConvertOutcome::Kind::kCompleted;
      main.SetCaption("lblStatus", "FINISHED converting the data set!");
      if (const auto m = RejectedDataMessage(result, paths.input_dir + engine::kRejectedDataFileName))
        run.ShowMessage(*m);
    } else {
      outcome.kind = ui.StopRequested() ? ConvertOutcome::Kind::kStopped
                                        : ConvertOutcome::Kind::kFailed;
      outcome.failure = result.failure;
      main.SetCaption("lblStatus", "The conversion stopped: " + result.failure);
    }
    main.Repaint();
  } catch (const engine::RunStopped& e) {
    if (const std::string close_failure = CloseAfterFailure(workspace); !close_failure.empty())
      run.ShowMessage(FailureMessage("The conversion was stopped." + close_failure, e, run));
    main.SetVisible("cmdConvert", true);
    outcome.kind = ConvertOutcome::Kind::kStopped;
    outcome.failure = "stopped at the user's request.";
    main.SetCaption("lblStatus", "The conversion stopped: " + outcome.failure);
  }
  return outcome;
}

}  // namespace morvane::app
