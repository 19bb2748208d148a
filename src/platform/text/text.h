// Text helpers with the semantics the conversion rules are written in.
//
// Texts are UTF-8. Lengths and positions count characters (code points), not
// bytes, because field sizes count characters. Positions are 1-based where
// the rules use them (Mid, InStr).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace morvane::text {

// Removes blanks (the space character only; tabs stay) at both ends / the
// left end / the right end.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// As Trim, as a view into `s` (no copy; valid as long as `s`'s text).
std::string_view TrimView(std::string_view s);
// A blank or a tab: what pads the lines and records of a data set file. The
// line reader and the record reader must agree on it.
inline bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

std::size_t Length(std::string_view s);  // characters

// The first n characters (the whole text when it is shorter).
std::string Left(std::string_view s, std::size_t n);
// The last n characters.
std::string Right(std::string_view s, std::size_t n);
// n characters from the 1-based character position `start` (all the rest
// when n is npos). A start past the end gives ""; a start of 0 counts as 1
// (here and in InStr).
std::string Mid(std::string_view s, std::size_t start,
                std::size_t n = std::string_view::npos);

// 1-based character position of the first `needle` at or after `start`,
// without regard to letter case; 0 when absent. An empty needle is found at
// `start` (when start <= Length(hay) + 1).
std::size_t InStr(std::string_view hay, std::string_view needle,
                  std::size_t start = 1);

// Letter case of ASCII letters and of the letters of Windows-1252 (as UTF-8).
std::string ToLower(std::string_view s);
std::string ToUpper(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The numeric value of a text: blanks, tabs and line feeds anywhere are
// ignored; then an optional sign, digits, at most one "." and digits, and an
// optional exponent (E or e, optional sign, digits) are read from the start;
// reading stops at the first character that cannot continue the number.
// "12.5 dBW" -> 12.5, "1 23" -> 123, "3,5" -> 3, "N/A" -> 0, "" -> 0.
double Val(std::string_view s);

// Formats `value` with a number mask: one to three sections separated by
// ";" (positive; negative; zero). "0" a digit always shown, "#" a digit shown
// when significant, "." the decimal point, "," between digit placeholders
// asks for "," between groups of three integer digits; other characters are
// shown as they stand. With one section a negative value gets a leading "-";
// with two or three, the negative section formats the absolute value. The
// value is rounded to the section's decimals, halves away from zero, on the
// decimal value ("0.0" of 12.25 is "12.3"); integer digits beyond the mask
// are all shown. A non-zero value that rounds to zero takes the zero section
// when there is one, else it is shown as zero by the first section, without
// a minus. An empty mask, infinity and NaN give the plain number ("12.5",
// "1E+20", "inf", "nan").
std::string Format(double value, std::string_view mask);

// A date and time of day in local time, as the conversion rules use them.
struct DateTime {
  int year = 1900;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;

  static DateTime Now();  // the local clock
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The platform's general date and time text: "3/22/2013 10:15:30 AM"
// (month/day/year without leading zeros, 12-hour clock, the hour without a
// leading zero, minutes and seconds with two digits, AM or PM).
std::string GeneralDateTime(const DateTime& t);

// Decodes Windows-1252 bytes to UTF-8. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control
// characters of the same number, so no byte is lost.
std::string Cp1252ToUtf8(std::string_view bytes);
// True when every byte is ASCII (the common case, which needs no decoding).
bool IsAscii(std::string_view bytes);
// True when the bytes are well-formed UTF-8.
bool IsUtf8(std::string_view bytes);
// The bytes with every sequence that is not well-formed UTF-8 replaced by
// U+FFFD, so that a text that cannot be stored can still be shown.
std::string ReplaceInvalidUtf8(std::string_view bytes);

bool EndsWith(std::string_view s, std::string_view suffix);
bool StartsWith(std::string_view s, std::string_view prefix);

}  // namespace morvane::text
