#include "convert/es_populate.h"

#include <string_view>

#include "convert/ant_site_databases.h"
#include "convert/antenna_writers.h"
#include "convert/conversion_state.h"
#include "convert/es_tables.h"
#include "convert/filing_lookups.h"
#include "convert/frequency_writer.h"
#include "convert/licensee_writer.h"
#include "convert/qd_key.h"
#include "convert/site_lookups.h"
#include "convert/spc_cnd_writers.h"
#include "platform/db/error.h"
#include "platform/text/text.h"
#include "run/process_log.h"
#include "run/progress.h"
#include "run/unsaved_rows.h"
#include "run/user_database.h"

namespace morvane::convert {
namespace {

constexpr std::int64_t kProgressEvery = 10;
constexpr const char* kActionText = "Es Populate Ktb Tables!";
std::string TwoDigits(int seq) { return ZeroPadded(seq, 2); }

// The columns of the query, in its order.
enum Column {
  kCallSign, kFilingKey, kFilingState, kSubsystemCode, kClassOfStationCode, kAddressKey,
  kContactKey, kSiteKey, kAntennaKey, kFrequencyKey, kFrequencyLower, kFrequencyUpper,
  kEmission, kTransModeFix, kPolarizationCode, kEirp, kTransMode, kHasFrequencyConditions
};

QueryRow ReadRow(const db::SqlRecordset& q, bool frequency_keys_unique) {
  QueryRow r;
  r.call_sign = q.Get(kCallSign).AsText();
  r.filing_key = q.Get(kFilingKey).AsInteger();
  r.filing_state = q.Get(kFilingState).AsText();
  r.subsystem_code = q.Get(kSubsystemCode).AsText();
  r.class_of_station_code = q.Get(kClassOfStationCode).AsText();
  r.address_key = q.Get(kAddressKey).AsInteger();
  r.contact_key = q.Get(kContactKey).AsInteger();
  r.site_key = q.Get(kSiteKey).AsInteger();
  r.antenna_key = q.Get(kAntennaKey).AsInteger();
  r.frequency_key = q.Get(kFrequencyKey).AsInteger();
  r.frequency_lower = q.Get(kFrequencyLower).AsText();
  r.frequency_upper = q.Get(kFrequencyUpper).AsText();
  r.emission = q.Get(kEmission).AsText();
  r.trans_mode_fix = q.Get(kTransModeFix).AsText();
  const bool whole_key = q.Get(kFrequencyKey).IsInteger();
  r.carries_frequency = whole_key && frequency_keys_unique;
  if (r.carries_frequency) {
    r.polarization_code = q.Get(kPolarizationCode).AsText();
    r.eirp = q.Get(kEirp).AsText();
    r.trans_mode = q.Get(kTransMode).AsText();
  }
  r.frequency_conditions_known = whole_key;
  r.has_frequency_conditions = q.Get(kHasFrequencyConditions).AsInteger() != 0;
  return r;
}

class EsPopulateStep {
 public:
  explicit EsPopulateStep(engine::RunContext& run) : run_(run), status_(run.Status()), group_(run.workspace()) {}

  void Run() {
    ShowStatus("Creating SQL record set to populating KTB tables!\r\n"
               "PLEASE wait, this will take some time . . . . ");
    // The user's database is checked before anything is written (read
    // through by the check before step 28).
    const std::string& ant_site_path = run_.paths().ant_site_db;
    engine::CheckUserDatabase(run_.workspace(), AntSiteDb(ant_site_path), engine::CheckDepth::kStructure);
    db::Database output = run_.workspace().OpenDatabase(run_.OutputFile());
    db::Database ant_site = engine::InUserDatabase(ant_site_path, [&] {
      return run_.workspace().OpenDatabase(engine::UserDatabaseFile(ant_site_path), db::Access::kUserWrite);
    });
    run_.log_action_text = kActionText;
    {
      EsTables tables = OpenEsTables(output);
      AntennaSideTables side(output, ant_site);
      tables.DeferIndexes();
      side.DeferIndexes();
      run_.Yield();
      db::SqlRecordset query = output.OpenSql(ConversionQuery());
      state_.total_records = query.RecordCount();
      // Each query row adds at most one FreqList key.
      tables.freq_list.Reserve(static_cast<std::size_t>(state_.total_records));
      run_.Yield();
      ShowStart();
      state_.cur_rad_svc_code = run_.cur_rad_svc_code;
      try {
        for (query.MoveFirst(); !query.Eof(); query.MoveNext())
          ConvertRow(ReadRow(query, tables.frequency_keys_unique), tables, side);
        query.Close();
        ShowEnd();
        // The indexes come after the last row, as one more position.
        group_.Note(run_.record_counter + 1);
        indexes_at_ = run_.record_counter + 1;
        tables.BuildIndexes();
        side.BuildIndexes();
      } catch (const db::ValueRefused&) {
        throw;
      } catch (const db::Error& e) {
        ThrowRowsNotStored(e);
      }
      engine::WriteProcessLogRecord(run_, tables.process_log);
      run_.cur_rad_svc_code = state_.cur_rad_svc_code;
    }
    ant_site.Close();
    output.Close();
    status_.SetCaption("lblStatus", "Finished Populating KTB tables !");
    status_.Repaint();
  }

