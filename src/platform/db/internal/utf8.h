// Character counting for UTF-8 texts: field sizes count characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace morvane::db::internal {

// The number of code points: every byte that does not continue a sequence
// (10xxxxxx) starts one.
inline std::size_t CountCharacters(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

}  // namespace morvane::db::internal
