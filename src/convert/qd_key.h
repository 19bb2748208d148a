// The number part of the keys that the earth-station conversion makes:
// "QD" and a whole-number staging key in ten digits, or a minus sign and
// nine digits for a negative one (QD0000012345, QD-000000077); a longer
// number keeps all its digits. The path, antenna and location keys all
// start this way.
#pragma once

#include <cstdint>
#include <string>

namespace morvane::convert {

// `value` in decimal, zero-padded on the left to at least `width` digits;
// a negative value has its minus sign before the digits (and the width
// counts the digits only).
std::string ZeroPadded(std::int64_t value, std::size_t width);

inline std::string QdKey(std::int64_t key) {
  return "QD" + ZeroPadded(key, key < 0 ? 9 : 10);
}

}  // namespace morvane::convert
