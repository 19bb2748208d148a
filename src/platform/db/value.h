// A field value as the database layer hands it around: Null, a whole number,
// a floating-point number or a text (UTF-8). Null and the empty text are
// different values and stay different through every store and read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace morvane::db {

class Value {
 public:
  Value() = default;  // Null
  Value(std::nullptr_t) {}
  Value(int v) : v_(static_cast<std::int64_t>(v)) {}
  Value(std::int64_t v) : v_(v) {}
  Value(double v) : v_(v) {}
  Value(std::string v) : v_(std::move(v)) {}
  Value(std::string_view v) : v_(std::string(v)) {}
  Value(const char* v) : v_(std::string(v)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsInteger() const { return std::holds_alternative<std::int64_t>(v_); }
  bool IsReal() const { return std::holds_alternative<double>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }

  // Unchecked accessors: the caller has tested the kind.
  std::int64_t Integer() const { return std::get<std::int64_t>(v_); }
  double Real() const { return std::get<double>(v_); }
  const std::string& Text() const { return std::get<std::string>(v_); }

  // Lenient readers for code that takes a field as it comes: Null reads as
  // "" or 0; a number reads as its shortest text; a text as its numeric
  // prefix (0 when it has none).
  std::string AsText() const;
  double AsDouble() const;
  std::int64_t AsInteger() const;

  // Makes this the text `text`, reusing the buffer of a text it holds.
  void AssignText(std::string_view text) {
    if (auto* held = std::get_if<std::string>(&v_)) held->assign(text);
    else v_ = std::string(text);
  }

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string> v_;
};

}  // namespace morvane::db
