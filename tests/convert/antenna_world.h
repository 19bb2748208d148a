// A small world for the antenna writers of the earth-station step: an output
// database with the tables they write, a user's antenna-site database, a run
// with its rejected-data file, and a conversion state filled as the lookups
// of one query row would leave it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "convert/antenna_writers.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "run/rejected_data.h"
#include "run/run_context.h"
#include "schema/field_defs.h"
#include "schema/ktb/ktb_tables.h"
#include "schema/staging/staging_tables.h"
#include "support/temp_dir.h"

namespace morvane::convert {

using Table = std::vector<std::vector<std::string>>;
inline const std::string kNull = "(Null)";

class AntennaWorld : public ::testing::Test {
 protected:
  AntennaWorld() {
    CreateUserDatabase();
    NewRun();
    state.row.filing_key = 12345;  // the filing of the path keys below
    state.cur_call_sign = "E000001";
    state.main.call_sign = "E000001M";  // told apart from the row's call sign
    state.main.class_of_station_code = "fxe ";
    state.main.status_date = "20120301";
    state.cur_site_key = 100;
    state.cur_antenna_key = 4711;
    state.frequency.polarization_code = "H";
    state.space_station = {"SATCOM", "", "101.0W", "", "", ""};
    state.site = {"",       "",           "Springfield", "Greene",     "MO",
                  "0390.0", "N0371230.5", "0133950.5",   "W0931752.1", "0337072.1",
                  "83",     "C0000001",   "12 Main St",  "NAD83"};
    state.antenna = {"2.4", "3.0", "10", "1234567", "Alpha", "3.8M", "0045.1"};
    state.freq_coord = {
        "045.0", "046.0", "005.0", "006.0", "03700.00000000", "04200.00000000", "060.0",
        "061.0", "E",     "W",     "G",     "-040.0"};
    state.cur_rad_svc_code = "AB";
  }

  // A fresh output database, as every run has; the antenna-site database stays.
  void NewRun() {
    tables.reset();
    ws.Close();
    const auto path = dir / ("out" + std::to_string(++runs) + ".mdb");
    {
      db::Database out = ws.CreateDatabase(path);
      for (const auto& spec : schema::KtbTables())
        for (const char* name :
             {"AntMain", "SiteEsCoord", "SiteSat", "PathRecord", "MfgModList", "SiteInfo"})
          if (spec.def.name == name) out.AppendTable(spec.def);
      out.AppendTable(schema::FindStagingTable("DalkClassOfStationCode")->def);
      out.Execute("INSERT INTO DalkClassOfStationCode (ClassOfStationCode) VALUES ('FXE'), ('')");
    }
    output = ws.OpenDatabase(path);
    user = ws.OpenDatabase(dir / "antsite.mdb");
    tables = std::make_unique<AntennaSideTables>(output, user);
  }

  // One query row of path site `site` and antenna `ant` on side `letter`,
  // then what the driver does after the row's writers.
  void Row(const std::string& letter, int site = 1, int ant = 1) {
    state.cur_trans_mode_fix = state.frequency.trans_mode_fix = letter;
    state.path_site_key = "QD0000012345~0" + std::to_string(site) + letter;
    state.path_ant_key =
        "QD0000012345~0" + std::to_string(site) + "~0" + std::to_string(ant) + letter;
    WriteAntMainTable(run, state, *tables);
    state.prev_path_site_key = state.path_site_key;
  }

  static Table Rows(db::Database& database, const std::string& table,
                    const std::vector<std::string>& fields) {
    Table rows;
    db::TableRecordset rs = database.OpenTable(table);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
      rows.emplace_back();
      for (const auto& f : fields)
        rows.back().push_back(rs.Get(f).IsNull() ? kNull : rs.Get(f).AsText());
    }
    return rows;
  }

  std::vector<std::string> RejectedLines() {
    rejected.Close();
    std::vector<std::string> lines;
    std::istringstream in(testing::TempDir::Read(dir / "baddata.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  testing::TempDir dir;
  ui::RecordingUi ui;
  db::Workspace ws;
  engine::RunContext run{ui, ws, {}};
  engine::RejectedData rejected{dir / "baddata.txt"};
  db::Database output, user;
  std::unique_ptr<AntennaSideTables> tables;
  ConversionState state;
  int runs = 0;

 private:
  void CreateUserDatabase() {
    using schema::fields::Integer;
    using schema::fields::Memo;
    using schema::fields::Text;
    run.set_rejected(&rejected);
    db::Database db = ws.CreateDatabase(dir / "antsite.mdb");
    db::TableDef info{"AntSiteInfo", {}, {{"idxAntSiteKey", "AntSiteKey"}}};
    for (const char* f : {"Group",  "AntSiteKey", "TowerReg",     "StructureType", "Name",
                          "Street", "City",       "County",       "State",         "Country",
                          "LatDMS", "LatSec",     "LonDMS",       "LonSec",        "HorizDatum",
                          "Nepa",   "GrEl",       "HgtStructure", "HgtToTip",      "StatusDate"})
      info.fields.push_back(Text(f, 100));
    db.AppendTable(info);
    db.AppendTable({"AntSiteCallSign",
                    {Text("AntSiteKey", 20), Memo("CallSigns"), Memo("RadSvc"),
                     Integer("FreqCount"), Integer("CallSignCount")},
                    {{"idxAntSiteKey", "AntSiteKey"}}});
    db.AppendTable({"AntSiteOwner", {Text("AntSiteKey", 20)}, {}});
  }
};

}  // namespace morvane::convert
