#include "convert/site_matching.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include "convert/ant_site_databases.h"
#include "convert/site_record.h"
#include "platform/db/database.h"
#include "platform/files/files.h"
#include "platform/text/text.h"
#include "run/process_log.h"
#include "run/program.h"
#include "run/progress.h"
#include "run/rejected_data.h"
#include "run/row_transaction.h"
#include "run/user_database.h"

namespace morvane::convert {
namespace {

constexpr std::int64_t kProgressEvery = 100;
constexpr std::int64_t kFirstKeyNumber = 1000000;
constexpr std::int64_t kLastKeyNumber = 9999999;  // keys are one letter and seven digits

// What both steps share: the status window, the walk over DalkSite in
// stored order with its progress display, and the ProcessLog row.
//
// The walk reads the fields it needs a slice of rows at a time and writes a
// site's key and flag by its row id: two prepared statements instead of a
// recordset that reads and rewrites every field of every row. A slice read
// ahead stays true while the walk writes: each row is written only when its
// own turn comes.
class SiteWalk {
 public:
  SiteWalk(engine::RunContext& run, const char* opening_status) : run_(run), status_(run.Status()) {
    run_.ui().GetWindow(ui::kMainWindow).Repaint();
    status_.Show();
    status_.Repaint();
    status_.SetCaption("lblStatus", opening_status);
    engine::ClearProgress(status_);
    status_.Repaint();
  }

  void OpenSites(const char* action_text, SiteFields fields) {
    fields_ = fields;
    output_ = run_.workspace().OpenDatabase(run_.OutputFile());
    db::PreparedSql count = output_.Prepare("SELECT count(*) FROM DalkSite");
    count.Run();
    total_ = count.Get(0, 0).AsInteger();
    count.Close();
    slice_ = output_.Prepare("SELECT " + SiteRecordColumns(fields) +
                             " FROM DalkSite WHERE rowid > ?1 ORDER BY rowid LIMIT " +
                             std::to_string(kSliceRows));
    set_site_ = output_.Prepare("UPDATE DalkSite SET TowerSiteKey = ?1, TowerFlag = ?2 WHERE rowid = ?3");
    run_.log_action_text = action_text;
    status_.SetCaption("lblTotalRecords", engine::FormatCount(total_));
  }

  void OpenProcessLog() {
    process_log_ = output_.OpenTable("ProcessLog");
    run_.record_counter = 0;
  }

  template <typename Handle>
  void ForEachSite(Handle&& handle) {
    std::int64_t after = std::numeric_limits<std::int64_t>::min();
    for (std::int64_t rows; (rows = slice_.Run({db::Value(after)})) > 0;) {
      for (std::int64_t i = 0; i < rows; ++i) {
        ++run_.record_counter;
        if (engine::ProgressDue(run_.record_counter, kProgressEvery)) {
          ShowProgress();
          run_.Yield();
        }
        const SiteRecord site = ReadSiteRecord(slice_, i, fields_);
        after = site.row_id;
        handle(site);
      }
    }
  }

  // Writes the site's key and flag into its DalkSite row, inside the
  // caller's transaction if there is one. The key is one that the site
  // matching accepted (at most 15 characters) and the flag one character,
  // so both fit their fields.
  void SetSite(const SiteRecord& site, const std::string& key, const char* flag) {
    if (set_site_.Run({db::Value(key), db::Value(flag), db::Value(site.row_id)}) != 1)
      throw db::Error("the site row being keyed no longer exists", "DalkSite");
  }

  void Finish(const char* finished_status, int yields) {
    status_.SetCaption("lblStatus", finished_status);
    ShowProgress();
    for (int i = 0; i < yields; ++i) run_.Yield();
    engine::WriteProcessLogRecord(run_, process_log_);
    process_log_.Close();
    slice_.Close();
    set_site_.Close();
    output_.Close();
    run_.workspace().Close();  // closes the user's databases too
    status_.SetCaption("lblStatus",
                       "Finished processing  <  " + run_.paths().ant_site_a + "  >  data !\r\n  Step  1  of  12");
  }

