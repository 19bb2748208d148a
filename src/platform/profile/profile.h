// Settings files of sections and keys:
//
//   [Section]
//   Key=Value
//
// read and written one key at a time. Section and key names match without
// regard to case; values are stored as given.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::profile {

// The value of `key` in `section` of `file`, with blanks and tabs around it
// removed (and one pair of matching quotes around the whole value). When the
// file, the section or the key is missing, `fallback` instead. Either way the
// result is cut to `buffer_size` - 1 characters, as a fixed buffer of that
// size would hold it (buffer_size 0 gives "").
std::string GetString(std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t buffer_size,
                      const std::filesystem::path& file);

// Writes one key: replaces the value of an existing key in place, or adds
// the key after the last key of its section, or adds the section (with the
// key) at the end of the file; creates the file when it is missing. Every
// other line is kept as it was. Returns false when the file cannot be
// written, and for what the file could not hold (a line break anywhere, "="
// in the key, "]" in the section, an empty key). The file is replaced
// atomically, so a failed write leaves the old one.
bool WriteString(std::string_view section, std::string_view key,
                 std::string_view value, const std::filesystem::path& file);

}  // namespace morvane::profile
