// A small world for running data set loaders in tests: an export folder,
// an output database with the process log and every staging table, a
// recording ui, a run context with its rejected-data file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "loaders/loader_def.h"
#include "platform/db/value.h"
#include "platform/db/workspace.h"
#include "platform/ui/recording_ui.h"
#include "run/rejected_data.h"
#include "run/run_context.h"
#include "support/temp_dir.h"
#include "support/value_printer.h"

namespace morvane::testing {

// The loader of that procedure name; throws when there is none.
const loaders::LoaderDef& LoaderNamed(std::string_view procedure);

class LoaderFixture {
 public:
  LoaderFixture();
  ~LoaderFixture();

  // Writes a data set file into the export folder.
  void WriteDataSet(std::string_view name, std::string_view content) { dir_.Write(name, content); }

  // Runs `loader` as step `step` of a run.
  void Run(const loaders::LoaderDef& loader, int step = 1);

  // Every row of `table` in stored order, each as its fields' values in
  // table order; or, with `fields`, only those fields.
  std::vector<std::vector<db::Value>> Rows(std::string_view table,
                                           const std::vector<std::string>& fields = {});
  std::int64_t RowCount(std::string_view table);
  // Name and statement of each index of `table`, one a line, in stored order.
  std::string IndexesOf(std::string_view table);

  // The lines of baddata.txt.
  std::vector<std::string> RejectedLines();

  // Gives the run other paths (the user's databases, say); the run's
  // counters start afresh, the rejected-data file stays.
  void SetPaths(const engine::RunPaths& paths);

  engine::RunContext& run() { return *run_; }
  ui::RecordingUi& ui() { return ui_; }
  const TempDir& dir() const { return dir_; }
  std::filesystem::path OutputPath() const { return dir_ / "dalkdb.mdb"; }

 private:
  TempDir dir_;
  ui::RecordingUi ui_;
  db::Workspace workspace_;
  std::unique_ptr<engine::RunContext> run_;
  std::unique_ptr<engine::RejectedData> rejected_;
};

}  // namespace morvane::testing
