// bench-measure: times whole runs of morvane-headless on synthetic exports
// and compares their load phase and whole run with the sqlite3 shell's
// .import of the same records.
//
//   bench-measure [--repeat N] [--sqlite3 PROGRAM] [--work DIR]
//                 [--results FILE] [--build-type TEXT] [--window PROGRAM]
//                 HEADLESS SETTINGS [SETTINGS_2X]
//
// --window names bench-window-run: the first export is then also converted
// in the windows, N times, and its median time held against the headless
// run's.
// HEADLESS is the morvane-headless program, SETTINGS a settings file whose
// main.dat lies in the export folder. With SETTINGS_2X (an export of twice
// the size) it also reports how time and memory scale. Each measurement is
// taken N times (default 3) and the median reported; peak memory is the
// largest of the runs. The import files and databases of the baseline go to
// DIR (default: the folder of each settings file). --results writes the
// report as Markdown.
//
// How a run is split into steps: bench/lib/step_times.h. The baseline:
// the sqlite3 shell's .import takes single-character separators only, so it
// cannot read a record that ends in "|^|" and a line end, nor one that runs
// over several lines. Each data set is therefore first written, untimed, in
// the shell's ASCII form (fields separated by 0x1F, records by 0x1E): the
// records as Morvane's loader reads them (decoded, lines joined), each field
// the raw piece that the loader turns into that column, in the column order
// of its staging table. The timed part is one sqlite3 process that creates
// the 36 staging tables and their indexes with the statements Morvane's own
// output database holds (indexes before the rows, as Morvane has them), with
// Morvane's connection settings, and imports the 35 files.
//
// Exit status: 0 when every measurement was taken (whether or not the
// targets were met), 1 when a run failed, 2 on wrong use.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "bench/lib/child_process.h"
#include "bench/lib/machine_info.h"
#include "bench/lib/step_times.h"
#include "loaders/loader_registry.h"
#include "platform/db/workspace.h"
#include "platform/files/files.h"
#include "platform/files/line_reader.h"
#include "run/record_reader.h"
#include "run/sub_fields.h"
#include "schema/staging/staging_tables.h"

namespace fs = std::filesystem;
using morvane::bench::ChildOptions;
using morvane::bench::ChildResult;
using morvane::bench::LogRow;
using morvane::bench::RunSteps;
using morvane::bench::StepOpening;
using morvane::bench::StepTime;
using morvane::bench::StepTimeline;
using morvane::loaders::LoaderDef;

