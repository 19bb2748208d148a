// Table definitions: the typed fields and single-field indexes of one table.
//
// A definition is plain data. Database::AppendTable creates a table from one;
// Database::TableDefs reads them back from the file itself, so definitions of
// databases that Morvane did not create (the user's antenna-site databases)
// are available too.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane::db {

enum class FieldType {
  kText,     // Text(n): at most n characters (not bytes)
  kMemo,     // long text, no practical limit
  kInteger,  // 16-bit signed
  kLong,     // 32-bit signed
  kSingle,   // 32-bit floating point
  kDouble,   // 64-bit floating point
};

std::string_view FieldTypeName(FieldType type);  // "Text", "Memo", ...

struct FieldDef {
  std::string name;
  FieldType type = FieldType::kText;
  int size = 0;  // characters, Text only; 0 for every other type

  friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

// An index covers one field, ascending; it is never unique or primary, so a
// key that occurs twice is stored twice.
struct IndexDef {
  std::string name;   // the logical name, e.g. "idxFilingKey"
  std::string field;  // matched against the table's fields without regard to case
  // Read from a file only: true for an index on a text field that compares
  // letter case (made elsewhere without COLLATE NOCASE). A Seek through it
  // would miss keys that differ in case only. Morvane never creates one.
  bool case_sensitive = false;

  friend bool operator==(const IndexDef&, const IndexDef&) = default;
};

struct TableDef {
  std::string name;
  std::vector<FieldDef> fields;     // in table order
  std::vector<IndexDef> indexes;    // in creation order

  // Lookups ignore letter case. Null when absent.
  const FieldDef* FindField(std::string_view field_name) const;
  const IndexDef* FindIndex(std::string_view index_name) const;

  friend bool operator==(const TableDef&, const TableDef&) = default;
};

// True when a and b are equal without regard to ASCII letter case: the rule
// for table, field and index names.
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace morvane::db
