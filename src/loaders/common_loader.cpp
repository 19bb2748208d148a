#include "loaders/common_loader.h"

#include <algorithm>
#include <filesystem>

#include "app/process_log.h"
#include "app/record_reader.h"
#include "app/rejected_data.h"
#include "app/sub_fields.h"
#include "loaders/field_conversions.h"
#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/files/line_reader.h"
#include "platform/text/text.h"

namespace morvane::loaders {
namespace {

constexpr std::int64_t kProgressEvery = 100;

// A field rule bound to its column of the open staging table.
struct BoundRule {
  const FieldRule* rule;
  int column;
  const db::FieldDef* field;
};

// Rolls the record's transaction back unless it was committed.
class RecordTransaction {
 public:
  explicit RecordTransaction(db::Workspace& ws) : ws_(ws) { ws_.BeginTrans(); }
  ~RecordTransaction() {
    if (open_) {
      try {
        ws_.Rollback();
      } catch (...) {  // the step is already failing; its error is reported
      }
    }
  }
  void Commit() {
    ws_.CommitTrans();
    open_ = false;
  }

 private:
  db::Workspace& ws_;
  bool open_ = true;
};

class LoaderStep {
 public:
  LoaderStep(const LoaderDef& loader, app::RunContext& run)
      : loader_(loader), run_(run), status_(run.Status()), pieces_needed_(PiecesNeeded(loader)) {}

  void Run() {
    db::Database db = run_.workspace().OpenDatabase(run_.OutputFile());
    db::TableRecordset process_log = db.OpenTable("ProcessLog");
    db::TableRecordset staging = db.OpenTable(loader_.table);
    BindRules(staging);
    run_.log_action_text = loader_.action_text;

    ShowOpening();
    const std::filesystem::path path = run_.InputFile(loader_.file);
    if (!files::FileExists(path))
      throw app::StepError(path.string(), "The data set file was not found.");
    {
      files::LineReader lines(path);
      run_.input_file_len = lines.FileLength();
      status_.SetCaption("lblFileSize", text::Format(static_cast<double>(run_.input_file_len), "###,###,###0"));
      status_.Repaint();
      run_.record_counter = 0;
      run_.bytes_processed = 0;
      ReadAll(lines, staging);
    }
    ShowProgress();
    run_.Yield();

    app::WriteProcessLogRecord(run_, process_log);
    staging.Close();
    process_log.Close();
    db.Close();
    if (loader_.finishing_status) {
      status_.SetCaption("lblStatus", "Finished processing  <  " + loader_.file + "  >  data !");
      status_.Repaint();
    }
  }

 private:
  void BindRules(db::TableRecordset& staging) {
    const db::TableDef& def = staging.Definition();
    for (const FieldRule& rule : loader_.fields) {
      const db::FieldDef* field = def.FindField(rule.field);
      if (!field) throw db::Error("the staging table has no such field", loader_.table, rule.field);
      bound_.push_back({&rule, staging.FieldIndex(rule.field), field});
    }
  }

  void ShowOpening() {
    status_.SetCaption("lblStatus", loader_.opening_status + loader_.file + " >  data !");
    if (loader_.shows_step) {
      status_.SetCaption("lblStepCurrent", " " + std::to_string(run_.step_current));
      status_.Repaint();
    } else {
      run_.Yield();
    }
    status_.SetCaption("lblTotalRecords", "");
    status_.SetVisible("fraTotalRecords", false);
    status_.SetCaption("lblRecordCount", "");
    status_.SetCaption("lblPercentCompleted", "");
    status_.SetValue("ProgressBar1", 0);
    status_.SetCaption("lblFileSize", "");
    status_.SetCaption("lblAmtProcessed", "");
    status_.SetVisible("fraFileSize", true);
    status_.SetVisible("fraAmtProcessed", true);
    status_.Repaint();
  }