namespace {

constexpr int kLastLoadStep = 37;
// The run driver's compaction steps open with this status text.
constexpr const char* kCompactingText = "Compacting DALK database !";

// Targets.
constexpr double kMaxImportRatio = 1.0;    // load phase against the import, at either size
constexpr double kMaxWholeRatio = 2.0;     // whole run against the import
constexpr double kMaxScaling = 2.1;        // whole run at twice the export against once
constexpr double kMaxPeakMb = 100.0;
constexpr double kMaxMemoryGrowth = 1.10;  // 2x the records: peak memory within 10 percent
constexpr double kMaxWindowRatio = 1.1;    // the run in the windows against the headless one

constexpr const char* kUsage =
    "usage: bench-measure [--repeat N] [--sqlite3 PROGRAM] [--work DIR]\n"
    "                     [--results FILE] [--build-type TEXT] [--window PROGRAM]\n"
    "                     HEADLESS SETTINGS [SETTINGS_2X]\n";

struct Options {
  int repeat = 3;
  std::string sqlite3 = "sqlite3";
  fs::path work;
  fs::path results;
  std::string build_type = "unknown";
  std::string headless;
  std::string window;  // bench-window-run, or empty
  std::vector<fs::path> settings;
};

// ---------------------------------------------------------------- formatting

std::string Grouped(std::int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return value < 0 ? "-" + digits : digits;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string PerSecond(std::int64_t records, double seconds) {
  return seconds > 0 ? Grouped(static_cast<std::int64_t>(records / seconds)) : "-";
}

double Megabytes(std::int64_t kilobytes) { return static_cast<double>(kilobytes) * 1024.0 / 1e6; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// -------------------------------------------------------------- Morvane runs

// What a step's opening status text is, for every step Morvane has now.
std::vector<StepOpening> KnownOpenings() {
  std::vector<StepOpening> openings;
  for (const LoaderDef* loader : morvane::loaders::AllLoaders())
    openings.push_back({loader->opening_status + loader->file + " >  data !", loader->action_text,
                        loader->file});
  openings.push_back({kCompactingText, kCompactingText, "(compaction)"});
  // The conversion steps, named by what they go through.
  openings.push_back({"Processing 'Site - AntSite A' data !", "DalkSite data!", "(sites: A, B)"});
  openings.push_back({"Processing 'Site - AntSite C && D && E' data !", "Dalk Site data!",
                      "(sites: C, D, E)"});
  openings.push_back({"Creating SQL record set to populating KTB tables!", "Es Populate Ktb Tables!",
                      "(query rows)"});
  openings.push_back({"Processing 'LiceEinKwdTable' data !", "Lice data!", "(licensees)"});
  return openings;
}

std::vector<LogRow> ReadProcessLog(const fs::path& database) {
  morvane::db::Workspace workspace;
  morvane::db::Database db = workspace.OpenDatabase(database);
  morvane::db::SqlRecordset rows =
      db.OpenSql("SELECT ActionCounter, ActionText, RecordsProcessed FROM ProcessLog ORDER BY rowid");
  std::vector<LogRow> log;
  for (; !rows.Eof(); rows.MoveNext())
    log.push_back({static_cast<int>(rows.Get(0).AsInteger()), rows.Get(1).AsText(),
                   rows.Get(2).AsInteger()});
  return log;
}

struct MorvaneRun {
  ChildResult child;
  RunSteps steps;
  std::int64_t rejected = -1;
  std::string stopped;  // the tool's "stopped:" line, if any
};

MorvaneRun RunMorvane(const std::string& headless, const fs::path& settings,
                      const fs::path& output) {
  StepTimeline timeline(KnownOpenings());
  MorvaneRun run;
  run.child = morvane::bench::RunChild(
      ChildOptions{{headless, settings.string()}, {}, {}},
      [&](double seconds, std::string_view line) {
        timeline.Feed(seconds, line);
        if (line.starts_with("rejected records: "))
          run.rejected = std::stoll(std::string(line.substr(18)));
        if (line.starts_with("stopped: ")) run.stopped = line.substr(9);
      });
  if (!run.child.Succeeded())
    throw std::runtime_error("morvane-headless failed (" + run.child.Describe() + ")" +
                             (run.stopped.empty() ? "" : ": " + run.stopped));
  run.steps = timeline.Split(run.child.seconds, ReadProcessLog(output));
  return run;
}

// ------------------------------------------------------------------ baseline

struct ImportFile {
  std::string file;   // data set file
  std::string table;  // staging table
  fs::path path;      // the file in the import's form
  std::int64_t records = 0;
  std::int64_t skipped = 0;  // records Morvane would reject too (too few pieces)
};

// For each column of the table, the piece the loader stores in it (0: none).
std::vector<int> PieceOfEachColumn(const LoaderDef& loader, const morvane::db::TableDef& table) {
  std::vector<int> pieces;
  for (const auto& field : table.fields) {
    int piece = 0;
    for (const auto& rule : loader.fields)
      if (rule.piece > 0 && morvane::db::NamesEqual(rule.field, field.name)) {
        piece = rule.piece;
        break;
      }
    pieces.push_back(piece);
  }
  return pieces;
}

void WriteField(std::FILE* out, std::string_view text) {
  for (char c : text) std::fputc(c == '\x1f' || c == '\x1e' ? ' ' : c, out);
}

ImportFile WriteImportFile(const LoaderDef& loader, const morvane::db::TableDef& table,
                           const fs::path& input, const fs::path& dir) {
  ImportFile result{loader.file, loader.table, dir / (loader.file + ".import"), 0, 0};
  const int pieces_needed = morvane::loaders::PiecesNeeded(loader);
  const std::vector<int> column_pieces = PieceOfEachColumn(loader, table);

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(result.path.c_str(), "wb"),
                                                      &std::fclose);
  if (!out) throw std::runtime_error("cannot write " + result.path.string());
  std::setvbuf(out.get(), nullptr, _IOFBF, 1 << 20);

  morvane::files::LineReader lines(input);
  morvane::engine::RecordReader reader(lines);
  std::string record;
  std::vector<std::string> sub_fields;
  std::vector<std::string_view> pieces;
  while (!lines.AtEnd()) {
    if (reader.Next(record) != morvane::engine::RecordReader::Result::kRecord) continue;
    if (loader.splitting == morvane::loaders::Splitting::kSubFields) {
      sub_fields = morvane::engine::SplitSubFields(record, loader.pieces);
      pieces.assign(sub_fields.begin(), sub_fields.end());
    } else {
      morvane::loaders::SplitBars(record, loader.pieces, pieces);
      if (static_cast<int>(pieces.size()) < pieces_needed) {
        ++result.skipped;
        continue;
      }
    }
    for (std::size_t c = 0; c < column_pieces.size(); ++c) {
      if (c > 0) std::fputc('\x1f', out.get());
      const int piece = column_pieces[c];
      if (piece >= 1 && piece <= static_cast<int>(pieces.size()))
        WriteField(out.get(), pieces[piece - 1]);
    }
    std::fputc('\x1e', out.get());
    ++result.records;
  }
  if (std::fflush(out.get()) != 0) throw std::runtime_error("cannot write " + result.path.string());
  return result;
}

std::string Quoted(const fs::path& path) {
  const std::string text = path.string();
  if (text.find('\'') != std::string::npos)
    throw std::runtime_error("a path with a quote cannot be given to the sqlite3 shell: " + text);
  return "'" + text + "'";
}

struct Baseline {
  std::vector<ImportFile> files;
  fs::path script;
  fs::path script_indexes_after;  // the same, the indexes made after the rows
  fs::path database;
  fs::path errors;
};

// Writes the import files and the shell script. `loader_order` names the data
// set files in the order Morvane loaded them.
Baseline PrepareBaseline(const fs::path& input_dir, const fs::path& morvane_output,
                         const std::vector<std::string>& loader_order, const fs::path& dir) {
  fs::create_directories(dir);
  Baseline baseline;
  baseline.script = dir / "import.sql";
  baseline.script_indexes_after = dir / "import-indexes-after.sql";
  baseline.database = dir / "baseline.db";
  baseline.errors = dir / "sqlite3-errors.txt";

  morvane::db::Workspace workspace;
  morvane::db::Database db = workspace.OpenDatabase(morvane_output);
  std::set<std::string> staging;
  for (const auto& spec : morvane::schema::StagingTables()) staging.insert(spec.def.name);
  std::string tables, indexes;
  auto schema = db.OpenSql("SELECT type, tbl_name, sql FROM sqlite_schema "
                           "WHERE sql IS NOT NULL ORDER BY rowid");
  for (; !schema.Eof(); schema.MoveNext()) {
    if (!staging.count(schema.Get(1).AsText())) continue;
    (schema.Get(0).AsText() == "table" ? tables : indexes) += schema.Get(2).AsText() + ";\n";
  }

  for (const std::string& file : loader_order) {
    const LoaderDef* loader = nullptr;
    for (const LoaderDef* candidate : morvane::loaders::AllLoaders())
      if (candidate->file == file) loader = candidate;
    const auto table = db.FindTable(loader->table);
    if (!table) throw std::runtime_error("no staging table " + loader->table);
    baseline.files.push_back(WriteImportFile(*loader, *table, input_dir / file, dir));
  }

  for (const bool indexes_after : {false, true}) {
    const fs::path& path = indexes_after ? baseline.script_indexes_after : baseline.script;
    std::ofstream script(path);
    script << "PRAGMA journal_mode=DELETE;\nPRAGMA synchronous=FULL;\n"
              "PRAGMA cache_size=-32768;\nPRAGMA temp_store=FILE;\n"
           << "BEGIN;\n" << tables << (indexes_after ? "" : indexes) << "COMMIT;\n.mode ascii\n";
    for (const ImportFile& f : baseline.files)
      script << ".print import " << f.file << "\n.import " << Quoted(f.path) << " " << f.table << "\n";
    if (indexes_after) script << ".print indexes\nBEGIN;\n" << indexes << "COMMIT;\n";
    script << ".print done\n";
    if (!script.flush()) throw std::runtime_error("cannot write " + path.string());
  }
  return baseline;
}

struct BaselineRun {
  ChildResult child;
  std::map<std::string, double> file_seconds;
  double schema_seconds = 0;
};

BaselineRun RunBaseline(const std::string& sqlite3, const Baseline& baseline, bool indexes_after = false) {
  fs::remove(baseline.database);
  BaselineRun run;
  std::string current;
  double since = 0;
  run.child = morvane::bench::RunChild(
      ChildOptions{{sqlite3, "-batch", "-bail", baseline.database.string()},
                   indexes_after ? baseline.script_indexes_after : baseline.script, baseline.errors},
      [&](double seconds, std::string_view line) {
        if (!line.starts_with("import ") && line != "done") return;
        if (current.empty()) run.schema_seconds = seconds;
        else run.file_seconds[current] = seconds - since;
        current = line == "done" ? "(end)" : std::string(line.substr(7));
        since = seconds;
      });
  std::error_code ec;
  if (!run.child.Succeeded() || fs::file_size(baseline.errors, ec) > 0)
    throw std::runtime_error("the sqlite3 import failed (" + run.child.Describe() + "); see " +
                             baseline.errors.string());
  return run;
}

// Every record written must have become a row.
void CheckBaselineRows(const Baseline& baseline) {
  morvane::db::Workspace workspace;
  morvane::db::Database db = workspace.OpenDatabase(baseline.database);
  for (const ImportFile& f : baseline.files) {
    auto count = db.OpenSql("SELECT count(*) FROM \"" + f.table + "\"");
    if (count.Get(0).AsInteger() != f.records)
      throw std::runtime_error("the sqlite3 import stored " + Grouped(count.Get(0).AsInteger()) +
                               " rows of " + f.file + ", not " + Grouped(f.records));
  }
}

std::string SqliteShellVersion(const std::string& sqlite3) {
  std::string version;
  morvane::bench::RunChild(ChildOptions{{sqlite3, "--version"}, {}, {}},
                           [&](double, std::string_view line) {
                             if (version.empty()) version = line.substr(0, line.find(' '));
                           });
  return version.empty() ? "unknown" : version;
}

// ---------------------------------------------------------------- one export

// Steps that are no data set's load are named in brackets.
bool IsDataSet(const std::string& name) { return !name.empty() && name.front() != '('; }

struct ExportResult {
  fs::path input_dir;
  std::int64_t input_bytes = 0;
  std::vector<double> run_seconds, load_seconds, baseline_seconds, window_seconds;
  std::vector<double> baseline_indexes_after_seconds;
  std::vector<double> data_set_seconds;  // the load phase without steps 28 and 29
  std::int64_t peak_rss_kb = 0;
  std::int64_t baseline_peak_rss_kb = 0;
  std::int64_t rejected = 0;
  std::int64_t import_records = 0;
  RunSteps median_run;  // the run with the median total time
  BaselineRun median_baseline;
  std::vector<std::string> problems;

  double Load() const { return Median(load_seconds); }
  double Whole() const { return Median(run_seconds); }
  double Import() const { return Median(baseline_seconds); }
  double Window() const { return Median(window_seconds); }
  double ImportIndexesAfter() const { return Median(baseline_indexes_after_seconds); }
  double DataSets() const { return Median(data_set_seconds); }
  // Records of the data sets loaded (the site matching of steps 28 and 29,
  // inside the load phase, walks rows that are no records of the export).
  std::int64_t LoadRecords() const {
    std::int64_t records = 0;
    for (const StepTime& step : median_run.steps)
      if (step.step >= 1 && step.step <= kLastLoadStep && IsDataSet(step.name)) records += step.records;
    return records;
  }
};

std::int64_t ExportBytes(const fs::path& dir) {
  std::int64_t bytes = 0;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() == ".dat")
      bytes += static_cast<std::int64_t>(entry.file_size());
  return bytes;
}

ExportResult MeasureExport(const Options& options, const fs::path& settings_file) {
  const auto paths = morvane::app::SettingsFile::AtPath(settings_file).Read();
  ExportResult result;
  result.input_dir = morvane::files::FromSetting(paths.input_dir);
  if (!result.input_dir.has_filename()) result.input_dir = result.input_dir.parent_path();
  const fs::path output = morvane::files::FromSetting(paths.output);
  result.input_bytes = ExportBytes(result.input_dir);
  std::printf("export %s (%.1f MB)\n", result.input_dir.c_str(), result.input_bytes / 1e6);

  std::vector<MorvaneRun> runs;
  for (int i = 0; i < options.repeat; ++i) {
    runs.push_back(RunMorvane(options.headless, settings_file, output));
    const MorvaneRun& run = runs.back();
    result.run_seconds.push_back(run.steps.total_seconds);
    result.load_seconds.push_back(run.steps.SecondsThrough(kLastLoadStep));
    double site_matching = 0;
    for (const StepTime& step : run.steps.steps)
      if (step.step <= kLastLoadStep && !IsDataSet(step.name) && step.timed) site_matching += step.seconds;
    result.data_set_seconds.push_back(result.load_seconds.back() - site_matching);
    result.peak_rss_kb = std::max(result.peak_rss_kb, run.child.peak_rss_kb);
    result.rejected = run.rejected;
    std::printf("  morvane run %d: %.2f s, load phase %.2f s, peak %.1f MB\n", i + 1,
                run.steps.total_seconds, result.load_seconds.back(),
                Megabytes(run.child.peak_rss_kb));
    std::fflush(stdout);
  }
  if (!options.window.empty() && &settings_file == &options.settings.front()) {
    for (int i = 0; i < options.repeat; ++i) {
      const ChildResult window = morvane::bench::RunChild(
          ChildOptions{{options.window, settings_file.parent_path().string()}, {}, {}},
          [](double, std::string_view) {});
      if (!window.Succeeded())
        throw std::runtime_error("bench-window-run failed (" + window.Describe() + ")");
      result.window_seconds.push_back(window.seconds);
      std::printf("  run in the windows %d: %.2f s\n", i + 1, window.seconds);
      std::fflush(stdout);
    }
  }
  const double median = Median(result.run_seconds);
  for (const MorvaneRun& run : runs)
    if (run.steps.total_seconds == median) result.median_run = run.steps;
  result.problems = result.median_run.problems;

  std::vector<std::string> order;
  for (const StepTime& step : result.median_run.steps)
    if (step.step >= 1 && step.step <= kLastLoadStep && IsDataSet(step.name) &&
        std::find(order.begin(), order.end(), step.name) == order.end())
      order.push_back(step.name);
  const fs::path work = (options.work.empty() ? settings_file.parent_path() : options.work) /
                        ("import-" + result.input_dir.filename().string());
  const Baseline baseline = PrepareBaseline(result.input_dir, output, order, work);
  for (const ImportFile& f : baseline.files) {
    result.import_records += f.records;
    if (f.skipped > 0)
      result.problems.push_back(f.file + ": " + Grouped(f.skipped) +
                                " records with too few fields were left out of the import");
  }

  std::vector<BaselineRun> imports;
  for (int i = 0; i < options.repeat; ++i) {
    imports.push_back(RunBaseline(options.sqlite3, baseline));
    result.baseline_seconds.push_back(imports.back().child.seconds);
    result.baseline_peak_rss_kb = std::max(result.baseline_peak_rss_kb, imports.back().child.peak_rss_kb);
    std::printf("  sqlite3 import %d: %.2f s\n", i + 1, imports.back().child.seconds);
    std::fflush(stdout);
  }
  for (int i = 0; i < options.repeat; ++i) {
    const BaselineRun run = RunBaseline(options.sqlite3, baseline, /*indexes_after=*/true);
    result.baseline_indexes_after_seconds.push_back(run.child.seconds);
    std::printf("  sqlite3 import, indexes after the rows %d: %.2f s\n", i + 1, run.child.seconds);
    std::fflush(stdout);
  }
  CheckBaselineRows(baseline);
  if (result.import_records != result.LoadRecords())
    result.problems.push_back("the import holds " + Grouped(result.import_records) +
                              " records, Morvane's process log counts " +
                              Grouped(result.LoadRecords()));
  if (result.rejected != 0)
    result.problems.push_back(Grouped(result.rejected) + " records were rejected");
  const double import_median = Median(result.baseline_seconds);
  for (const BaselineRun& run : imports)
    if (run.child.seconds == import_median) result.median_baseline = run;
  return result;
}

// -------------------------------------------------------------------- report

struct Verdict {
  std::string target;
  std::string measured;
  bool met;
};

Verdict ImportRatio(const ExportResult& r) {
  const double ratio = r.Load() / r.Import();
  return {"load phase at most " + Fixed(kMaxImportRatio, 1) + "x the sqlite3 import (" +
              r.input_dir.filename().string() + ")",
          Fixed(ratio, 2) + "x (" + Fixed(r.Load(), 2) + " s / " + Fixed(r.Import(), 2) + " s)",
          ratio <= kMaxImportRatio};
}

std::vector<Verdict> Verdicts(const ExportResult& one, const ExportResult* two) {
  std::vector<Verdict> verdicts;
  verdicts.push_back(ImportRatio(one));
  if (two) verdicts.push_back(ImportRatio(*two));
  const double whole = one.Whole() / one.Import();
  verdicts.push_back({"whole run at most " + Fixed(kMaxWholeRatio, 1) + "x the sqlite3 import",
                      Fixed(whole, 2) + "x (" + Fixed(one.Whole(), 2) + " s / " +
                          Fixed(one.Import(), 2) + " s)",
                      whole <= kMaxWholeRatio});
  std::int64_t peak = one.peak_rss_kb;
  if (two) peak = std::max(peak, two->peak_rss_kb);
  verdicts.push_back({"peak memory under " + Fixed(kMaxPeakMb, 0) + " MB",
                      Fixed(Megabytes(peak), 1) + " MB", Megabytes(peak) < kMaxPeakMb});
  if (two) {
    const double records = static_cast<double>(two->LoadRecords()) / one.LoadRecords();
    const double time = two->Whole() / one.Whole();
    verdicts.push_back({"2x the export: whole run at most " + Fixed(kMaxScaling, 1) + "x the time",
                        Fixed(time, 2) + "x the time for " + Fixed(records, 2) + "x the records (" +
                            Fixed(two->Whole(), 2) + " s / " + Fixed(one.Whole(), 2) + " s)",
                        time <= kMaxScaling});
    const double growth = static_cast<double>(two->peak_rss_kb) / one.peak_rss_kb;
    verdicts.push_back({"2x the export: peak memory does not grow",
                        Fixed(Megabytes(two->peak_rss_kb), 1) + " MB against " +
                            Fixed(Megabytes(one.peak_rss_kb), 1) + " MB (" + Fixed(growth, 2) + "x)",
                        growth <= kMaxMemoryGrowth});
  }
  if (!one.window_seconds.empty()) {
    const double ratio = one.Window() / one.Whole();
    verdicts.push_back({"run in the windows at most " + Fixed(kMaxWindowRatio, 1) +
                            "x the headless run",
                        Fixed(ratio, 2) + "x (" + Fixed(one.Window(), 2) + " s / " +
                            Fixed(one.Whole(), 2) + " s)",
                        ratio <= kMaxWindowRatio});
  }
  return verdicts;
}

// A table as plain text or Markdown.
class Table {
 public:
  explicit Table(std::vector<std::string> head, std::string align)
      : head_(std::move(head)), align_(std::move(align)) {}
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }

