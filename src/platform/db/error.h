// Every failure of the database layer is a db::Error: the engine's message,
// plus the table and field concerned when there is one.
#pragma once

#include <stdexcept>
#include <string>

namespace morvane::db {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::string table = {},
                 std::string field = {});

  const std::string& message() const { return message_; }  // without table/field
  const std::string& table() const { return table_; }
  const std::string& field() const { return field_; }

 private:
  std::string message_;
  std::string table_;
  std::string field_;
};

}  // namespace morvane::db
