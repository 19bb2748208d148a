// Reads an export folder record by record and tells, per data set file,
// how many records it holds and which of them a loader would reject.
//
// The reading follows the record format: lines are trimmed of blanks, a
// record runs until its text ends in "|^|" (blanks, tabs or a carriage
// return may follow), the lines of a record are joined with " \n ", and a
// line of only blanks and tabs between records is skipped. Used by the
// tests of the generator and by the benchmark to count what it loads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/lib/data_set_layouts.h"

namespace morvane::bench {

struct ExportRecord {
  std::string text;            // without its end mark, lines joined with " \n "
  std::int64_t first_line = 0;  // 1-based
  int lines = 0;               // physical lines the record runs over
  bool terminated = true;      // false: the file ended before "|^|"
};

class ExportReader {
 public:
  // Throws std::runtime_error when the file cannot be opened.
  explicit ExportReader(const std::filesystem::path& path);
  ~ExportReader();
  ExportReader(const ExportReader&) = delete;
  ExportReader& operator=(const ExportReader&) = delete;

  // The next record; false at the end of the file.
  bool Next(ExportRecord& record);

  std::int64_t crlf_lines() const { return crlf_lines_; }  // lines ended by CR LF
  std::int64_t lf_lines() const { return lf_lines_; }      // lines ended by a lone LF

 private:
  bool ReadLine(std::string& line);  // false at the end of the file

  std::FILE* file_ = nullptr;
  std::int64_t line_number_ = 0;
  std::int64_t crlf_lines_ = 0;
  std::int64_t lf_lines_ = 0;
};

struct FileReport {
  std::string file;
  bool present = false;
  std::int64_t bytes = 0;
  std::int64_t records = 0;       // terminated and unterminated
  std::int64_t rejected = 0;      // records a loader would not store
  std::int64_t multi_line = 0;    // records over more than one line
  std::int64_t crlf_lines = 0;
  std::int64_t lf_lines = 0;
  std::vector<std::string> reasons;  // "line N: reason" of the first few rejected records
};

// One report per data set file, in load order. A missing file is reported
// with present = false.
std::vector<FileReport> CheckExport(const std::filesystem::path& dir);

}  // namespace morvane::bench
