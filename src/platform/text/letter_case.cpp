// Letter case for ASCII and for the letters of Windows-1252, which reach us
// as UTF-8: the Latin-1 letters U+00C0..U+00DE / U+00E0..U+00FE (but the
// multiplication and division signs), and the four letter pairs that
// Windows-1252 adds (S/s and Z/z with caron, OE/oe, Y/y with diaeresis).
#include <cstdint>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

char32_t Fold(char32_t c, bool to_lower) {
  if (to_lower) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x160 || c == 0x17D || c == 0x152) return c + 1;
    if (c == 0x178) return 0xFF;
  } else {
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0x161 || c == 0x17E || c == 0x153) return c - 1;
    if (c == 0xFF) return 0x178;
  }
  return c;
}

// Decodes one UTF-8 sequence at s[i]; malformed bytes come through as
// themselves (one byte), so folding never loses text.
char32_t Decode(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return s[i++];
  auto cont = [&](std::size_t k) {
    return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80;
  };
  if ((b0 & 0xE0) == 0xC0 && cont(i + 1)) {
    char32_t c = ((b0 & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
    i += 2;
    return c;
  }
  if ((b0 & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
    char32_t c = ((b0 & 0x0F) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3F) << 6) |
                 (static_cast<unsigned char>(s[i + 2]) & 0x3F);
    i += 3;
    return c;
  }
  ++i;
  return 0x110000 + b0;  // a raw byte, kept apart from real code points
}

void Encode(char32_t c, std::string& out) {
  if (c >= 0x110000) {
    out += static_cast<char>(c - 0x110000);
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Convert(std::string_view s, bool to_lower) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {  // fast path
      char c = s[i++];
      if (to_lower && c >= 'A' && c <= 'Z') c += 32;
      if (!to_lower && c >= 'a' && c <= 'z') c -= 32;
      out += c;
      continue;
    }
    Encode(Fold(Decode(s, i), to_lower), out);
  }
  return out;
}

}  // namespace

std::string ToLower(std::string_view s) { return Convert(s, true); }
std::string ToUpper(std::string_view s) { return Convert(s, false); }

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (Fold(Decode(a, i), true) != Fold(Decode(b, j), true)) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace morvane::text
