#include "loaders/field_conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text/text.h"
#include "run/convert_date.h"

namespace morvane::loaders {
namespace {

constexpr std::size_t kDateLength = 8;

std::string ShortestText(double v) {
  if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, end) : std::to_string(v);
}

// A text that is a number as a whole (blanks around it allowed).
std::optional<double> WholeTextNumber(const std::string& s) {
  const std::string t = text::Trim(s);
  if (t.empty()) return std::nullopt;
  double v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return v;
}

std::string Where(const std::string& table, const db::FieldDef& field) {
  return table + "." + field.name;
}

db::Value FitWhole(const db::FieldDef& field, const std::string& table, double v,
                   double low, double high, Fraction fraction) {
  if (std::isfinite(v) && v != std::floor(v) && fraction == Fraction::kRounded)
    v = std::round(v);  // halves away from zero
  if (!std::isfinite(v) || v != std::floor(v))
    throw Rejected("not a whole number for " + Where(table, field) + ": " + ShortestText(v));
  if (v < low || v > high)
    throw Rejected("number out of range for " + Where(table, field) + ": " + ShortestText(v));
  return db::Value(static_cast<std::int64_t>(v));
}

}  // namespace

double NumberValue(std::string_view piece) {
  const double v = text::Val(piece);
  if (!std::isfinite(v)) throw Rejected("a number too large to read: \"" + text::Trim(piece) + "\"");
  return v;
}

FieldValue ApplyConversion(const FieldRule& rule, const Record& record, RunActions& actions) {
  const std::string_view piece = record.Piece(rule.piece);
  switch (rule.conversion) {
    case Conversion::kAsIs:
    case Conversion::kMemo:
      return db::Value(piece);
    case Conversion::kTrimmed:
    case Conversion::kMemoOfTrimmed:
      return db::Value(text::Trim(piece));
    case Conversion::kNumber:
      return db::Value(NumberValue(piece));
    case Conversion::kFirst:
      return db::Value(text::Left(piece, rule.n));
    case Conversion::kFirstTrimmed:
      return db::Value(text::Trim(text::Left(piece, rule.n)));
    case Conversion::kTrimmedFirst:
      return db::Value(text::Left(text::Trim(piece), rule.n));
    case Conversion::kDate: {
      const std::string trimmed = text::Trim(piece);
      std::string date = engine::ConvertDate(trimmed);
      // What the eight characters of a date field cannot hold is refused;
      // anything shorter is stored as the conversion makes it.
      if (text::Length(date) > kDateLength)
        throw Rejected("a date that cannot be read: \"" + trimmed + "\"");
      return db::Value(std::move(date));
    }
    case Conversion::kMask:
      return db::Value(text::Format(NumberValue(piece), rule.mask));
    case Conversion::kCustom:
      return rule.custom(record, actions);
  }
  return std::nullopt;
}

bool IsKeyField(const db::TableDef& table, const db::FieldDef& field) {
  for (const db::IndexDef& index : table.indexes)
    if (text::ToLower(index.field) == text::ToLower(field.name)) return true;
  return text::EndsWith(text::ToLower(field.name), "key");
}

db::Value FitToField(const db::FieldDef& field, const std::string& table, db::Value value,
                     Fraction fraction) {
  if (value.IsNull()) return value;
  switch (field.type) {
    case db::FieldType::kText:
    case db::FieldType::kMemo: {
      if (!value.IsText()) value = db::Value(ShortestText(value.AsDouble()));
      if (field.type == db::FieldType::kText &&
          text::Length(value.Text()) > static_cast<std::size_t>(field.size)) {
        throw Rejected("text longer than " + std::to_string(field.size) + " characters for " +
                       Where(table, field) + ": \"" + value.Text() + "\"");
      }
      return value;
    }
    case db::FieldType::kInteger:
    case db::FieldType::kLong:
    case db::FieldType::kSingle:
    case db::FieldType::kDouble:
      break;
  }

  double v = 0;
  if (value.IsText()) {
    auto number = WholeTextNumber(value.Text());
    if (!number) throw Rejected("not a number for " + Where(table, field) + ": \"" + value.Text() + "\"");
    v = *number;
  } else {
    v = value.AsDouble();
  }
  switch (field.type) {
    case db::FieldType::kInteger:
      return FitWhole(field, table, v, -32768, 32767, fraction);
    case db::FieldType::kLong:
      return FitWhole(field, table, v, -2147483648.0, 2147483647.0, fraction);
    case db::FieldType::kSingle:
      if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
        throw Rejected("number out of range for " + Where(table, field) + ": " + ShortestText(v));
      return db::Value(v);
    default:
      if (!std::isfinite(v)) throw Rejected("not a number for " + Where(table, field));
      return db::Value(v);
  }
}

}  // namespace morvane::loaders
