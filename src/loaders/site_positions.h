// The texts in which a site's elevation and position are stored, and in
// which the site matching and the conversion compare and copy them.
//
// Pure functions of their inputs; a text they make may be longer than its
// field for values outside the usual range (a negative degree, an elevation
// of -999.95 or below), which the loader then refuses to store.
#pragma once

#include <string>
#include <string_view>

namespace morvane::loaders {

// Six characters for elevations from -999.9 to 9999.9: "0012.3",
// "-012.5"; values above 9999.9 are stored as 9999.9.
std::string ElevationText(double elevation);

struct CoordinateTexts {
  std::string dms;      // hemisphere letter, degrees "000", minutes "00", seconds "00.0"
  std::string seconds;  // total seconds, signed: "00140031.5" or "-0277332.5"
};

// `hemisphere` is the trimmed hemisphere piece: north when it begins with
// "N" or "n", south otherwise (an empty piece included). The total is
// degrees * 3600 + minutes * 60 + seconds, from the unrounded values.
CoordinateTexts LatitudeTexts(double degrees, double minutes, double seconds,
                              std::string_view hemisphere);
// The same for longitude: west when the piece begins with "W" or "w",
// east otherwise; west totals carry the minus sign.
CoordinateTexts LongitudeTexts(double degrees, double minutes, double seconds,
                               std::string_view hemisphere);

}  // namespace morvane::loaders