 private:
  static constexpr int kSliceRows = 512;

  void ShowProgress() {
    status_.SetCaption("lblAmtProcessed", engine::FormatCount(total_));
    engine::ShowPercentAndCount(run_, engine::PercentDone(run_.record_counter, total_));
  }

  engine::RunContext& run_;
  ui::Window& status_;
  db::Database output_;
  db::PreparedSql slice_, set_site_;
  db::TableRecordset process_log_;
  std::int64_t total_ = 0;
  SiteFields fields_ = SiteFields::kAll;
};

// One of the user's match databases, opened on the run's workspace, with its
// table (named as its setting: AntSite_A ...) searched through its index.
// Errors of the database layer name the user's file.
class MatchTable {
  // Runs `action`; a db::Error names this database. (Defined before its
  // first use: its return type is deduced.)
  template <typename Action>
  decltype(auto) In(Action&& action) {
    return engine::InUserDatabase(path_, std::forward<Action>(action));
  }

 public:
  MatchTable(engine::RunContext& run, const engine::UserDatabase& database)
      : run_(run),
        access_(engine::AccessOf(database)),
        setting_(database.setting),
        path_(database.path),
        letter_(setting_.substr(setting_.size() - 1)),
        key_field_("TowerSiteKey" + letter_),
        info_field_("TowerSiteInfo" + letter_),
        count_field_("AntSite_Count" + letter_) {
    In([&] {
      db_ = run.workspace().OpenDatabase(engine::UserDatabaseFile(path_), access_);
      table_ = db_.OpenTable(setting_);
      table_.SetIndex("idxTowerSiteInfo" + letter_);
    });
  }

  // The key of the first entry whose searched text is `info`; nullopt when
  // there is none. The key as stored (Null reads as "").
  std::optional<std::string> Find(const std::string& info) {
    return In([&]() -> std::optional<std::string> {
      table_.Seek("=", info);
      if (table_.NoMatch()) return std::nullopt;
      return table_.Get(key_field_).AsText();
    });
  }

  // Raises the count of the entry that Find found; a Null count counts as 0.
  void RaiseCount() {
    In([&] {
      table_.Edit();
      table_.Set(count_field_, table_.Get(count_field_).AsInteger() + 1);
      table_.Update();
    });
  }

  void Add(const std::string& key, const std::string& info) {
    In([&] {
      table_.AddNew();
      table_.Set(key_field_, key);
      table_.Set(info_field_, info);
      table_.Set(count_field_, 1);
      table_.Update();
    });
  }

  // A key found here must serve as the site's antenna-site key at step 39:
  // not empty and at most 15 characters. Otherwise a baddata.txt line names
  // the database, the site and the key, `consequence` says what follows, and
  // false is returned. The line is a note: the site row itself is stored.
  bool Usable(const std::string& key, const SiteRecord& site, const std::string& consequence) {
    std::string reason;
    if (text::Trim(key).empty())
      reason = "the antenna-site key is empty";
    else if (text::Length(key) > kAntSiteKeyWidth)
      reason = "the antenna-site key is longer than " + std::to_string(kAntSiteKeyWidth) + " characters";
    else
      return true;
    engine::RecordNoted(run_, setting_ + " " + engine::UserDatabaseFile(path_).string(),
                        "site " + std::to_string(site.site_key), reason + "; " + consequence, key);
    return false;
  }

