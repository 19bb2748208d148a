// Lice, the licensee records of the earth-station conversion (step 39): a
// KeyedTable by LicenseeIdKey that also remembers the filings whose missing
// address row has been reported, so a filing with many query rows gives one
// rejected-data line.
#pragma once

#include <cstdint>
#include <unordered_set>

#include "convert/keyed_table.h"

namespace morvane::convert {

class LiceTable : public KeyedTable {
 public:
  using KeyedTable::KeyedTable;

  // True the first time it is asked about `filing_key`.
  bool FirstMissingAddress(std::int64_t filing_key) {
    return missing_address_.insert(filing_key).second;
  }

 private:
  std::unordered_set<std::int64_t> missing_address_;
};

}  // namespace morvane::convert
