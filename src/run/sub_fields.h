// The sub-field scanner of the two data sets whose records are taken apart
// field by field rather than split: every field trimmed of blanks, two bars
// in a row an empty field, at most `field_count` fields.
#pragma once

#include <string>
#include <vector>

namespace morvane::engine {

inline constexpr int kMaxSubFields = 60;

// Scans `record` (the record text as the reader completed it) and appends
// one "|" to it, as the scan does. Returns the fields found, at most
// `field_count` (1..kMaxSubFields); a record with fewer fields returns
// fewer, and the caller treats the missing ones as empty texts. An empty
// record yields no fields and stays empty.
std::vector<std::string> SplitSubFields(std::string& record, int field_count);

}  // namespace morvane::engine
