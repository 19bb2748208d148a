// Dates of the export: "Jan  5 2010" (a three-letter English month, a
// blank, the day right-aligned in two characters, a blank, a four-digit
// year; anything after the year, such as a time, is ignored) become the
// eight characters of year, month and day: "20100105".
#pragma once

#include <string>
#include <string_view>

namespace morvane::engine {

// Year (characters 8-11, as many as there are), month and day of `date`;
// "" for an empty text. The month is "01" to "12" for the twelve names
// (letter case counts) and the three characters as they stand otherwise.
// The day is characters 5-6 trimmed, with a "0" put in front when its
// numeric value is below 10 and it is not two characters beginning with "0" (so
// "Jan 05 2010" gives 20100105 like "Jan  5 2010"). The result is not
// checked: "Jan 32 2010" gives 20100132, "Jan  x 2010" 2010010x, and
// "Foo 12 2001" the nine characters 2001Foo12, which no date field takes.
std::string ConvertDate(std::string_view date);

}  // namespace morvane::engine