  std::string Text() const {
    std::vector<std::size_t> width(head_.size());
    for (std::size_t c = 0; c < head_.size(); ++c) {
      width[c] = head_[c].size();
      for (const auto& row : rows_) width[c] = std::max(width[c], row[c].size());
    }
    std::string text;
    auto line = [&](const std::vector<std::string>& cells) {
      for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::string pad(width[c] - cells[c].size(), ' ');
        text += "  ";
        text += align_[c] == 'r' ? pad + cells[c] : cells[c] + pad;
      }
      text += "\n";
    };
    line(head_);
    for (const auto& row : rows_) line(row);
    return text;
  }

  std::string Markdown() const {
    std::string text = "|";
    for (const auto& h : head_) text += " " + h + " |";
    text += "\n|";
    for (char a : align_) text += a == 'r' ? "---:|" : "---|";
    text += "\n";
    for (const auto& row : rows_) {
      text += "|";
      for (const auto& cell : row) text += " " + cell + " |";
      text += "\n";
    }
    return text;
  }

 private:
  std::vector<std::string> head_;
  std::string align_;
  std::vector<std::vector<std::string>> rows_;
};

Table StepTable(const ExportResult& r) {
  Table table({"step", "action", "data set", "records / rows", "seconds", "per second", "sqlite3 s"},
              "rllrrrr");
  table.Add({"", "start: program, database created", "", "", Fixed(r.median_run.start_seconds, 2),
             "", Fixed(r.median_baseline.schema_seconds, 2)});
  for (const StepTime& s : r.median_run.steps) {
    const bool loads = s.name != "(compaction)";  // a data set's records or a conversion's rows
    const auto import = r.median_baseline.file_seconds.find(s.name);
    const bool compared = s.step <= kLastLoadStep && import != r.median_baseline.file_seconds.end();
    table.Add({std::to_string(s.step), s.action, s.name, loads ? Grouped(s.records) : "",
               s.timed ? Fixed(s.seconds, 2) : "-", loads && s.timed ? PerSecond(s.records, s.seconds) : "",
               compared ? Fixed(import->second, 2) : ""});
  }
  return table;
}

