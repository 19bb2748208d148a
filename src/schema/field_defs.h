// Short constructors for field definitions, so that a table's definition
// reads like the list of its fields: Text("CallSign", 10), Long("FilingKey").
#pragma once

#include <string>
#include <utility>

#include "platform/db/table_def.h"

namespace morvane::schema::fields {

inline db::FieldDef Text(std::string name, int size) {
  return {std::move(name), db::FieldType::kText, size};
}
inline db::FieldDef Memo(std::string name) { return {std::move(name), db::FieldType::kMemo, 0}; }
inline db::FieldDef Integer(std::string name) {
  return {std::move(name), db::FieldType::kInteger, 0};
}
inline db::FieldDef Long(std::string name) { return {std::move(name), db::FieldType::kLong, 0}; }
inline db::FieldDef Single(std::string name) {
  return {std::move(name), db::FieldType::kSingle, 0};
}
inline db::FieldDef Double(std::string name) {
  return {std::move(name), db::FieldType::kDouble, 0};
}

}  // namespace morvane::schema::fields
