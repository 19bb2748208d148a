#include "platform/db/internal/field_conversion.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/db/error.h"
#include "platform/db/internal/utf8.h"

namespace morvane::db::internal {
namespace {

// Outcome of a conversion: the value, or why it was refused.
struct Converted {
  std::optional<Value> value;
  std::string problem;
};

Converted Refuse(std::string problem) { return {std::nullopt, std::move(problem)}; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A whole number in decimal digits with an optional sign, blanks around it.
std::optional<std::int64_t> ParseWhole(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// A decimal number (sign, digits, point, exponent), blanks around it; no
// "inf" or "nan".
std::optional<double> ParseNumber(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  const char first = s.front() == '-' && s.size() > 1 ? s[1] : s.front();
  if (!(first >= '0' && first <= '9') && first != '.') return std::nullopt;
  double v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

Converted ToWhole(const Value& value, std::int64_t lo, std::int64_t hi) {
  std::int64_t v = 0;
  if (value.IsInteger()) {
    v = value.Integer();
  } else if (value.IsReal()) {
    const double d = value.Real();
    if (!std::isfinite(d)) return Refuse("the number is not finite");
    const double r = std::nearbyint(d);  // halves to even
    if (r < static_cast<double>(lo) || r > static_cast<double>(hi))
      return Refuse("the number " + NumberText(value) + " is out of range");
    v = static_cast<std::int64_t>(r);
  } else {
    auto parsed = ParseWhole(value.Text());
    if (!parsed) return Refuse("the text \"" + value.Text() + "\" is not a whole number");
    v = *parsed;
  }
  if (v < lo || v > hi)
    return Refuse("the number " + std::to_string(v) + " is out of range (" + std::to_string(lo) +
                  " to " + std::to_string(hi) + ")");
  return {Value(v), {}};
}

Converted ToReal(const Value& value, bool single) {
  double d = 0;
  if (value.IsInteger()) {
    d = static_cast<double>(value.Integer());
  } else if (value.IsReal()) {
    d = value.Real();
  } else {
    auto parsed = ParseNumber(value.Text());
    if (!parsed) return Refuse("the text \"" + value.Text() + "\" is not a number");
    d = *parsed;
  }
  if (!std::isfinite(d)) return Refuse("the number is not finite");
  if (single) {
    if (std::fabs(d) > FLT_MAX) return Refuse("the number " + NumberText(Value(d)) + " is out of range");
    d = static_cast<double>(static_cast<float>(d));
  }
  return {Value(d), {}};
}

Converted ToText(const FieldDef& field, const Value& value) {
  if (value.IsReal() && !std::isfinite(value.Real())) return Refuse("the number is not finite");
  Value text = value.IsText() ? value : Value(NumberText(value));
  if (field.type == FieldType::kText) {
    const std::size_t n = CountCharacters(text.Text());
    if (n > static_cast<std::size_t>(field.size))
      return Refuse("the text of " + std::to_string(n) + " characters is longer than the field's " +
                    std::to_string(field.size));
  }
  return {std::move(text), {}};
}

Converted Convert(const FieldDef& field, const Value& value) {
  if (value.IsNull()) return {Value(), {}};
  switch (field.type) {
    case FieldType::kText:
    case FieldType::kMemo: return ToText(field, value);
    case FieldType::kInteger: return ToWhole(value, -32768, 32767);
    case FieldType::kLong:
      return ToWhole(value, std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max());
    case FieldType::kSingle: return ToReal(value, true);
    case FieldType::kDouble: return ToReal(value, false);
  }
  return Refuse("unknown field type");
}

}  // namespace

std::string NumberText(const Value& number) {
  if (number.IsInteger()) return std::to_string(number.Integer());
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, number.Real());
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

Value ConvertForField(const FieldDef& field, const Value& value, std::string_view table) {
  Converted c = Convert(field, value);
  if (!c.value)
    throw ValueRefused("cannot store the value in the " + std::string(FieldTypeName(field.type)) +
                    " field: " + c.problem,
                       std::string(table), field.name, value.AsText());
  return std::move(*c.value);
}

namespace {

// A text no longer in bytes than the field's size fits without counting its
// characters: a character takes at least one byte.
bool TextAsItStands(const FieldDef& field, const Value& value) {
  if (!value.IsText()) return false;
  if (field.type == FieldType::kMemo) return true;
  if (field.type != FieldType::kText) return false;
  const auto size = static_cast<std::size_t>(field.size);
  const std::string& text = value.Text();
  return text.size() <= size || CountCharacters(text) <= size;
}

// A whole number that an Integer or Long field stores as it stands.
bool WholeAsItStands(const FieldDef& field, const Value& value) {
  if (!value.IsInteger()) return false;
  const std::int64_t v = value.Integer();
  if (field.type == FieldType::kInteger) return v >= -32768 && v <= 32767;
  return field.type == FieldType::kLong && v >= std::numeric_limits<std::int32_t>::min() &&
         v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

void MoveIntoField(const FieldDef& field, Value&& value, std::string_view table, Value& into) {
  if (TextAsItStands(field, value) || WholeAsItStands(field, value) ||
      (value.IsReal() && field.type == FieldType::kDouble && std::isfinite(value.Real()))) {
    into = std::move(value);
  } else if (value.IsReal() && field.type == FieldType::kSingle && std::isfinite(value.Real()) &&
             std::fabs(value.Real()) <= FLT_MAX) {
    into = Value(static_cast<double>(static_cast<float>(value.Real())));
  } else {
    into = ConvertForField(field, static_cast<const Value&>(value), table);
  }
}

Value ConvertForField(const FieldDef& field, Value&& value, std::string_view table) {
  Value converted;
  MoveIntoField(field, std::move(value), table, converted);
  return converted;
}

void ConvertInto(const FieldDef& field, const Value& value, std::string_view table, Value& into) {
  if (TextAsItStands(field, value))
    into.AssignText(value.Text());
  else if (WholeAsItStands(field, value))
    into = value;
  else
    into = ConvertForField(field, value, table);
}

std::optional<Value> ConvertKey(const FieldDef& field, const Value& key) {
  if (key.IsNull()) return std::nullopt;
  if (field.type == FieldType::kText && key.IsText()) return key;  // a key is never too long
  return Convert(field, key).value;
}

}  // namespace morvane::db::internal