Table TotalsTable(const std::vector<const ExportResult*>& results) {
  Table table({"export", "records", "load phase s", "records/s", "sqlite3 import s", "ratio",
               "data sets only s", "ratio", "import, indexes after s", "data sets / it", "whole run s",
               "peak memory MB", "sqlite3 peak MB"},
              "lrrrrrrrrrrrr");
  for (const ExportResult* r : results)
    table.Add({r->input_dir.filename().string() + " (" + Fixed(r->input_bytes / 1e6, 0) + " MB)",
               Grouped(r->LoadRecords()), Fixed(r->Load(), 2), PerSecond(r->LoadRecords(), r->Load()),
               Fixed(r->Import(), 2), Fixed(r->Load() / r->Import(), 2),
               Fixed(r->DataSets(), 2), Fixed(r->DataSets() / r->Import(), 2),
               Fixed(r->ImportIndexesAfter(), 2), Fixed(r->DataSets() / r->ImportIndexesAfter(), 2),
               Fixed(r->Whole(), 2), Fixed(Megabytes(r->peak_rss_kb), 1),
               Fixed(Megabytes(r->baseline_peak_rss_kb), 1)});
  return table;
}

Table VerdictTable(const std::vector<Verdict>& verdicts) {
  Table table({"target", "measured", "met"}, "lll");
  for (const Verdict& v : verdicts) table.Add({v.target, v.measured, v.met ? "yes" : "NO"});
  return table;
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
  return text;
}

