// The rows of one SELECT, as they stood when the recordset was opened (a
// snapshot: later writes to the tables it read do not change it). The
// snapshot lives in the database's temporary storage, not in memory, so a
// query over a million rows costs no more than a few pages of memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/value.h"

namespace morvane::db {

class SqlRecordset {
 public:
  SqlRecordset();  // holds no recordset
  ~SqlRecordset();
  SqlRecordset(SqlRecordset&&) noexcept;
  SqlRecordset& operator=(SqlRecordset&&) noexcept;

  void MoveFirst();
  void MoveLast();
  void MoveNext();
  bool Eof() const;
  std::int64_t RecordCount() const;  // exact

  const std::vector<std::string>& ColumnNames() const;
  // Columns by name match without regard to case; throws for unknown ones.
  Value Get(std::string_view column) const;
  Value Get(int column_index) const;

  void Close();

  struct Impl;
  explicit SqlRecordset(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace morvane::db
