// Checking UTF-8 read from a file that says it is UTF-8.
//
// Well formed means what Unicode allows: no overlong form, no surrogate,
// nothing above U+10FFFF, no sequence cut short.
#include <cstddef>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

struct Sequence {
  std::size_t length;  // bytes taken: the whole sequence, or the start of a broken one (at least 1)
  bool valid;
};

// The sequence that starts at s[i]. A broken one takes the bytes that could
// still have begun a valid sequence, so that it shows as one replacement.
Sequence SequenceAt(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) return {1, true};
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // else overlong
    if (lead == 0xED) high = 0x9F;  // else a surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // else overlong
    if (lead == 0xF4) high = 0x8F;  // else above U+10FFFF
  } else {
    return {1, false};
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k == s.size()) return {k, false};
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (b < low || b > high) return {k, false};
    low = 0x80;
    high = 0xBF;
  }
  return {length, true};
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const Sequence seq = SequenceAt(bytes, i);
    if (!seq.valid) return false;
    i += seq.length;
  }
  return true;
}

std::string ReplaceInvalidUtf8(std::string_view bytes) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
  std::string out;
  out.reserve(bytes.size() + 8);
  for (std::size_t i = 0; i < bytes.size();) {
    const Sequence seq = SequenceAt(bytes, i);
    if (seq.valid) {
      out.append(bytes.substr(i, seq.length));
    } else {
      out.append(kReplacement);
    }
    i += seq.length;
  }
  return out;
}

}  // namespace morvane::text
