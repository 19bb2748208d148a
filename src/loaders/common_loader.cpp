#include "loaders/common_loader.h"

#include <algorithm>
#include <filesystem>

#include "loaders/field_conversions.h"
#include "loaders/parsed_records.h"
#include "loaders/record_converter.h"
#include "platform/db/deferred_indexes.h"
#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/files/line_reader.h"
#include "platform/text/text.h"
#include "run/process_log.h"
#include "run/progress.h"
#include "run/rejected_data.h"
#include "run/row_transaction.h"
#include "run/unsaved_rows.h"

namespace morvane::loaders {
namespace {

constexpr std::int64_t kProgressEvery = 100;
constexpr std::int64_t kClockEvery = 16;

class LoaderStep {
 public:
  LoaderStep(const LoaderDef& loader, engine::RunContext& run)
      : loader_(loader), run_(run), status_(run.Status()), group_(run.workspace()) {}

  void Run() {
    db::Database db = run_.workspace().OpenDatabase(run_.OutputFile());
    db::TableRecordset process_log = db.OpenTable("ProcessLog");
    db::TableRecordset staging = db.OpenTable(loader_.table);
    RecordConverter converter(loader_, BindRules(staging));
    run_.log_action_text = loader_.action_text;

    ShowOpening();
    const std::filesystem::path path = run_.InputFile(loader_.file);
    // Checked before opening: a named pipe would block the run for good.
    if (const std::string why = files::NotARegularFile(path); !why.empty())
      throw engine::StepError(path.string(), "The data set file " + why + ".");
    // Nothing seeks the staging table while it is loaded.
    db::DeferredIndexes indexes(db, loader_.table);
    {
      files::LineReader lines(path);
      run_.input_file_len = lines.FileLength();
      status_.SetCaption("lblFileSize", text::Format(static_cast<double>(run_.input_file_len), "###,###,###0"));
      status_.Repaint();
      run_.record_counter = 0;
      run_.bytes_processed = 0;
      try {
        ReadAll(lines, converter, staging);
        run_.workspace().Flush();  // the rows are durable before the step logs itself
      } catch (const db::ValueRefused&) {
        throw;
      } catch (const db::Error& e) {
        ThrowRowsNotStored(e);
      }
    }
    try {
      indexes.Rebuild();
    } catch (const db::Error& e) {
      // Every row is saved (above); the indexes are made after them.
      throw e.Explained(loader_.table + " holds a row for every record of " + loader_.file +
                        " that was not set aside; not all of its indexes are in the database.");
    }
    ShowProgress();
    run_.Yield();

    engine::WriteProcessLogRecord(run_, process_log);
    staging.Close();
    process_log.Close();
    db.Close();
    if (loader_.finishing_status) {
      status_.SetCaption("lblStatus", "Finished processing  <  " + loader_.file + "  >  data !");
      status_.Repaint();
    }
  }

 private:
  // Finds each rule's field: its column for storing, a copy of its
  // definition for the converter.
  std::vector<FieldTarget> BindRules(db::TableRecordset& staging) {
    const db::TableDef& def = staging.Definition();
    std::vector<FieldTarget> targets;
    for (const FieldRule& rule : loader_.fields) {
      const db::FieldDef* field = def.FindField(rule.field);
      if (!field) throw db::Error("the staging table has no such field", loader_.table, rule.field);
      const Fraction fraction = IsKeyField(def, *field) ? Fraction::kRefused : Fraction::kRounded;
      targets.push_back({&rule, *field, fraction});
      columns_.push_back(staging.FieldIndex(rule.field));
    }
    return targets;
  }

  void ShowOpening() {
    status_.SetCaption("lblStatus", loader_.opening_status + loader_.file + " >  data !");
    // Every step shows its own number: a number left by an earlier step
    // would name the wrong step while this one runs.
    status_.SetCaption("lblStepCurrent", " " + std::to_string(run_.step_current));
    status_.Repaint();
    engine::ClearProgress(status_);
    status_.SetVisible("fraFileSize", true);
    status_.SetVisible("fraAmtProcessed", true);
    status_.Repaint();
  }

  void ShowProgress() {
    status_.SetCaption("lblAmtProcessed", engine::FormatCount(run_.bytes_processed));
    engine::ShowPercentAndCount(run_, engine::PercentDone(run_.bytes_processed, run_.input_file_len));
  }

  // The records are read and converted on threads of their own; here they
  // are counted, shown, stored or set aside in file order, as one loop would.
  void ReadAll(files::LineReader& lines, const RecordConverter& converter, db::TableRecordset& staging) {
    std::size_t last_length = text::Length(run_.line_buf);
    ParsedRecords passes(lines, converter);
    while (ParsedPass* pass = NextPass(passes, staging)) {
      ++run_.record_counter;
      // The byte estimate trails the reading by one record: it counts what
      // the previous pass left behind.
      run_.bytes_processed += static_cast<std::int64_t>(last_length) + 2;
      if (engine::ProgressDue(run_.record_counter, kProgressEvery)) {
        WriteQueued(staging);
        ShowProgress();
        run_.Yield();
      }
      if (pass->error) {
        WriteQueued(staging);
        std::rethrow_exception(pass->error);
      }
      Take(*pass, staging);
      last_length = run_.line_buf.empty() ? 0 : pass->text_length;
      // A record takes microseconds: reading the clock after every 16th
      // still yields well within the interval, at a sixteenth of the cost.
      if (run_.record_counter % kClockEvery == 0) {
        WriteQueued(staging);
        run_.YieldIfDue();
      }
    }
    WriteQueued(staging);
  }

