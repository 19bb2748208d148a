// Number masks.
//
// Rounding works on the decimal value that a user would read, not on the
// binary double: 12.25 is stored as 12.2499999..., yet "0.0" must give
// "12.3". The value is therefore first written with 15 significant digits
// (the precision a double carries reliably) and that digit string is rounded,
// halves away from zero.
//
// Most values come from a text with a few decimals, and a power of ten makes
// them a whole number; their 15 digits are that number's, which costs far
// less than writing the double out in general (a mask is applied to several
// fields of every record a loader stores).
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

constexpr int kSignificant = 15;

// A non-negative value rounded to a number of decimals, as decimal digits:
// the first digit stands at the place 10^top_, the others follow; every
// place outside them holds 0.
class Decimal {
 public:
  Decimal() = default;
  Decimal(double magnitude, int decimals) {
    if (magnitude == 0.0) return;
    if (!FromScaledWholeNumber(magnitude)) FromScientific(magnitude);
    Round(decimals);
  }

  bool IsZero() const { return count_ == 0; }
  // Number of digits before the point (0 for a value below 1).
  int IntegerDigits() const { return count_ == 0 ? 0 : std::max(top_ + 1, 0); }
  char DigitAt(int place) const {
    const int index = top_ - place;
    return index >= 0 && index < count_ ? digits_[first_ + index] : '0';
  }

 private:
  // When magnitude * 10^k rounds to a whole number N below 10^15, the
  // rounding moved it by at most 2^-53 of N, less than half a unit in the
  // 15th digit of N: so N, followed by zeros, is the value's 15-digit form.
  bool FromScaledWholeNumber(double magnitude) {
    double power = 1;
    for (int k = 0; k < kSignificant; ++k, power *= 10) {  // 10^k is exact
      const double scaled = magnitude * power;
      if (scaled >= 1e15) return false;
      if (scaled != std::floor(scaled)) continue;
      char text[24];
      const auto end = std::to_chars(text, text + sizeof text,
                                     static_cast<std::uint64_t>(scaled)).ptr;
      std::fill(digits_.begin() + 1, digits_.end(), '0');
      std::copy(text, end, digits_.begin() + 1);
      top_ = static_cast<int>(end - text) - 1 - k;
      return true;
    }
    return false;
  }

  void FromScientific(double magnitude) {
    char text[32];
    // d.dddddddddddddde+XX
    const auto result =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                      kSignificant - 1);
    const char* p = text;
    digits_[1] = *p++;
    ++p;  // the point
    for (int i = 2; i <= kSignificant; ++i) digits_[i] = *p++;
    ++p;  // 'e'
    int exponent = 0;
    std::from_chars(p + (*p == '+' ? 1 : 0), result.ptr, exponent);
    top_ = exponent;
  }

  void Round(int decimals) {
    const int keep = top_ + 1 + decimals;  // digits at places >= 10^-decimals
    if (keep >= kSignificant) {
      count_ = kSignificant;
      return;
    }
    if (keep < 0) return;  // zero
    const bool up = digits_[1 + keep] >= '5';
    count_ = keep;
    if (!up) return;
    int i = keep;  // the last kept digit, 1-based
    while (i >= 1 && digits_[i] == '9') digits_[i--] = '0';
    if (i >= 1) {
      ++digits_[i];
    } else {  // carried past the first digit: 99.96 -> 100.0
      digits_[0] = '1';
      first_ = 0;
      ++top_;
      ++count_;
    }
  }

  std::array<char, kSignificant + 1> digits_{};  // [0] takes a carry
  int first_ = 1;
  int count_ = 0;
  int top_ = 0;
};

// One section of a mask, with what rendering needs to know beforehand.
struct Section {
  std::string_view text;
  int integer_placeholders = 0;
  int decimals = 0;
  int zero_fill = 0;       // integer places always shown (from the leftmost "0")
  int last_fraction_zero = -1;
  bool grouping = false;
};

