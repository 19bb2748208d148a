// Reads a text file line by line, fast. CR LF, LF and a lone CR each end a
// line, so a file written with any of them (or a mix) reads alike, and a CR
// never reaches the caller.
//
// A UTF-8 byte-order mark at the very start of the file (an editor's
// "UTF-8 with BOM") is not part of the first line: it is skipped, and counted
// in BytesRead; Utf8ByteOrderMark() tells that the file had one. Marks
// repeated at the start (EF BB BF EF BB BF ...) are all skipped alike. The
// same bytes anywhere else are text.
//
// Lines are returned as raw bytes without their line end. The file is read through a large
// buffer, so memory does not grow with the file; a line longer than
// `max_line` bytes is not returned whole: ReadLine reports it as too long,
// returns its first max_line bytes and skips the rest of it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::files {

class LineReader {
 public:
  enum class Status { kLine, kTooLong, kEnd };

  // Opens the (resolved) file. Throws std::filesystem::filesystem_error when
  // it cannot be opened.
  explicit LineReader(const std::filesystem::path& path,
                      std::size_t max_line = 1 << 20);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line into `line`. kEnd (and an empty `line`) when the
  // file is at its end. Throws std::system_error on a read error.
  Status ReadLine(std::string& line);

  bool AtEnd();                                       // nothing left to read
  std::int64_t LineNumber() const { return line_number_; }  // of the last line read, from 1
  std::int64_t BytesRead() const { return bytes_consumed_; }  // line ends included
  std::int64_t FileLength() const { return file_length_; }
  // For a line reported kTooLong: how it ends, so that a caller can look
  // for an end mark there. That is its last bytes (up to kTailSize) before
  // the blanks and tabs that end it, however many of them there are; empty
  // when the line holds nothing but blanks and tabs. Empty after a line
  // that fit.
  static constexpr std::size_t kTailSize = 64;
  const std::string& TooLongTail() const { return tail_; }
  // Whether the file begins with a UTF-8 byte-order mark (or several); known once
  // ReadLine or AtEnd has been called.
  bool Utf8ByteOrderMark() const { return byte_order_mark_; }

 private:
  std::size_t Read(std::size_t at, std::size_t n);
  bool Fill();
  void SkipByteOrderMarks();
  void SkipLfAfterCr();
  void KeepTail(const char* segment, std::size_t n);
  void CompleteTail(std::string_view head);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
  std::size_t next_lf_ = kUnknown;  // the next LF at or after pos_, or end_: none
  bool eof_ = false;
  bool at_file_start_ = true;  // only marks so far: a byte-order mark may follow
  bool byte_order_mark_ = false;
  std::size_t max_line_;
  std::int64_t line_number_ = 0;
  std::int64_t bytes_consumed_ = 0;
  std::int64_t file_length_ = 0;
  std::string tail_;
  std::string tail_blanks_;  // see KeepTail
};

}  // namespace morvane::files