  // The reading's own error ends the step after the records before it are
  // stored, as every other error does.
  ParsedPass* NextPass(ParsedRecords& passes, db::TableRecordset& staging) {
    try {
      return passes.Next();
    } catch (...) {
      WriteQueued(staging);
      throw;
    }
  }

  void Take(ParsedPass& pass, db::TableRecordset& staging) {
    switch (pass.result) {
      case engine::RecordReader::Result::kEnd:
      case engine::RecordReader::Result::kEmptyLine:
        run_.line_buf.clear();
        break;
      case engine::RecordReader::Result::kRecord:
        run_.line_buf.swap(pass.text);  // the pass keeps the old buffer for a later record
        if (!pass.actions.Empty()) WriteQueued(staging);
        pass.actions.TakePlace(run_);
        if (pass.set_aside) {
          WriteQueued(staging);
          Reject(pass.line, pass.reason, run_.line_buf);
        } else {
          Queue(staging, pass.line, pass.values);
        }
        break;
      case engine::RecordReader::Result::kUnterminated:
      case engine::RecordReader::Result::kNotUtf8:
        WriteQueued(staging);
        Reject(pass.line,
               pass.result == engine::RecordReader::Result::kNotUtf8
                   ? "a byte sequence that is not UTF-8 (the file begins with a UTF-8 byte-order mark)"
                   : "the last record has no end mark \"|^|\"",
               pass.text);
        run_.line_buf.swap(pass.text);
        break;
      case engine::RecordReader::Result::kTooLong:
        WriteQueued(staging);
        Reject(pass.line, "a record longer than 1 MiB (its end mark may be lost)", pass.text);
        run_.line_buf.clear();
        break;
    }
  }

  // Queues the converted record as one new row. The queued rows are stored
  // together (WriteQueued) when the queue is full and before anything else
  // happens that the rows before it must precede: a yield (a stop keeps
  // every record before it), a message, a set-aside record, the step's end.
  void Queue(db::TableRecordset& staging, std::int64_t line, std::vector<db::Value>& values) {
    if (staging.QueuedRows() == staging.QueueCapacity()) WriteQueued(staging);
    group_.Note(line);
    try {
      staging.QueueNew(columns_, values);
    } catch (...) {
      WriteQueued(staging);
      throw;
    }
    if (first_queued_line_ == 0) first_queued_line_ = line;
    last_queued_line_ = line;
  }

  // Stores the queued rows in one transaction, which counts as one commit
  // per row toward the group.
  void WriteQueued(db::TableRecordset& staging) {
    const std::size_t rows = staging.QueuedRows();
    if (rows == 0) return;
    rows_written_ = false;
    engine::RowTransaction transaction(run_.workspace());
    staging.WriteQueued();
    rows_written_ = true;
    transaction.Commit(rows);
    first_queued_line_ = last_queued_line_ = 0;
  }

  // An engine error (a full disk) stopped the step: saves what the engine
  // still holds and says which records are not in the database.
  [[noreturn]] void ThrowRowsNotStored(const db::Error& e) {
    const bool kept = engine::SaveWhatRemains(run_.workspace());
    // A record's rows are written at once: no group begins among them.
    const std::int64_t group_first_line = group_.first();
    if (group_first_line == 0 || (kept && first_queued_line_ == 0)) throw;
    const std::string of = " of " + loader_.file + " ";
    std::string where;
    if (!kept) {
      where = loader_.table + " holds the rows of the records" + of + "before line " +
              std::to_string(group_first_line) + "; the records from line " +
              std::to_string(group_first_line) + " on are not in the database.";
    } else if (rows_written_) {
      where = loader_.table + " holds the rows of the records" + of + "up to line " +
              std::to_string(last_queued_line_) + "; the records after it are not in the database.";
    } else {
      where = loader_.table + " holds the rows of the records" + of + "before line " +
              std::to_string(first_queued_line_) + "; the records from line " +
              std::to_string(first_queued_line_) + " on are not in the database.";
    }
    throw e.Explained(where);
  }

  void Reject(std::int64_t line, const std::string& reason, std::string_view record) {
    engine::RecordRejected(run_, loader_.file, "line " + std::to_string(line), reason, record);
  }

  const LoaderDef& loader_;
  engine::RunContext& run_;
  ui::Window& status_;
  std::vector<int> columns_;  // the staging column of each field rule
  // Where the present group of commits began; the first and last lines of
  // the records queued or being stored (0: none, once they are committed).
  engine::GroupStart group_;
  std::int64_t first_queued_line_ = 0, last_queued_line_ = 0;
  bool rows_written_ = false;
};

}  // namespace

void RunLoader(const LoaderDef& loader, engine::RunContext& run) { LoaderStep(loader, run).Run(); }

}  // namespace morvane::loaders
