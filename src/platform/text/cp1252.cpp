// Windows-1252 to UTF-8.
//
// Data set files are decoded field by field, so the common all-ASCII text
// is detected eight bytes at a time and copied unchanged; other texts are
// sized exactly first and then filled from a table without further checks.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of 0x80..0xFF is Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

struct Encoded {
  unsigned char size;
  char bytes[3];
};

constexpr std::array<Encoded, 128> MakeTable() {
  std::array<Encoded, 128> table{};
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char16_t c = b < 0xA0 ? kHigh[b - 0x80] : static_cast<char16_t>(b);
    Encoded& e = table[b - 0x80];
    if (c < 0x800) {
      e.size = 2;
      e.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
      e.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      e.size = 3;
      e.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
      e.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      e.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return table;
}

constexpr std::array<Encoded, 128> kTable = MakeTable();

}  // namespace

bool IsAscii(std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ULL) return false;
  }
  for (; n > 0; ++p, --n) {
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::size_t size = 0;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    size += b < 0x80 ? 1 : kTable[b - 0x80].size;
  }
  std::string out(size, '\0');
  char* q = out.data();
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      *q++ = c;
    } else {
      const Encoded& e = kTable[b - 0x80];
      for (int i = 0; i < e.size; ++i) *q++ = e.bytes[i];
    }
  }
  return out;
}

}  // namespace morvane::text
