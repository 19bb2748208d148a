// Every failure of the database layer is a db::Error: the engine's message,
// plus the table and field concerned when there is one, the engine's
// (extended) result code when the engine raised it (0 otherwise), so that a
// full disk can be told apart from other failures, and the file whose
// operation failed, so that a report names that file and no other.
#pragma once

#include <stdexcept>
#include <string>

namespace morvane::db {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::string table = {},
                 std::string field = {}, int code = 0);

  int code() const { return code_; }  // the engine's extended result code, or 0
  // The engine found no room to write: the disk (or the file's size limit)
  // is full.
  bool DiskFull() const;

  const std::string& message() const { return message_; }  // without table/field
  const std::string& table() const { return table_; }
  const std::string& field() const { return field_; }

  // The file whose operation failed: the database file that the failing
  // statement ran on (or that was being opened, closed or saved), or the
  // engine's temporary folder (InTemporaryFolder) when a full disk was found
  // there. "" when the error concerns no one file (a wrong call, such as a
  // recordset used after its Close).
  const std::string& file() const { return file_; }
  bool InTemporaryFolder() const { return in_temporary_folder_; }
  void SetFile(std::string file, bool temporary_folder = false);

  // The same failure (code, file) with `sentence` said after what() (as its
  // own sentence): what a caller knows about the failure's consequences.
  Error Explained(const std::string& sentence) const;

 private:
  std::string message_;
  std::string table_;
  std::string field_;
  int code_ = 0;
  std::string file_;
  bool in_temporary_folder_ = false;
};

// A value that its field refuses (a text longer than the field, a number
// out of its range or not a number): nothing was written, and the caller may
// set the record aside and go on, unlike after an error of the engine.
class ValueRefused : public Error {
 public:
  ValueRefused(const std::string& message, std::string table, std::string field, std::string value)
      : Error(message, std::move(table), std::move(field)), value_(std::move(value)) {}

  const std::string& value() const { return value_; }  // the refused value as text

 private:
  std::string value_;
};

}  // namespace morvane::db
