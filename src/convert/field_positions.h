// The positions of the fields that a writer of the earth-station conversion
// sets on every row, looked up by name once, on the writer's first row
// (Resolve): the writer then sets them by position, which saves looking
// each name up again on every row of a long conversion.
//
// `names` lists the fields in the order of the writer's own enum, so that
// positions[kSomeField] is the position of names[kSomeField]. Throws
// db::Error naming the table when a field is missing. Valid for
// the recordset it was resolved on.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "platform/db/table_recordset.h"

namespace morvane::convert {

class FieldPositions {
 public:
  // Looks the names up unless done already; returns *this.
  const FieldPositions& Resolve(const db::TableRecordset& rs, std::span<const std::string_view> names) {
    if (at_.empty())
      for (std::string_view name : names) at_.push_back(rs.FieldIndex(name));
    return *this;
  }
  int operator[](std::size_t field) const { return at_[field]; }

 private:
  std::vector<int> at_;
};

}  // namespace morvane::convert