void WriteResults(const Options& options, const std::vector<const ExportResult*>& results,
                  const std::vector<Verdict>& verdicts) {
  const auto machine = morvane::bench::DescribeMachine();
  Table setup({"", ""}, "ll");
  setup.Add({"CPU", machine.cpu});
  setup.Add({"cores", std::to_string(machine.cores)});
  setup.Add({"memory", machine.memory});
  setup.Add({"kernel", machine.kernel});
  setup.Add({"system", machine.system});
  setup.Add({"compiler", std::string("GCC ") + __VERSION__});
  setup.Add({"build type", options.build_type});
  setup.Add({"SQLite library", sqlite3_libversion()});
  setup.Add({"sqlite3 shell", SqliteShellVersion(options.sqlite3)});
  setup.Add({"runs per figure", std::to_string(options.repeat) + " (median; peak memory: largest)"});

  std::ofstream out(options.results);
  out << "# Benchmark results\n\n"
      << "Measured by `bench/run` on " << Today() << ". How the figures are taken: "
      << "`bench/README.md`.\n\n## Machine\n\n"
      << setup.Markdown() << "\n## Targets\n\n"
      << VerdictTable(verdicts).Markdown() << "\n## Totals\n\n"
      << "The load phase runs from the program's start to the end of step " << kLastLoadStep
      << " (the database created and every data set loaded); the whole run is all 42 steps, "
         "from the program's start to its end.\n\n"
      << TotalsTable(results).Markdown()
      << "\n\"Data sets only\" is the load phase without the site matching of steps 28 and 29, "
         "which runs inside it but loads no data set. "
         "The targets compare with the import as defined (indexes before the rows); "
         "\"import, indexes after\" is the same import with the indexes made once the rows are "
         "in, as Morvane now makes them, for comparison.\n"
      << "\nIn the step tables, \"sqlite3 s\" is the time of the same data set's `.import`; "
         "on the start row, the sqlite3 process starting and creating the staging tables.\n";
  for (const ExportResult* r : results) {
    out << "\n## Steps: " << r->input_dir.filename().string() << " (" << Grouped(r->LoadRecords())
        << " records)\n\n" << StepTable(*r).Markdown();
    for (const std::string& problem : r->problems) out << "\nNote: " << problem << "\n";
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + options.results.string());
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "bench-measure: %s needs a value\n%s", argv[i], kUsage);
        std::exit(2);
      }
      return argv[++i];
    };
    if (arg == "--repeat") options.repeat = std::max(1, std::atoi(value().c_str()));
    else if (arg == "--sqlite3") options.sqlite3 = value();
    else if (arg == "--work") options.work = value();
    else if (arg == "--results") options.results = value();
    else if (arg == "--build-type") options.build_type = value();
    else if (arg == "--window") options.window = value();
    else if (arg.starts_with("--")) {
      std::fprintf(stderr, "bench-measure: unknown option %s\n%s", argv[i], kUsage);
      std::exit(2);
    } else positional.emplace_back(arg);
  }
  if (positional.size() < 2 || positional.size() > 3) {
    std::fputs(kUsage, stderr);
    std::exit(2);
  }
  options.headless = positional[0];
  options.settings.assign(positional.begin() + 1, positional.end());
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  try {
    std::vector<ExportResult> results;
    for (const fs::path& settings : options.settings) results.push_back(MeasureExport(options, settings));

    std::vector<const ExportResult*> all;
    for (const ExportResult& r : results) all.push_back(&r);
    for (const ExportResult& r : results) {
      std::printf("\nsteps of %s (median run)\n%s", r.input_dir.filename().c_str(),
                  StepTable(r).Text().c_str());
      for (const std::string& problem : r.problems) std::printf("  note: %s\n", problem.c_str());
    }
    std::printf("\ntotals\n%s", TotalsTable(all).Text().c_str());
    const auto verdicts = Verdicts(results[0], results.size() > 1 ? &results[1] : nullptr);
    std::printf("\ntargets\n%s", VerdictTable(verdicts).Text().c_str());
    if (!options.results.empty()) {
      WriteResults(options, all, verdicts);
      std::printf("\nwritten to %s\n", options.results.c_str());
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench-measure: %s\n", e.what());
    return 1;
  }
}
