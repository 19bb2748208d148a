// The number part of the keys that the earth-station conversion makes:
// "QD" and a whole-number staging key in ten digits, or a minus sign and
// nine digits for a negative one (QD0000012345, QD-000000077). The path,
// antenna and location keys all start this way.
#pragma once

#include <cstdint>
#include <string>

#include "platform/text/text.h"

namespace morvane::convert {

inline std::string QdKey(std::int64_t key) {
  return "QD" + text::Trim(text::Format(static_cast<double>(key), "0000000000;-000000000;0000000000"));
}

}  // namespace morvane::convert
