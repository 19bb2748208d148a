#include "platform/db/value.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/db/internal/field_conversion.h"

namespace morvane::db {
namespace {

// The longest numeric prefix of `s` after leading blanks: sign, digits,
// point, digits, exponent. Empty when there is no digit.
std::string_view NumericPrefix(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  const std::size_t start = i;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return {};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
    if (j < s.size() && s[j] >= '0' && s[j] <= '9') {
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      i = j;
    }
  }
  return s.substr(start, i - start);
}

double PrefixValue(std::string_view s) {
  std::string_view p = NumericPrefix(s);
  if (p.empty()) return 0;
  if (p.front() == '+') p.remove_prefix(1);
  double v = 0;
  std::from_chars(p.data(), p.data() + p.size(), v);  // out of range leaves 0
  return v;
}

std::int64_t RoundToInteger(double d) {
  if (std::isnan(d)) return 0;
  const double r = std::nearbyint(d);
  if (r <= static_cast<double>(std::numeric_limits<std::int64_t>::min()))
    return std::numeric_limits<std::int64_t>::min();
  if (r >= static_cast<double>(std::numeric_limits<std::int64_t>::max()))
    return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(r);
}

}  // namespace

std::string Value::AsText() const {
  if (IsNull()) return {};
  if (IsText()) return Text();
  return internal::NumberText(*this);
}

double Value::AsDouble() const {
  if (IsNull()) return 0;
  if (IsInteger()) return static_cast<double>(Integer());
  if (IsReal()) return Real();
  return PrefixValue(Text());
}

std::int64_t Value::AsInteger() const {
  if (IsNull()) return 0;
  if (IsInteger()) return Integer();
  if (IsReal()) return RoundToInteger(Real());
  const std::string_view p = NumericPrefix(Text());
  std::int64_t whole = 0;
  std::string_view digits = p;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), whole);
  if (ec == std::errc() && end == digits.data() + digits.size()) return whole;
  return RoundToInteger(PrefixValue(Text()));
}

}  // namespace morvane::db
