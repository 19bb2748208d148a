// Conversion of a value to a field's type, with the range checks that the
// field's type implies. Used by Set (which refuses what does not fit) and by
// Seek (for which a key that does not fit simply matches nothing).
#pragma once

#include <optional>
#include <string_view>

#include "platform/db/table_def.h"
#include "platform/db/value.h"

namespace morvane::db::internal {

// The value as the field stores it. Throws db::Error naming `table` and the
// field when the value does not fit (see TableRecordset::Set).
Value ConvertForField(const FieldDef& field, const Value& value, std::string_view table);
// The same; a value the field stores as it stands is moved, not copied.
Value ConvertForField(const FieldDef& field, Value&& value, std::string_view table);

// The same, into `into`: a value the field stores as it stands is moved
// there without an intermediate copy or move.
void MoveIntoField(const FieldDef& field, Value&& value, std::string_view table, Value& into);

// The same, into `into`: a text that the field stores as it stands is copied
// into the text buffer that `into` holds, without a new allocation when
// that buffer is large enough.
void ConvertInto(const FieldDef& field, const Value& value, std::string_view table, Value& into);

// The key as the indexed field would store it; nullopt for Null and for a
// key that no stored value can equal (not convertible, out of range).
std::optional<Value> ConvertKey(const FieldDef& field, const Value& key);

// The shortest text of a number: 7 -> "7", 12.5 -> "12.5".
std::string NumberText(const Value& number);

}  // namespace morvane::db::internal
