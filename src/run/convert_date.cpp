#include "run/convert_date.h"

#include <array>

#include "platform/text/text.h"

namespace morvane::engine {
namespace {

constexpr std::array<std::string_view, 12> kMonths = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kMonthNumbers = {
    "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};

}  // namespace

std::string ConvertDate(std::string_view date) {
  if (date.empty()) return std::string();

  // Month in characters 1-3, day in 5-6, year in 8-11.
  std::string result = text::Mid(date, 8, 4);
  const std::string month = text::Mid(date, 1, 3);
  std::string_view month_digits = month;
  for (std::size_t i = 0; i < kMonths.size(); ++i)
    if (month == kMonths[i]) month_digits = kMonthNumbers[i];
  result += month_digits;

  const std::string day = text::Trim(text::Mid(date, 5, 2));
  const bool zero_padded = day.size() == 2 && day[0] == '0';
  if (text::Val(day) < 10 && !zero_padded) result += '0';
  result += day;
  return result;
}

}  // namespace morvane::engine