 private:
  void ShowStatus(const char* text) {
    status_.SetCaption("lblStatus", text);
    status_.SetCaption("lblStepCurrent", std::to_string(run_.step_current));
    status_.Repaint();
  }

  void ShowStart() {
    ShowStatus("Populating KTB tables.\r\nPlease wait . . . . ");
    run_.record_counter = 0;
    status_.SetCaption("lblTotalRecords", engine::FormatCount(state_.total_records, engine::kShortCountMask));
    status_.SetCaption("lblRecordCount", engine::FormatCount(0, engine::kShortCountMask));
    run_.Yield();
  }

  void ShowProgress() {
    engine::ShowPercentAndCount(run_, engine::PercentDone(run_.record_counter, state_.total_records),
                                engine::kShortCountMask);
  }

  void ShowEnd() {
    run_.Yield();
    status_.SetCaption("lblAmtProcessed", engine::FormatCount(run_.bytes_processed));
    ShowProgress();
    run_.Yield();
  }

  void ConvertRow(QueryRow row, EsTables& tables, AntennaSideTables& side) {
    ++run_.record_counter;
    if (engine::ProgressDue(run_.record_counter, kProgressEvery)) {
      ShowProgress();
      run_.Yield();
    }
    NoteGroup(row);
    state_.row = std::move(row);
    side.StartRow(state_.row.call_sign, state_.row.filing_key);
    GetMainData(state_, tables);
    // A filing withdrawn in the meantime (state "2") writes nothing; the
    // previous values below still move on.
    if (state_.main.filing_state != "2") {
      LookUp(tables);
      state_.cur_status_code = StatusCodeOf(state_.main.app_type_code, state_.main.filing_state);
      WriteLiceTable(run_, state_, tables);
      TakeRowKeys();
      Write(tables, side);
    }
    state_.prev_call_sign = state_.main.call_sign;
    state_.prev_site_key = state_.cur_site_key;
    state_.prev_antenna_key = state_.cur_antenna_key;
    state_.prev_path_site_key = state_.path_site_key;
  }

  void LookUp(EsTables& tables) {
    GetSiteData(state_, tables);
    GetAntennaData(state_, tables);
    DecodeAntennaGainTbl(state_, tables);
    GetFrequencyData(state_, tables);
    GetFreqCoordData(state_, tables);
    GetAddressData(state_, tables);
    GetEnvironEffectSw(state_, tables);
    GetPtCommData(state_, tables);
    GetSpaceStationData(state_, tables);
  }

  // The row's current values, its sequences and its path keys. The
  // sequences restart with each call sign, so the filings of one call sign
  // share one numbering of sites.
  void TakeRowKeys() {
    ConversionState& s = state_;
    const QueryRow& r = s.row;
    s.cur_call_sign = r.call_sign;
    s.cur_site_key = r.site_key;
    s.cur_trans_mode_fix = r.trans_mode_fix;
    s.cur_antenna_key = r.antenna_key;
    s.cur_frequency_key = r.frequency_key;
    s.cur_filing_key = r.filing_key;
    if (text::Trim(r.call_sign) != s.prev_call_sign) {
      s.site_seq = 1;
      s.ant_seq = 1;
    } else if (r.site_key != s.prev_site_key) {
      ++s.site_seq;
      s.ant_seq = 1;
    } else if (s.cur_antenna_key != s.prev_antenna_key) {
      ++s.ant_seq;
    }
    s.path_site_key = PathSiteKeyOf(r.filing_key, s.site_seq, s.cur_trans_mode_fix);
    s.path_ant_key = PathAntKeyOf(r.filing_key, s.site_seq, s.ant_seq, s.cur_trans_mode_fix);
  }

  // The radio service is looked up first, so that the antenna side records
  // this row's service, not the previous row's.
  void Write(EsTables& tables, AntennaSideTables& side) {
    GetRadSvcCode(state_, tables);
    WriteAntMainTable(run_, state_, side);
    WriteFreqTable(run_, state_, tables);
    WriteSpcCndAnt(run_, state_, tables);
    WriteSpcCndFreq(run_, state_, tables);
    WriteSpcCndLice(run_, state_, tables);
    WriteSpcCndSite(run_, state_, tables);
    WriteMfgModList(run_, side, "A", state_.antenna.make, state_.antenna.model);
  }

  // The conversion row `row` (record_counter) is about to write: notes
  // it, named by its call sign and filing, when the present group of
  // commits begins with it.
  void NoteGroup(const QueryRow& row) {
    const std::int64_t first_before = group_.first();
    RowName name{run_.record_counter, row.call_sign, row.filing_key};
    group_.Note(run_.record_counter);
    if (group_.first() != first_before) first_name_ = group_.first() == run_.record_counter ? name : last_name_;
    last_name_ = std::move(name);
  }

