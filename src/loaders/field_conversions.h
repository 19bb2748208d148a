// Applies the conversion words of the field tables to one piece, and checks
// that a converted value fits its staging field before anything is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "loaders/loader_def.h"
#include "platform/db/table_def.h"

namespace morvane::loaders {

// The numeric value of a piece (text::Val), or Rejected when the number is
// beyond what a double holds (it would read as infinity, which no field
// can store and no mask can format).
double NumberValue(std::string_view piece);

// The value that `rule` makes of `record`; what a custom rule asks of the run
// goes to `actions`. Throws Rejected (for example a date that cannot be read).
FieldValue ApplyConversion(const FieldRule& rule, const Record& record, RunActions& actions);

// Whether a whole-number field takes a number with a fraction: a key field
// refuses it (a key rounded would point at another record); any other
// field stores it rounded, halves away from zero.
enum class Fraction { kRefused, kRounded };

// A key field: indexed in its table, or named "...Key".
bool IsKeyField(const db::TableDef& table, const db::FieldDef& field);

// The value as the field will hold it, or Rejected with the reason when it
// cannot be stored there: a text longer than a Text field, a number out of
// range for an Integer, Long or Single field, or with a fraction for an
// Integer or Long key field (`fraction`). Numbers bound for text fields
// become their shortest decimal text; a text bound for a number field must
// be a number.
db::Value FitToField(const db::FieldDef& field, const std::string& table, db::Value value,
                     Fraction fraction = Fraction::kRefused);

}  // namespace morvane::loaders
