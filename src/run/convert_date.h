// Dates of the export: "Jan  5 2010" (a three-letter English month, a
// blank, the day right-aligned in two characters, a blank, a four-digit
// year; anything after the year, such as a time, is ignored) become the
// eight characters of year, month and day: "20100105".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane::engine {

// "" for an empty text. nullopt for a date that cannot be read: a month
// other than the twelve names (letter case counts), a day that is not a
// number from 1 to 31 (a leading zero is fine: "Jan 05 2010"), or a year
// that is not four digits.
std::optional<std::string> ConvertDate(std::string_view date);

}  // namespace morvane::engine