  // An engine error (a full disk) stopped the step: saves what the engine
  // still holds and says which of the step's rows are not in the file that
  // failed. A conversion row writes its rows one statement at a time, so a
  // group may begin, and a write fail, within a row; the indexes deferred for
  // the step are built last.
  [[noreturn]] void ThrowRowsNotStored(const db::Error& e) {
    const bool kept = engine::SaveWhatRemains(run_.workspace());
    const std::string indexes = "not all of the indexes that it builds at its end are in it.";
    if (kept ? indexes_at_ != 0 : group_.first() != 0 && group_.first() == indexes_at_)
      throw e.Explained("This file holds every row that this step wrote; " + indexes);
    const RowName& first = kept ? last_name_ : first_name_;
    if (first.number == 0) throw;  // nothing of the conversion's rows was written yet
    std::string where = "This file holds the rows that this step wrote for the conversion's rows before row " +
                        std::to_string(first.number) + " (call sign " + text::Trim(first.call_sign) +
                        ", filing key " + std::to_string(first.filing_key) + ")";
    if (kept)  // only the statement that failed was undone
      where += " and those of that row before the one that could not be written; the other rows of that row";
    else if (group_.split())
      where += " and those of that row up to the step's last save; the other rows of that row";
    else
      where += "; the rows of that row";
    where += " and those of the rows after it are not in it.";
    if (indexes_at_ != 0) where += " Nor are all of the indexes that this step builds at its end.";
    throw e.Explained(where);
  }

  engine::RunContext& run_;
  ui::Window& status_;
  ConversionState state_;
  // Where the present group of commits began, and the names of its first
  // conversion row and of the last one begun; the position of the indexes
  // after the last row (0 until the rows are converted).
  struct RowName {
    std::int64_t number = 0;  // counted from 1
    std::string call_sign;
    std::int64_t filing_key = 0;
  };
  engine::GroupStart group_;
  RowName first_name_, last_name_;
  std::int64_t indexes_at_ = 0;
};

}  // namespace

const std::string& ConversionQuery() {
  static const std::string query =
      "SELECT DalkMain.CallSign, DalkMain.FilingKey, DalkMain.FilingState, "
      "DalkMain.SubsystemCode, DalkMain.ClassOfStationCode, DalkMain.AddressKey, "
      "DalkMain.ContactKey, DalkSite.SiteKey, DalkAntenna.AntennaKey, "
      "DalkFrequency.FrequencyKey, DalkFrequency.FrequencyLower, DalkFrequency.FrequencyUpper, "
      "DalkFrequency.Emission, DalkFrequency.TransModeFix, "
      "DalkFrequency.PolarizationCode, DalkFrequency.Eirp, DalkFrequency.TransMode, "
      "EXISTS (SELECT 1 FROM DalkFrequencyCondition "
      "WHERE DalkFrequencyCondition.FrequencyKey = DalkFrequency.FrequencyKey) "
      "FROM ((DalkMain INNER JOIN DalkSite ON DalkMain.FilingKey = DalkSite.FilingKey) "
      "INNER JOIN DalkAntenna ON DalkSite.SiteKey = DalkAntenna.SiteKey) "
      "INNER JOIN DalkFrequency ON DalkAntenna.AntennaKey = DalkFrequency.AntennaKey "
      "WHERE ((DalkMain.FilingState = '0' OR DalkMain.FilingState = '1') "
      "AND DalkMain.SubsystemCode = 'SES') "
      "ORDER BY DalkMain.CallSign, DalkSite.SiteKey, DalkAntenna.AntennaKey, "
      "DalkFrequency.FrequencyLower, DalkFrequency.FrequencyUpper, DalkFrequency.TransModeFix, "
      "DalkFrequency.FrequencyKey, DalkMain.rowid, DalkSite.rowid, DalkAntenna.rowid, "
      "DalkFrequency.rowid";
  return query;
}

std::string PathSiteKeyOf(std::int64_t filing_key, int site_seq, const std::string& trans_mode_fix) {
  return QdKey(filing_key) + "~" + TwoDigits(site_seq) + trans_mode_fix;
}

std::string PathAntKeyOf(std::int64_t filing_key, int site_seq, int ant_seq,
                         const std::string& trans_mode_fix) {
  return QdKey(filing_key) + "~" + TwoDigits(site_seq) + "~" + TwoDigits(ant_seq) +
         trans_mode_fix;
}

std::string StatusCodeOf(const std::string& app_type_code, const std::string& filing_state) {
  const bool standard = app_type_code == "AMD" || app_type_code == "LIC" ||
                        app_type_code == "MOD" || app_type_code == "REG" || app_type_code == "RWL";
  const bool special_temporary = app_type_code == "STA";
  if (!standard && !special_temporary) return "0";
  if (filing_state == "0" || filing_state == "3") return "6";
  if (filing_state == "1") return standard ? "9" : "8";
  return "0";
}

void EsPopulateKtbTables(engine::RunContext& run) { EsPopulateStep(run).Run(); }

}  // namespace morvane::convert
