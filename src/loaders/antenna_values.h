// The antenna data sets' own conversions, as pure functions.
#pragma once

#include <string>
#include <string_view>

namespace morvane::loaders {

// Heights and powers of anten.dat are capped: 9999.9 or more becomes
// 9999.9, so their texts fit six characters from above. No lower bound.
double CapAt9999_9(double value);

// The gain of ant_gain.dat: the numeric value of the first five characters
// of the piece as it stands (leading blanks count among the five), with
// mask "0000.0;-000.0;0000.0", cut to six characters. "12.345" -> "0012.3",
// "-1234.5" -> "-1234.", "" -> "0000.0". Throws Rejected for a number
// too large to read ("9e999").
std::string GainText(std::string_view piece);

}  // namespace morvane::loaders
