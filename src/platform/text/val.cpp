// The numeric value of a text.
//
// The characters that form the number are gathered (without the blanks,
// tabs and line feeds that may stand anywhere) and converted once by
// std::from_chars, which rounds correctly and ignores the locale.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
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

}  // namespace

double Val(std::string_view s) {
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