  void ShowProgress() {
    status_.SetCaption("lblAmtProcessed", text::Format(static_cast<double>(run_.bytes_processed), "###,###,##0"));
    double percent = 100.0;  // an empty file is all done
    if (run_.input_file_len > 0)
      percent = std::min(100.0, static_cast<double>(run_.bytes_processed) /
                                    static_cast<double>(run_.input_file_len) * 100.0);
    run_.percent_processed = percent;
    status_.SetCaption("lblPercentCompleted", text::Format(percent, "  ##0.0"));
    status_.SetValue("ProgressBar1", percent);
    status_.SetCaption("lblRecordCount", text::Format(static_cast<double>(run_.record_counter), "###,###,##0"));
  }

  void ReadAll(files::LineReader& lines, db::TableRecordset& staging) {
    app::RecordReader reader(lines);
    std::string record;
    while (!lines.AtEnd()) {
      ++run_.record_counter;
      // The byte estimate trails the reading by one record: it counts what
      // the previous pass left behind.
      run_.bytes_processed += static_cast<std::int64_t>(text::Length(run_.line_buf)) + 2;
      if (run_.record_counter % kProgressEvery == 0) {
        ShowProgress();
        run_.Yield();
      }
      switch (reader.Next(record)) {
        case app::RecordReader::Result::kEnd:
        case app::RecordReader::Result::kEmptyLine:
          run_.line_buf.clear();
          break;
        case app::RecordReader::Result::kRecord:
          run_.line_buf = std::move(record);
          Store(staging, reader.FirstLine());
          break;
        case app::RecordReader::Result::kUnterminated:
          Reject(reader.FirstLine(), "the last record has no end mark \"|^|\"", record);
          run_.line_buf = std::move(record);
          break;
        case app::RecordReader::Result::kTooLong:
          Reject(reader.FirstLine(), "a record longer than 1 MiB (its end mark may be lost)", record);
          run_.line_buf.clear();
          break;
      }
      run_.YieldIfDue();
    }
  }

  // Takes the completed record in run_.line_buf apart and stores it.
  void Store(db::TableRecordset& staging, std::int64_t line) {
    std::vector<std::string> sub_fields;
    std::vector<std::string_view> pieces;
    if (loader_.splitting == Splitting::kSubFields) {
      sub_fields = app::SplitSubFields(run_.line_buf, loader_.pieces);
      pieces.assign(sub_fields.begin(), sub_fields.end());
    } else {
      pieces = SplitBars(run_.line_buf, loader_.pieces);
      if (static_cast<int>(pieces.size()) < pieces_needed_) {
        Reject(line, "too few fields: " + std::to_string(pieces.size()) + " of " +
                         std::to_string(pieces_needed_), run_.line_buf);
        return;
      }
    }
    const Record rec(std::move(pieces), run_.line_buf);

    values_.clear();
    try {
      if (loader_.before_store) loader_.before_store(rec, run_);
      for (const BoundRule& b : bound_) {
        FieldValue value = ApplyConversion(*b.rule, rec, run_);
        // A field a rule leaves unassigned stays Null, as AddNew leaves it.
        values_.emplace_back(value ? FitToField(*b.field, loader_.table, std::move(*value))
                                   : db::Value());
      }
    } catch (const Rejected& why) {
      Reject(line, why.what(), run_.line_buf);
      return;
    }

    RecordTransaction transaction(run_.workspace());
    staging.AddNew();
    for (std::size_t i = 0; i < bound_.size(); ++i)
      if (!values_[i].IsNull()) staging.Set(bound_[i].column, values_[i]);
    staging.Update();
    transaction.Commit();
  }

  void Reject(std::int64_t line, const std::string& reason, std::string_view record) {
    app::RejectedData* rejected = run_.rejected();
    if (!rejected)
      throw app::StepError(loader_.file, "line " + std::to_string(line) + ": " + reason);
    rejected->Write(loader_.file, line, reason, record);
  }

  const LoaderDef& loader_;
  app::RunContext& run_;
  ui::Window& status_;
  const int pieces_needed_;
  std::vector<BoundRule> bound_;
  std::vector<db::Value> values_;
};

}  // namespace

void RunLoader(const LoaderDef& loader, app::RunContext& run) { LoaderStep(loader, run).Run(); }

}  // namespace morvane::loaders
