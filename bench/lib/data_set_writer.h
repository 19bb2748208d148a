// Writes the records of one data set file, streaming: each record is built
// piece by piece, ended with "|^|" and the file's line end, and handed to a
// buffered file; nothing is kept once it is written.
//
//   out.Begin().Num(key).Text("N").Date("Jan  5 2010").End();
//
// End() checks the piece count against the data set's layout, so a record
// the generator got wrong fails at once instead of turning up as a rejected
// record in a benchmark.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/lib/data_set_layouts.h"

namespace morvane::bench {

class DataSetWriter {
 public:
  // Creates (or truncates) the file. Throws std::runtime_error on failure.
  DataSetWriter(const std::filesystem::path& path, const DataSetLayout& layout);
  ~DataSetWriter();
  DataSetWriter(const DataSetWriter&) = delete;
  DataSetWriter& operator=(const DataSetWriter&) = delete;

  DataSetWriter& Begin();
  DataSetWriter& Text(std::string_view piece);  // must hold no "|" and no line end
  DataSetWriter& Num(std::int64_t value);
  DataSetWriter& Fixed(double value, int decimals);  // e.g. 12.5 with 1 decimal
  DataSetWriter& Empty() { return Text({}); }
  // One piece over several physical lines (a long text typed with line
  // breaks); the reader joins them again with " \n ".
  DataSetWriter& Lines(std::span<const std::string> lines);
  // Ends the record. A split data set's record must have exactly its N
  // pieces; a sub-field record may have fewer or more (the scanner takes
  // what is there).
  void End();

  // Deliberately bad records, written as they stand (no piece count check):
  // a terminated one goes in right after the file's first good record, so
  // that the loader must go on after it (or at Close() when the file gets
  // no good record); an unterminated one is the file's last record.
  void AddBadRecord(std::string body, bool terminated);

  // Writes what is still due, flushes and closes; throws std::runtime_error
  // when the data did not all reach the disk. The destructor closes without
  // reporting.
  void Close();

  const DataSetLayout& layout() const { return layout_; }
  std::int64_t records() const { return records_; }

 private:
  void Separate();
  void Put(std::string_view bytes);
  void PutBadRecords();

  const DataSetLayout& layout_;
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::string_view eol_;
  std::string record_;
  int pieces_ = 0;
  std::int64_t records_ = 0;
  std::vector<std::string> bad_records_;
  std::optional<std::string> unterminated_;
};

// A number with a fixed count of decimals, "." as the point, whatever the
// locale: 12.5 with 2 decimals is "12.50".
std::string FixedText(double value, int decimals);

}  // namespace morvane::bench
