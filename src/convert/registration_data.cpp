#include "convert/registration_data.h"

#include <array>
#include <optional>
#include <string>

#include "convert/row_writer.h"
#include "platform/db/database.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "run/process_log.h"
#include "run/program.h"
#include "run/progress.h"
#include "run/user_database.h"

namespace morvane::convert {
namespace {

constexpr std::int64_t kProgressEvery = 100;
constexpr const char* kEntryTable = "EinKwdTable";
constexpr const char* kKeyIndex = "idxKwdKey";
constexpr const char* kKeyField = "KwdKey";

constexpr const char* kQuery =
    "SELECT Freq.CsFnKey, Freq.FreqKey, Freq.QalRegNum, freq.StatusCode "
    "From Freq "
    "ORDER BY Freq.QalRegNum, Freq.CsFnKey, Freq.FreqKey";
constexpr int kRegNumColumn = 2;
constexpr int kStatusColumn = 3;

// The fields of a registrant's entry, in the order they are read, and the
// LiceEinKwd field each one is copied to.
struct CopiedField {
  const char* entry;
  const char* lice_ein_kwd;
};
constexpr CopiedField kCopiedFields[] = {
    {"EinKey", "EinKey"},
    {"KwdKey", "KwdKey"},
    {"EntityName", "EntityName"},
    {"EntityOrg", "EntityOrg"},
    {"EntityType", "EntityType"},
    {"EntitySubType", "EntitySubType"},
    {"Street1", "Street1"},
    {"Street2", "Street2"},
    {"POBox", "PoBox"},
    {"City", "City"},
    {"State", "State"},
    {"ZipCode", "Zip"},
    {"Country", "Country"},
    {"EmailAddress", "EmailAddress"},
    {"TelephoneNumber", "TelephoneNumber"},
    {"InputSource", "InputSource"},
    {"RegDt", "RegDt"},
    {"UpdDt", "UpdDt"},
};

void ReportMissingDatabase(engine::RunContext& run) {
  run.Status().SetCaption("lblStatus", " 'einkwd.mdb' data not found!  Exiting subroutine! ");
  ui::Message m;
  m.text = "File not found, exiting  PopulateLiceEinKwdTable";
  m.title = engine::kProgramTitle;
  run.ShowMessage(m);
  run.Yield();
}

void ShowOpening(ui::Window& status) {
  status.SetCaption("lblStatus", "Processing 'LiceEinKwdTable' data !  Please wait . . . .");
  engine::ClearProgress(status);
  status.Repaint();
}

void ShowProgress(engine::RunContext& run, std::int64_t total) {
  engine::ShowPercentAndCount(run, engine::PercentDone(run.record_counter, total));
  run.Status().Repaint();
}

// A Freq row of an active assignment with a registration number.
bool Taken(const db::Value& reg_num, const db::Value& status_code) {
  return !reg_num.IsNull() && text::Val(reg_num.AsText()) >= 1 && !status_code.IsNull() &&
         status_code.AsText() == "9";
}

using Entry = std::array<db::Value, std::size(kCopiedFields)>;

// The registrant's entry of `reg_num`, in the order of kCopiedFields;
// nullopt when the number is unknown. An error of the database names the
// user's file.
std::optional<Entry> FindEntry(const std::string& path, db::TableRecordset& entries,
                               const db::Value& reg_num) {
  return engine::InUserDatabase(path, [&]() -> std::optional<Entry> {
    entries.Seek("=", reg_num);
    if (entries.NoMatch()) return std::nullopt;
    Entry entry;
    for (std::size_t i = 0; i < entry.size(); ++i) entry[i] = entries.Get(kCopiedFields[i].entry);
    if (entry[0].IsNull()) entry[0] = db::Value("");  // EinKey
    return entry;
  });
}

// Copies the registrant of `reg_num` into LiceEinKwd unless it is there or
// unknown.
void CopyRegistrant(engine::RunContext& run, const std::string& path, db::TableRecordset& entries,
                    db::TableRecordset& lice_ein_kwd, const db::Value& reg_num) {
  const std::optional<Entry> values = FindEntry(path, entries, reg_num);
  if (!values) return;

  lice_ein_kwd.Seek("=", reg_num);
  if (!lice_ein_kwd.NoMatch()) return;
  WriteRow(run, lice_ein_kwd, RowWrite::kAdd, "registration number " + text::Trim(reg_num.AsText()),
           [&](db::TableRecordset& rs) {
             for (std::size_t i = 0; i < std::size(kCopiedFields); ++i)
               rs.Set(kCopiedFields[i].lice_ein_kwd, (*values)[i]);
           });
}

}  // namespace

std::string NamedDatabaseMissing(const std::string& named_by, const std::filesystem::path& path) {
  if (named_by.empty() || files::Locate(path).kind != files::Located::Kind::kMissing) return "";
  return "registration-number database named by " + named_by + " was not found: " + path.string();
}

engine::UserDatabase RegistrationDatabase(const std::string& path) {
  engine::UserTable table{kEntryTable, {}, {{kKeyIndex, kKeyField}}};
  for (const CopiedField& field : kCopiedFields) table.fields.push_back(field.entry);
  return {"", path, {table}, /*written=*/false, /*optional=*/true};
}

void PopulateLiceEinKwdTable(engine::RunContext& run,
                             const std::filesystem::path& registration_database) {
  // Only a database that is not there is "not found"; one that is there but
  // cannot be reached or used stops the step with the reason (the check).
  const files::Located found = files::Locate(registration_database);
  if (found.kind == files::Located::Kind::kMissing) {
    // The user's own choice: going on without it would report success.
    if (const std::string why = NamedDatabaseMissing(run.paths().registration_named_by, registration_database);
        !why.empty())
      throw engine::StepError(registration_database.string(), "The " + why + ".");
    ReportMissingDatabase(run);
    return;
  }
  // Read through by the check before step 28.
  engine::CheckUserDatabase(run.workspace(), RegistrationDatabase(registration_database.string()),
                            engine::CheckDepth::kStructure);
  ui::Window& status = run.Status();
  ShowOpening(status);

  db::Database db = run.workspace().OpenDatabase(run.OutputFile());
  db::TableRecordset lice_ein_kwd = db.OpenTable("LiceEinKwd");
  run.log_action_text = "Lice data!";
  db::TableRecordset process_log = db.OpenTable("ProcessLog");
  const std::string path = found.path.string();
  db::Database registration = engine::InUserDatabase(
      path, [&] { return run.workspace().OpenDatabase(found.path, db::Access::kUserRead); });
  db::TableRecordset entries = engine::InUserDatabase(path, [&] {
    db::TableRecordset rs = registration.OpenTable(kEntryTable);
    rs.SetIndex(kKeyIndex);
    return rs;
  });
  lice_ein_kwd.SetIndex(kKeyIndex);

  db::SqlRecordset query = db.OpenSql(kQuery);
  const std::int64_t total = query.RecordCount();
  status.SetCaption("lblTotalRecords", engine::FormatCount(total));
  status.Repaint();
  run.Yield();

  run.record_counter = 0;
  // Rows come in number order: a number met again needs no second look-up.
  std::optional<std::string> previous;
  for (query.MoveFirst(); !query.Eof(); query.MoveNext()) {
    ++run.record_counter;
    if (engine::ProgressDue(run.record_counter, kProgressEvery)) {
      ShowProgress(run, total);
      run.Yield();
    }
    const db::Value reg_num = query.Get(kRegNumColumn);
    if (!Taken(reg_num, query.Get(kStatusColumn))) continue;
    std::string number = text::Trim(reg_num.AsText());
    if (number == previous) continue;
    previous = std::move(number);
    CopyRegistrant(run, path, entries, lice_ein_kwd, reg_num);
    run.YieldIfDue();
  }
  ShowProgress(run, total);
  run.Yield();
  query.Close();

  engine::WriteProcessLogRecord(run, process_log);
  entries.Close();
  registration.Close();
  lice_ein_kwd.Close();
  process_log.Close();
  db.Close();
}

}  // namespace morvane::convert
