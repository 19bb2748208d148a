// The frequency data sets' own conversions, as pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane::loaders {

// The transmit/receive letter of a freq.dat record: the trimmed mode ("R"
// when empty), replaced by the letter of every band that holds both
// frequencies (MHz, limits included; where two bands hold them, the later
// one). Bands: 1525-1610 R, 1610-1660 T, 3700-4200 R, 5925-6425 T,
// 10700-12200 R, 14000-14500 T.
std::string TransmitReceiveLetter(std::string_view trimmed_mode, double lower, double upper);

// The EIRP text of freq.dat: "0000.0" for 0 and above, "000.0" (so "-012.3")
// below 0, and "-999.0" for -999 and below.
std::string EirpText(double eirp);

// The EIRP text of freq_fx.dat: as EirpText, without the floor at -999.
std::string SignedEirpText(double eirp);

// The horizon density of freq_coord.dat: mask "0000.0;-000.0; " from -999
// to 9999 inclusive; no value outside (the field stays Null).
std::optional<std::string> DensityText(double density);

}  // namespace morvane::loaders
