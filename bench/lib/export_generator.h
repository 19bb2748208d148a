// Writes a synthetic export: all 35 data set files, with keys that agree
// across files, realistic contents and the proportions of a real export.
// The proportions and the shape of the data are described at the top of
// export_generator.cpp.
//
// Deterministic: the same options give the same bytes on every machine.
// Streaming: records are written as they are made; memory does not grow
// with the number of filings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvane::bench {

struct GeneratorOptions {
  std::int64_t filings = 20;    // filings in main.dat (at least 1)
  std::uint64_t seed = 1;
  int bad_records = 0;          // deliberately bad records (see bad_records.h)
  // Means of the counts per earth-station filing (each count at least 1).
  double sites_per_filing = 2.0;
  double antennas_per_site = 2.0;
  double frequencies_per_antenna = 3.5;
};

struct DataSetCount {
  std::string file;
  std::int64_t records = 0;      // good records
  std::int64_t bad_records = 0;  // deliberately bad ones among the file's records
};

struct ExportSummary {
  std::vector<DataSetCount> files;    // in load order
  std::int64_t filings = 0;
  std::int64_t records = 0;           // good records of all files
  std::int64_t bad_records = 0;
  std::int64_t conversion_rows = 0;   // frequencies of earth-station filings in state 0 or 1
};

// Writes the export into `dir` (created when missing; existing data set
// files are replaced). Throws std::invalid_argument for options out of
// range and std::runtime_error when a file cannot be written.
ExportSummary GenerateExport(const std::filesystem::path& dir, const GeneratorOptions& options);

}  // namespace morvane::bench
