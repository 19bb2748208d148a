// Reads the records of a data set file.
//
// A record ends in "|^|" and may run over several lines. One call of Next()
// is one pass of a loader's loop: it reads one line and, unless that line is
// empty, completes the record that starts there. A record that spans lines
// is joined with " \n " in place of each line break, every line trimmed of
// blanks at both ends (a one-line record too, as the loaders read it).
// "|^|" ends a record when nothing but blanks or tabs follow it on its
// line (a CR is a line end: see files::LineReader); a line of only blanks and tabs counts as empty.
//
// Two things the file format cannot be trusted with are caught here rather
// than read past: a last record without its end mark (kUnterminated: the
// partial record is returned) and a record that grows beyond the size limit
// (kTooLong: the rest of the record, up to the line that holds its end
// mark, is skipped, so that its tail is not read as records of its own).
// The limit counts the record's bytes as they stand in the file (its lines
// with their blanks and end mark, not their line ends), which a user can
// check, not its size once decoded (a Windows-1252 letter may take two or
// three bytes in UTF-8). An over-long line is empty when it holds nothing
// but blanks and tabs, and ends a record when its end mark is followed by
// nothing else, however many blanks and tabs follow.
//
// The bytes are decoded from Windows-1252 to UTF-8, or taken as UTF-8 when
// the file begins with a UTF-8 byte-order mark (or several: see
// files::LineReader). In such a file a record that
// holds a byte sequence that is not UTF-8 is read to its end all the same and
// returned as kNotUtf8, each such sequence shown as U+FFFD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files/line_reader.h"

namespace morvane::engine {

class RecordReader {
 public:
  enum class Result { kRecord, kEmptyLine, kEnd, kUnterminated, kTooLong, kNotUtf8 };

  static constexpr std::size_t kMaxRecord = std::size_t{1} << 20;  // bytes in the file

  explicit RecordReader(files::LineReader& lines, std::size_t max_record = kMaxRecord);

  // kRecord: `record` holds the record without its end mark.
  // kEmptyLine: `record` is "" (the line counts as a pass of the loop).
  // kUnterminated / kTooLong / kNotUtf8: `record` holds what was read (for
  // the report).
  // kEnd: nothing left.
  Result Next(std::string& record);

  // The line on which the record (or empty line) of the last Next() began.
  std::int64_t FirstLine() const { return first_line_; }

 private:
  bool ReadLine(std::string& line);  // false at the end of the file
  bool LineEndsRecord(const std::string& line) const;  // the line last read
  void SkipToEndMark(std::string& line);

  files::LineReader& lines_;
  std::size_t max_record_;
  std::int64_t first_line_ = 0;
  bool line_too_long_ = false;
  bool not_utf8_ = false;  // a line of the record was not UTF-8
  std::size_t record_bytes_ = 0;  // in the file, of the record's lines so far
  std::string raw_;
  std::string line_;  // the line last read, decoded; kept for its buffer
};

// Removes blanks and tabs at both ends.
std::string TrimBlanksAndTabs(std::string_view s);

// True when `line` ends in "|^|" followed by nothing but blanks, tabs or
// carriage returns; `body_end` then receives the length of the text before
// the end mark.
bool EndsRecord(std::string_view line, std::size_t* body_end = nullptr);

}  // namespace morvane::engine