  // The first number for a new entry: one more than the larger of the
  // record count + 1000000 and the highest "C"/"D" key of seven digits, so
  // that a new key never repeats one that is there.
  std::int64_t NextNumberBase() {
    return In([&] {
      const std::string k = "trim(\"" + key_field_ + "\")";
      db::SqlRecordset highest = db_.OpenSql(
          "SELECT max(CAST(substr(" + k + ", 2) AS INTEGER)) FROM \"" + setting_ + "\" WHERE length(" + k +
              ") = 8 AND upper(substr(" + k + ", 1, 1)) = ?1 AND substr(" + k + ", 2) NOT GLOB '*[^0-9]*'",
          {db::Value(letter_)});
      const std::int64_t existing = highest.Eof() ? 0 : highest.Get(0).AsInteger();
      return std::max(table_.RecordCount() + kFirstKeyNumber, existing);
    });
  }

  // The declared width of the searched field; 0 when it has none.
  std::size_t InfoWidth() {
    const db::FieldDef* f = table_.Definition().FindField(info_field_);
    return f && f->type == db::FieldType::kText ? static_cast<std::size_t>(f->size) : 0;
  }

  std::string NewKey(std::int64_t& number) {
    if (number >= kLastKeyNumber)
      throw engine::StepError(engine::UserDatabaseFile(path_).string(),
                              "The database of the setting " + setting_ + " has no seven-digit key left.");
    ++number;
    return letter_ + text::Format(static_cast<double>(number), "0000000");
  }

 private:
  engine::RunContext& run_;
  const db::Access access_;
  const std::string setting_, path_, letter_;
  const std::string key_field_, info_field_, count_field_;
  db::Database db_;
  db::TableRecordset table_;
};

void ShowMatchMessage(engine::RunContext& run) {
  ui::Message m;
  m.text = "In BuildAntSiteDataSet_A_B : 8";
  m.title = engine::kProgramTitle;
  run.ShowMessage(m);
  run.Yield();
}

class StepAB {
 public:
  explicit StepAB(engine::RunContext& run)
      : run_(run), walk_(run, "Processing 'Site - AntSite A' data !  Please wait . . . .") {}

  void Run() {
    for (const engine::UserDatabase& d : AntSiteDatabasesToCheck(run_.paths()))
      engine::CheckUserDatabase(run_.workspace(), d);
    walk_.OpenSites("DalkSite data!", SiteFields::kCoordinates);
    // B first: when A and B are one file, A then shares B's connection,
    // which may write (A alone is opened read-only).
    MatchTable b(run_, AntSiteB(run_.paths().ant_site_b));
    MatchTable a(run_, AntSiteA(run_.paths().ant_site_a));
    walk_.OpenProcessLog();
    walk_.ForEachSite([&](const SiteRecord& site) { Match(site, a, b); });
    walk_.Finish("FINISHED processing 'Site - AntSite A' data !", 2);
  }

 private:
  void Match(const SiteRecord& site, MatchTable& a, MatchTable& b) {
    if (HasNoCoordinates(site)) return;
    const std::string key = SiteCoordKey(site);
    if (auto found = a.Find(key); found && a.Usable(*found, site, "looked up in AntSite_B instead")) {
      walk_.SetSite(site, *found, "1");  // one statement: whole or not at all
      run_.YieldIfDue();
      return;
    }
    auto found = b.Find(key);
    if (!found || !b.Usable(*found, site, "left to AntSite_C or AntSite_D")) return;
    // The count and the site in one transaction: a stop between them
    // cannot leave a raised count without its site.
    engine::RowTransaction transaction(run_.workspace());
    b.RaiseCount();
    walk_.SetSite(site, *found, "2");
    transaction.Commit();
    run_.YieldIfDue();
    ShowMatchMessage(run_);
  }

