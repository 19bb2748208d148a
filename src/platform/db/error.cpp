#include "platform/db/error.h"

#include <sqlite3.h>

namespace morvane::db {
namespace {

std::string Describe(const std::string& message, const std::string& table,
                     const std::string& field) {
  if (table.empty() && field.empty()) return message;
  std::string where = table;
  if (!field.empty()) where += (where.empty() ? "" : ".") + field;
  return message + " (" + where + ")";
}

}  // namespace

Error::Error(const std::string& message, std::string table, std::string field, int code)
    : std::runtime_error(Describe(message, table, field)),
      message_(message),
      table_(std::move(table)),
      field_(std::move(field)),
      code_(code) {}

bool Error::DiskFull() const { return (code_ & 0xff) == SQLITE_FULL; }

void Error::SetFile(std::string file, bool temporary_folder) {
  file_ = std::move(file);
  in_temporary_folder_ = temporary_folder;
}

Error Error::Explained(const std::string& sentence) const {
  Error explained(what() + std::string(". ") + sentence, {}, {}, code_);
  explained.SetFile(file_, in_temporary_folder_);
  return explained;
}

}  // namespace morvane::db
