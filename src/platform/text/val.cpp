// The numeric value of a text.
//
// The characters that form the number are gathered (without the blanks,
// tabs and line feeds that may stand anywhere) and converted once by
// std::from_chars, which rounds correctly and ignores the locale.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

bool Ignored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the text through a cursor that skips the ignored characters.
class Cursor {
 public:
  explicit Cursor(std::string_view s) : s_(s) { Skip(); }
  bool AtEnd() const { return i_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
  void Next() {
    ++i_;
    Skip();
  }

 private:
  void Skip() {
    while (i_ < s_.size() && Ignored(s_[i_])) ++i_;
  }
  std::string_view s_;
  std::size_t i_ = 0;
};

// The number's characters, on the stack for every ordinary number.
class Digits {
 public:
  void Add(char c) {
    if (size_ < kInline) {
      inline_[size_] = c;
    } else {
      if (size_ == kInline) spill_.assign(inline_, kInline);
      spill_ += c;
    }
    ++size_;
  }
  const char* begin() const { return size_ <= kInline ? inline_ : spill_.data(); }
  const char* end() const { return begin() + size_; }

 private:
  static constexpr std::size_t kInline = 64;
  char inline_[kInline];
  std::size_t size_ = 0;
  std::string spill_;
};

// For a value beyond the range of double: the decimal exponent decides
// between overflow (infinity) and underflow (zero).
double OutOfRange(const char* first, const char* last) {
  long magnitude = 0;  // position of the first significant digit
  long exponent = 0;
  bool seen_point = false, significant = false;
  const char* p = first;
  if (*p == '-' || *p == '+') ++p;
  for (; p < last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      seen_point = true;
    } else if (!significant && *p == '0') {
      if (seen_point) --magnitude;
    } else {
      significant = true;
      if (!seen_point) ++magnitude;
    }
  }
  if (p < last) {
    long e = 0;
    const auto [end, ec] = std::from_chars(p + (p[1] == '+' ? 2 : 1), last, e);
    (void)end;
    exponent = ec == std::errc() ? e : (p[1] == '-' ? -1000000 : 1000000);
  }
  const double sign = *first == '-' ? -1.0 : 1.0;
  return magnitude + exponent > 0 ? sign * std::numeric_limits<double>::infinity()
                                  : sign * 0.0;
}

// The common case, a plain decimal such as "12", " -0.5" or "123.25  "
// (nothing ignored inside it): its digits as a whole number below 2^53 and
// a power of ten up to 10^22 are both exact doubles, so their quotient is
// the correctly rounded value, as from_chars would give it. Anything else
// (an exponent, blanks inside, more digits) is left to the general reading.
std::optional<double> PlainDecimal(std::string_view s) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  std::size_t i = 0;
  while (i < s.size() && Ignored(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  std::uint64_t whole = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (IsDigit(c)) {
      if (++digits > 18) return std::nullopt;
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      decimals += point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0 || whole >= kExactLimit || decimals > 22) return std::nullopt;
  if (i < s.size()) {
    // What follows must end the number: no exponent, and blanks only when
    // nothing but blanks follows them.
    const char c = s[i];
    if (c == 'e' || c == 'E' || c == '.') return std::nullopt;
    if (Ignored(c)) {
      while (i < s.size() && Ignored(s[i])) ++i;
      if (i < s.size()) return std::nullopt;
    }
  }
  const double value = static_cast<double>(whole) / kPowers[decimals];
  return negative ? -value : value;
}

}  // namespace

double Val(std::string_view s) {
  if (const std::optional<double> plain = PlainDecimal(s)) return *plain;
  Cursor in(s);
  Digits number;
  if (in.Peek() == '-' || in.Peek() == '+') {
    number.Add(in.Peek());
    in.Next();
  }
  bool any_digit = false;
  while (IsDigit(in.Peek())) {
    number.Add(in.Peek());
    in.Next();
    any_digit = true;
  }
  if (in.Peek() == '.') {
    number.Add('.');
    in.Next();
    while (IsDigit(in.Peek())) {
      number.Add(in.Peek());
      in.Next();
      any_digit = true;
    }
  }
  if (!any_digit) return 0.0;
  if (in.Peek() == 'E' || in.Peek() == 'e') {
    in.Next();
    char sign = '+';
    if (in.Peek() == '-' || in.Peek() == '+') {
      sign = in.Peek();
      in.Next();
    }
    if (IsDigit(in.Peek())) {
      number.Add('e');
      number.Add(sign);
      while (IsDigit(in.Peek())) {
        number.Add(in.Peek());
        in.Next();
      }
    }  // else "1E" alone: the number ends before the E
  }
  // from_chars takes no leading "+".
  const char* first = number.begin();
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, number.end(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) return OutOfRange(first, number.end());
  return value;
}

}  // namespace morvane::text