  engine::RunContext& run_;
  SiteWalk walk_;
};

// E is counted only; its count serves nothing, so a setting without a file,
// or a file that cannot be counted, counts 0 and is named in the status.
std::int64_t CountE(engine::RunContext& run, std::string& note) {
  const std::string& path = run.paths().ant_site_e;
  const std::string named = text::Trim(path);
  try {
    if (named.empty() || text::EqualsIgnoreCase(named, "NONE")) {
      note = "names no database";
      return 0;
    }
    if (!files::FileExists(engine::UserDatabaseFile(path))) {
      note = files::NotARegularFile(engine::UserDatabaseFile(path));  // "was not found", "is a folder ..."
      return 0;
    }
    db::Database e = run.workspace().OpenDatabase(engine::UserDatabaseFile(path), db::Access::kUserRead);
    db::TableRecordset table = e.OpenTable("AntSite_E");
    const std::int64_t count = table.RecordCount();
    table.Close();
    e.Close();
    return count;
  } catch (const db::Error& error) {
    note = "cannot be counted (" + std::string(error.what()) + ")";
    return 0;
  }
}

class StepCDE {
 public:
  static constexpr const char* kOpening = "Processing 'Site - AntSite C && D && E' data !  Please wait . . . .";

  explicit StepCDE(engine::RunContext& run) : run_(run), walk_(run, kOpening) {}

  void Run() {
    walk_.OpenSites("Dalk Site data!", SiteFields::kAll);
    MatchTable c(run_, AntSiteC(run_.paths().ant_site_c));
    next_c_ = c.NextNumberBase();
    MatchTable d(run_, AntSiteD(run_.paths().ant_site_d));
    next_d_ = d.NextNumberBase();
    d_width_ = d.InfoWidth();
    std::string note;
    CountE(run_, note);
    if (!note.empty())
      run_.Status().SetCaption("lblStatus", std::string(kOpening) + "\r\nAntSite_E  <  " +
                                                run_.paths().ant_site_e + "  >  " + note + ": 0 rows counted");
    walk_.OpenProcessLog();
    walk_.ForEachSite([&](const SiteRecord& site) {
      run_.YieldIfDue();
      if (site.tower_flag == "1" || site.tower_flag == "2") return;
      if (HasNoCoordinates(site))
        MatchD(site, d);
      else
        MatchC(site, c);
    });
    walk_.Finish("FINISHED processing 'Site - AntSite B && C && D' data !", 1);
  }

 private:
  void MatchD(const SiteRecord& site, MatchTable& d) {
    // Searched with exactly the text that is stored, so an entry is found
    // again on the next row and the next run.
    std::string key = SiteAddressKey(site);
    if (d_width_ > 0 && text::Length(key) > d_width_) key = text::Left(key, d_width_);
    if (auto found = d.Find(key)) {
      const std::string tower_key = text::Trim(*found);
      if (d.Usable(tower_key, site, "the site keeps no antenna-site key")) Store(site, d, tower_key, "4", false);
      return;
    }
    Store(site, d, d.NewKey(next_d_), "4", true, key);
  }

  void MatchC(const SiteRecord& site, MatchTable& c) {
    const std::string key = SiteCoordKeyC(site);
    if (auto found = c.Find(key)) {
      if (c.Usable(*found, site, "the site keeps no antenna-site key")) Store(site, c, *found, "3", false);
      return;
    }
    Store(site, c, c.NewKey(next_c_), "3", true, key);
  }

  // The entry (new, or its count raised) and the site's key and flag in one
  // transaction: a stop between them cannot leave a counted entry without
  // its site.
  void Store(const SiteRecord& site, MatchTable& table, const std::string& key, const char* flag, bool add,
             const std::string& info = {}) {
    engine::RowTransaction transaction(run_.workspace());
    if (add)
      table.Add(key, info);
    else
      table.RaiseCount();
    walk_.SetSite(site, key, flag);
    transaction.Commit();
    run_.YieldIfDue();
  }

  engine::RunContext& run_;
  SiteWalk walk_;
  std::int64_t next_c_ = 0, next_d_ = 0;
  std::size_t d_width_ = 0;
};

}  // namespace

void BuildAntSiteDataSet_A_B(engine::RunContext& run) { StepAB(run).Run(); }

void BuildAntSiteDataSet_C_D_E(engine::RunContext& run) { StepCDE(run).Run(); }

}  // namespace morvane::convert
