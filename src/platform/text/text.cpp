// Trimming, character counting and searching in UTF-8 texts.
//
// A character is a lead byte and the continuation bytes (10xxxxxx) that
// follow it, so a stray continuation byte counts with the character before
// it and no cut ever splits a sequence.
#include <cstddef>
#include <string>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the start of character `n` (0-based); s.size() when the
// text has n characters or fewer.
std::size_t OffsetOfChar(std::string_view s, std::size_t n) {
  if (n >= s.size()) return s.size();  // bytes >= characters
  std::size_t i = 0;
  for (; i < s.size(); ++i) {
    if (IsContinuation(s[i])) continue;
    if (n-- == 0) return i;
  }
  return s.size();
}

std::size_t CharsBefore(std::string_view s, std::size_t offset) {
  return Length(s.substr(0, offset));
}

}  // namespace

std::string_view TrimView(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

std::string TrimLeft(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first));
}

std::string TrimRight(std::string_view s) {
  const std::size_t last = s.find_last_not_of(' ');
  if (last == std::string_view::npos) return {};
  return std::string(s.substr(0, last + 1));
}

std::size_t Length(std::string_view s) {
  std::size_t n = 0;
  for (char c : s) n += !IsContinuation(c);
  return n;
}

std::string Left(std::string_view s, std::size_t n) {
  return std::string(s.substr(0, OffsetOfChar(s, n)));
}

std::string Right(std::string_view s, std::size_t n) {
  const std::size_t length = Length(s);
  if (n >= length) return std::string(s);
  return std::string(s.substr(OffsetOfChar(s, length - n)));
}

std::string Mid(std::string_view s, std::size_t start, std::size_t n) {
  if (start == 0) start = 1;
  const std::size_t from = OffsetOfChar(s, start - 1);
  const std::string_view rest = s.substr(from);
  if (n == std::string_view::npos) return std::string(rest);
  return std::string(rest.substr(0, OffsetOfChar(rest, n)));
}

std::size_t InStr(std::string_view hay, std::string_view needle, std::size_t start) {
  if (start == 0) start = 1;
  const std::size_t from = OffsetOfChar(hay, start - 1);
  if (needle.empty()) return start <= Length(hay) + 1 ? start : 0;
  if (from >= hay.size()) return 0;
  // Letter case folding maps every well-formed character to one of the same
  // byte length, so byte offsets in the folded texts are offsets in the
  // originals. Malformed (overlong) sequences can break that; such texts are
  // searched as they stand.
  std::string folded_hay = ToLower(hay);
  std::string folded_needle = ToLower(needle);
  if (folded_hay.size() != hay.size() || folded_needle.size() != needle.size()) {
    folded_hay.assign(hay);
    folded_needle.assign(needle);
  }
  for (std::size_t at = folded_hay.find(folded_needle, from); at != std::string::npos;
       at = folded_hay.find(folded_needle, at + 1)) {
    if (!IsContinuation(folded_hay[at])) return CharsBefore(hay, at) + 1;
  }
  return 0;
}

bool EndsWith(std::string_view s, std::string_view suffix) { return s.ends_with(suffix); }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.starts_with(prefix); }

}  // namespace morvane::text