Section Parse(std::string_view text) {
  Section s;
  s.text = text;
  bool in_fraction = false;
  bool comma_pending = false;
  int first_zero = -1;
  for (char c : text) {
    if (in_fraction) {
      if (c == '0') s.last_fraction_zero = s.decimals;
      if (c == '0' || c == '#') ++s.decimals;
      continue;
    }
    if (c == '0' || c == '#') {
      if (c == '0' && first_zero < 0) first_zero = s.integer_placeholders;
      if (comma_pending) s.grouping = true;
      ++s.integer_placeholders;
    } else if (c == ',') {
      comma_pending = s.integer_placeholders > 0;
    } else if (c == '.') {
      in_fraction = true;
    }
  }
  if (first_zero >= 0) s.zero_fill = s.integer_placeholders - first_zero;
  return s;
}

class Renderer {
 public:
  Renderer(const Section& section, const Decimal& value, std::string& out)
      : s_(section), value_(value), out_(out) {}

  void Run() {
    const int integer_digits = value_.IntegerDigits();
    const int shown = std::max(integer_digits, s_.zero_fill);
    const int fraction_limit = std::max(LastSignificantDecimal(), s_.last_fraction_zero);
    int remaining = s_.integer_placeholders;  // integer placeholders still to come
    int j = 0;                                // fraction placeholder index
    bool in_fraction = false;
    for (char c : s_.text) {
      const bool placeholder = c == '0' || c == '#';
      if (in_fraction) {
        if (!placeholder) {
          out_ += c;
        } else if (j++ <= fraction_limit) {
          out_ += value_.DigitAt(-j);
        }
        continue;
      }
      if (placeholder) {
        // Integer digits beyond the mask's count all go to its leftmost place.
        if (remaining == s_.integer_placeholders) {
          for (int place = shown - 1; place >= s_.integer_placeholders; --place) Emit(place);
        }
        --remaining;
        if (remaining < shown) Emit(remaining);
      } else if (c == ',' && remaining > 0 && remaining < s_.integer_placeholders) {
        // grouping request between placeholders: shows nothing itself
      } else if (c == '.') {
        if (s_.integer_placeholders == 0) {
          for (int place = integer_digits - 1; place >= 0; --place) Emit(place);
        }
        out_ += '.';
        in_fraction = true;
      } else {
        out_ += c;
      }
    }
  }

 private:
  void Emit(int place) {
    out_ += value_.DigitAt(place);
    if (s_.grouping && place > 0 && place % 3 == 0) out_ += ',';
  }

  int LastSignificantDecimal() const {
    for (int j = s_.decimals - 1; j >= 0; --j) {
      if (value_.DigitAt(-(j + 1)) != '0') return j;
    }
    return -1;
  }

  const Section& s_;
  const Decimal& value_;
  std::string& out_;
};

// An empty mask: the value with up to 15 significant digits.
std::string GeneralNumber(double value) {
  char text[40];
  const auto result = std::to_chars(text, text + sizeof text, value,
                                    std::chars_format::general, kSignificant);
  std::string out(text, result.ptr);
  std::replace(out.begin(), out.end(), 'e', 'E');
  return out;
}

}  // namespace

std::string Format(double value, std::string_view mask) {
  if (mask.empty() || !std::isfinite(value)) return GeneralNumber(value);

  std::array<Section, 3> sections;
  std::size_t count = 0;
  for (std::size_t from = 0; count < sections.size();) {
    const std::size_t semicolon = mask.find(';', from);
    sections[count++] = Parse(mask.substr(from, semicolon - from));
    if (semicolon == std::string_view::npos) break;
    from = semicolon + 1;
  }

  const bool negative = value < 0;
  const Section* section = &sections[0];
  if (negative && count >= 2 && !sections[1].text.empty()) section = &sections[1];
  bool minus = negative && section == &sections[0];
  Decimal decimal(std::fabs(value), section->decimals);
  if (decimal.IsZero()) {  // zero, or a value that rounds to zero
    section = count >= 3 && !sections[2].text.empty() ? &sections[2] : &sections[0];
    minus = false;
    decimal = Decimal();
  }

  std::string out;
  out.reserve(section->text.size() + 8);
  if (minus) out += '-';
  Renderer(*section, decimal, out).Run();
  return out;
}

}  // namespace morvane::text
