#include "run/convert_date.h"

#include <array>

#include "platform/text/text.h"

namespace morvane::engine {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::optional<std::string> ConvertDate(std::string_view date) {
  if (date.empty()) return std::string();

  // Month in characters 1-3, day in 5-6, year in 8-11.
  const std::string month_text = text::Mid(date, 1, 3);
  int month = 0;
  for (std::size_t i = 0; i < kMonths.size(); ++i)
    if (month_text == kMonths[i]) month = static_cast<int>(i) + 1;
  if (month == 0) return std::nullopt;

  const std::string day_text = text::Trim(text::Mid(date, 5, 2));
  if (!AllDigits(day_text)) return std::nullopt;
  const int day = std::stoi(day_text);
  if (day < 1 || day > 31) return std::nullopt;

  const std::string year = text::Mid(date, 8, 4);
  if (year.size() != 4 || !AllDigits(year)) return std::nullopt;

  std::string result = year;
  result += static_cast<char>('0' + month / 10);
  result += static_cast<char>('0' + month % 10);
  result += static_cast<char>('0' + day / 10);
  result += static_cast<char>('0' + day % 10);
  return result;
}

}  // namespace morvane::engine
