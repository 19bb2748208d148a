// Settings files are small: each call reads the whole file, and a write
// builds the new text in memory and puts it in place with one rename, so a
// crash or a full disk never leaves half a file. Lines that are not the key
// being written (comments, blank lines, lines the program does not know) are
// copied byte for byte. New lines take the file's own line end: CRLF when
// its first line ends in CRLF, else LF.
#include "platform/profile/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::profile {
namespace fs = std::filesystem;
namespace {

bool StartsWithBom(std::string_view s) { return s.starts_with("\xEF\xBB\xBF"); }

struct Line {
  std::string_view text;  // without its line end
  std::string_view end;   // "\n", "\r\n" or "" (the last line)
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t from = 0;
  while (from < content.size()) {
    const std::size_t lf = content.find('\n', from);
    if (lf == std::string_view::npos) {
      lines.push_back({content.substr(from), {}});
      break;
    }
    std::size_t text_end = lf;
    if (text_end > from && content[text_end - 1] == '\r') --text_end;
    lines.push_back({content.substr(from, text_end - from),
                     content.substr(text_end, lf + 1 - text_end)});
    from = lf + 1;
  }
  if (!lines.empty() && StartsWithBom(lines.front().text)) {
    lines.front().text.remove_prefix(3);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The name of a "[Section]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const std::size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// A "key=value" line; comments (";") and lines without "=" are not keys.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  const std::size_t equals = t.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = TrimBlanks(t.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, TrimBlanks(t.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where a section and a key stand among the lines.
struct Place {
  std::optional<std::size_t> section;   // the "[Section]" line
  std::optional<std::size_t> key;       // the key's line
  std::size_t last_key = 0;             // last key line of the section (or its header)
};

Place Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionName(lines[i].text)) {
      if (place.section) break;  // the section has ended
      if (text::EqualsIgnoreCase(*name, section)) place.section = place.last_key = i;
      continue;
    }
    if (!place.section) continue;
    if (const auto entry = ParseKeyLine(lines[i].text)) {
      place.last_key = i;
      if (!place.key && text::EqualsIgnoreCase(entry->key, key)) place.key = i;
    }
  }
  return place;
}

std::optional<std::string> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(content).str();
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes `content` beside `target` and renames it over `target`.
bool ReplaceFile(const fs::path& target, std::string_view content, mode_t mode) {
  std::string temp =
      (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, content) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(temp.c_str(), target.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

bool Writable(std::string_view s) {
  return s.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

std::string GetString(std::string_view section, std::string_view key, std::string_view fallback,
                      std::size_t buffer_size, const fs::path& file) {
  if (buffer_size == 0) return {};
  std::string_view value = fallback;
  std::optional<std::string> content;
  if (const auto resolved = files::Resolve(file)) content = ReadAll(*resolved);
  std::vector<Line> lines;
  if (content) {
    lines = SplitLines(*content);
    const Place place = Find(lines, TrimBlanks(section), TrimBlanks(key));
    if (place.key) value = Unquote(ParseKeyLine(lines[*place.key].text)->value);
  }
  return text::Left(value, buffer_size - 1);
}

bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                 const fs::path& file) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (key.empty() || !Writable(section) || !Writable(key) || !Writable(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      key.front() == ';' || key.front() == '[') {
    return false;
  }

  fs::path target = files::ResolveForWrite(file);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {  // replace the file it points to
    target = fs::canonical(target, ec);
    if (ec) return false;
  }
  std::string old_content;
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return false;
    auto content = ReadAll(target);
    if (!content) return false;
    old_content = std::move(*content);
    mode = st.st_mode & 07777;
  }

  const std::vector<Line> lines = SplitLines(old_content);
  const std::string_view newline =
      !lines.empty() && lines.front().end == "\r\n" ? std::string_view("\r\n") : "\n";
  const std::string entry = std::string(key) + "=" + std::string(value);
  const Place place = Find(lines, section, key);

  std::string out;
  out.reserve(old_content.size() + entry.size() + section.size() + 8);
  if (!lines.empty() && StartsWithBom(old_content)) out += "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (place.key && i == *place.key) {
      out.append(ParseKeyLine(lines[i].text)->key).append("=").append(value);
    } else {
      out.append(lines[i].text);
    }
    out.append(lines[i].end);
    const bool insert_here = place.section && !place.key && i == place.last_key;
    const bool append_after_last = !place.section && i + 1 == lines.size();
    if ((insert_here || append_after_last) && lines[i].end.empty()) out.append(newline);
    if (insert_here) out.append(entry).append(newline);
  }
  if (!place.section) {
    out.append("[").append(section).append("]").append(newline);
    out.append(entry).append(newline);
  }
  return ReplaceFile(target, out, mode);
}

}  // namespace morvane::profile
