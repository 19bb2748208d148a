// Deliberately bad records for the rejected-data road: each one is a record
// a loader must refuse (and report) while it goes on with the next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "bench/lib/data_set_layouts.h"

namespace morvane::bench {

enum class BadKind {
  kTooFewFields,      // one piece fewer than the loader reads
  kTextTooLong,       // a text piece longer than its field
  kNumberOutOfRange,  // a key beyond 32 bits
  kUnreadableDate,    // a date whose month is not one of the twelve names
  kUnterminated,      // the file's last record, without "|^|"
};

std::string_view BadKindName(BadKind kind);

struct BadRecord {
  std::size_t data_set;  // index into DataSetLayouts()
  BadKind kind;
  std::string body;      // the record without its end mark
};

// `count` bad records, spread over the data sets and the five kinds in a
// fixed order (kind i % 5, the data sets of a kind in turn), each made for
// the layout of its data set. A data set gets at most one unterminated
// record (it must be its last); beyond that the kind falls back to too few
// fields.
std::vector<BadRecord> PlanBadRecords(const std::vector<DataSetLayout>& layouts, int count);

}  // namespace morvane::bench
