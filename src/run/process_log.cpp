#include "run/process_log.h"

#include <cstdio>
#include <filesystem>
#include <limits>

#include "platform/db/compact.h"
#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/files/link_target.h"
#include "platform/text/text.h"
#include "run/program.h"
#include "run/progress.h"
#include "run/row_transaction.h"
#include "schema/ktb/ktb_tables.h"

namespace morvane::engine {
namespace {
namespace fs = std::filesystem;

constexpr std::size_t kActionTextLength = 50;
constexpr char kTempDatabaseName[] = "DalkTemp.mdb";

// Begins a transaction, lets `fill` set the fields of a new row of
// `recordset`, stores it and commits; on any failure the row is dropped and
// the transaction rolled back before the error goes on.
template <typename Fill>
void AddRowInTransaction(db::Workspace& workspace, db::TableRecordset& recordset, Fill fill) {
  RowTransaction transaction(workspace);
  try {
    recordset.AddNew();
    fill(recordset);
    recordset.Update();
  } catch (...) {
    if (recordset.Editing()) recordset.CancelUpdate();
    throw;
  }
  transaction.Commit();
}

// "2013.03.05" and "1:02:03 PM": the time as the general date-and-time text
// gives it, without its date.
std::string ExportDate(const text::DateTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d.%02d.%02d", t.year, t.month, t.day);
  return buffer;
}

std::string ExportTime(const text::DateTime& t) {
  const std::string general = text::GeneralDateTime(t);
  return general.substr(general.find(' ') + 1);
}

std::string Describe(const std::exception& e) {
  if (const auto* fs_error = dynamic_cast<const fs::filesystem_error*>(&e)) {
    return fs_error->path1().string() + ": " + fs_error->code().message();
  }
  return e.what();
}

}  // namespace

std::int64_t ClampToLong(std::int64_t value) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  return value > kMax ? kMax : value < kMin ? kMin : value;
}

void WriteProcessLogRecord(RunContext& run, db::TableRecordset& process_log) {
  run.Yield();
  const text::DateTime now = text::DateTime::Now();

  const fs::path output = run.OutputFile();
  try {
    run.workspace().Flush();  // grouped commits count towards the length
  } catch (const db::Error& e) {
    // The step's last save: it may fail in any database the step wrote.
    throw e.Explained("The rows that this step wrote to this file since its last save are not in it.");
  }
  std::int64_t mdb_size = 0;
  try {
    mdb_size = files::FileLength(output);
  } catch (const std::exception& e) {
    throw StepError(output.string(), "The size of the output database could not be read: " +
                                         Describe(e));
  }
  run.Yield();

  try {
    AddRowInTransaction(run.workspace(), process_log, [&](db::TableRecordset& rs) {
      rs.Set("ActionCounter", run.step_current);
      rs.Set("ActionText", text::Left(run.log_action_text, kActionTextLength));
      rs.Set("CurrentDateTime", text::GeneralDateTime(now));
      rs.Set("MdbSize", ClampToLong(mdb_size));
      rs.Set("InputFileSize", ClampToLong(run.input_file_len));
      rs.Set("RecordsProcessed", ClampToLong(run.record_counter));
    });
  } catch (const db::Error& e) {
    throw StepError(output.string(), "The process log row could not be stored: ", e);
  }
}

void WriteDataSourceRecord(RunContext& run) {
  const fs::path main_file = files::FromSetting(run.paths().table_main);
  text::DateTime stamp;
  try {
    stamp = files::ModificationTime(main_file);
  } catch (const fs::filesystem_error& e) {
    throw StepError(main_file.string(),
                    "The date of the main data set file could not be read: " + Describe(e));
  }

  const fs::path output = run.OutputFile();
  try {
    db::Database database = run.workspace().OpenDatabase(output);
    db::TableRecordset data_source = database.OpenTable("DataSource");
    AddRowInTransaction(run.workspace(), data_source, [&](db::TableRecordset& rs) {
      rs.Set("ExportDatabase", "DALK");
      rs.Set("ExportDate", ExportDate(stamp));
      rs.Set("ExportTime", ExportTime(stamp));
    });
    data_source.Close();
    database.Close();
  } catch (const db::Error& e) {
    throw StepError(output.string(), "The data source row could not be stored: ", e);
  }
}

std::string CompactionResultText(std::int64_t size_before, std::int64_t size_after) {
  const double ratio =
      size_before > 0 ? (1.0 - static_cast<double>(size_after) / size_before) * 100.0 : 0.0;
  return "Uncompressed file size: " + FormatCount(size_before) + "\n" +
         "Compressed file size: " + FormatCount(size_after) + "  |  " +
         "Compression ratio: " + text::Format(ratio, "0.0");
}

namespace {

// Why a compaction in `folder` failed: a folder that cannot be written is
// said in words, which the engine's "unable to open database file" is not.
std::string CompactionFailure(const std::exception& e, const fs::path& folder) {
  const std::string why = files::FolderNotWritable(folder);
  return why.empty() ? Describe(e) : why + " (" + Describe(e) + ")";
}

}  // namespace

bool CompactDalkDatabase(RunContext& run, const std::string& heading) {
  ui::Window& status = run.Status();
  // The file itself: through a symbolic link, replacing the link by the
  // compacted copy would leave the link's target as it was.
  const fs::path output = files::LinkTarget(run.OutputFile());
  const fs::path folder = fs::absolute(output).parent_path();
  try {
    const std::int64_t size_before = files::FileLength(output);
    status.SetCaption("lblStatus", heading + "\nCurrent file size (bytes):   " +
                                       FormatCount(size_before) + "\n\nPlease wait . . . . ");
    status.Repaint();

    // The windows keep painting while a large file is compacted; a stop
    // the user asks for cancels the compaction.
    const db::KeepGoing keep_going = [&run]() noexcept {
      try {
        run.YieldIfDue();
        return !run.ui().StopRequested();
      } catch (...) {
        return false;
      }
    };
    db::CompactInPlace(output, kTempDatabaseName, schema::kOutputDatabaseLocale, keep_going);

    status.SetCaption("lblStatus",
                      CompactionResultText(size_before, files::FileLength(output)));
  } catch (const RunStopped&) {
    throw;
  } catch (const std::exception& e) {
    if (run.ui().StopRequested()) throw RunStopped();
    ui::Message message;
    message.title = kProgramTitle;
    message.text = "The output database could not be compacted in the folder " + folder.string() +
                   ":\n" + CompactionFailure(e, folder);
    message.buttons = ui::Buttons::kOk;
    run.ShowMessage(message);
    return false;
  }
  run.Yield();
  return true;
}

}  // namespace morvane::engine
