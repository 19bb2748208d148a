#include "run/sub_fields.h"

#include <stdexcept>

#include "platform/text/text.h"

namespace morvane::engine {

std::vector<std::string> SplitSubFields(std::string& record, int field_count) {
  if (field_count < 1 || field_count > kMaxSubFields)
    throw std::out_of_range("sub-field count out of range");
  std::vector<std::string> fields;
  if (record.empty()) return fields;
  record += '|';
  std::size_t start = 0;
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (record[i] != '|') continue;
    fields.push_back(text::Trim(std::string_view(record).substr(start, i - start)));
    start = i + 1;
    if (static_cast<int>(fields.size()) == field_count) break;
  }
  return fields;
}

}  // namespace morvane::engine
