#include "convert/qd_key.h"

#include <charconv>

namespace morvane::convert {

// Made on every query row for several keys: written digit by digit rather
// than through the general number format, which parses its mask each time.
std::string ZeroPadded(std::int64_t value, std::size_t width) {
  const std::uint64_t magnitude =
      value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  std::string out = value < 0 ? "-" : "";
  if (length < width) out.append(width - length, '0');
  out.append(digits, length);
  return out;
}

}  // namespace morvane::convert
