// A small world for the earth-station conversion in tests: an output
// database with every KTB and staging table, rows added with SQL, the
// step's recordsets and conversion state, a run with its rejected-data file,
// and an empty antenna-site database for whole-step runs.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion_state.h"
#include "convert/es_tables.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "run/rejected_data.h"
#include "run/run_context.h"
#include "support/temp_dir.h"

namespace morvane::testing {

class EsFixture {
 public:
  EsFixture();
  ~EsFixture();

  // Runs statements on the output database (rows of staging tables).
  void Sql(std::string_view sql);
  // The rows of one SELECT, each as its columns joined by "|", Null as "~".
  std::vector<std::string> Rows(std::string_view select);
  // The step's recordsets, opened on first use.
  convert::EsTables& Tables();
  // The lines of baddata.txt (closes it: call once, at the end).
  std::vector<std::string> RejectedLines();
  // Closes every handle on the output database, as before a whole step.
  void CloseDatabase();

  engine::RunContext& run() { return *run_; }
  ui::RecordingUi& ui() { return ui_; }
  convert::ConversionState state;

 private:
  TempDir dir_;
  ui::RecordingUi ui_;
  db::Workspace workspace_;
  db::Database db_;
  std::unique_ptr<convert::EsTables> tables_;
  std::unique_ptr<engine::RunContext> run_;
  std::unique_ptr<engine::RejectedData> rejected_;
};

}  // namespace morvane::testing
