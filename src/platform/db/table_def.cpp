#include "platform/db/table_def.h"

#include <algorithm>

namespace morvane::db {

bool NamesEqual(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::string_view FieldTypeName(FieldType type) {
  switch (type) {
    case FieldType::kText: return "Text";
    case FieldType::kMemo: return "Memo";
    case FieldType::kInteger: return "Integer";
    case FieldType::kLong: return "Long";
    case FieldType::kSingle: return "Single";
    case FieldType::kDouble: return "Double";
  }
  return "?";
}

const FieldDef* TableDef::FindField(std::string_view field_name) const {
  for (const auto& f : fields)
    if (NamesEqual(f.name, field_name)) return &f;
  return nullptr;
}

const IndexDef* TableDef::FindIndex(std::string_view index_name) const {
  for (const auto& i : indexes)
    if (NamesEqual(i.name, index_name)) return &i;
  return nullptr;
}

}  // namespace morvane::db
