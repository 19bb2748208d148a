#include "bench/lib/export_check.h"

#include <stdexcept>
#include <string_view>

namespace morvane::bench {
namespace {

constexpr std::string_view kEndMark = "|^|";
constexpr std::size_t kReasonsKept = 10;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsBlankLine(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

// Strips the end mark (and what may follow it) when the text ends a record.
bool StripEndMark(std::string& text) {
  std::size_t e = text.size();
  while (e > 0 && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r')) --e;
  if (e < kEndMark.size() || std::string_view(text).substr(e - kEndMark.size(), 3) != kEndMark)
    return false;
  text.resize(e - kEndMark.size());
  return true;
}

}  // namespace

ExportReader::ExportReader(const std::filesystem::path& path)
    : file_(std::fopen(path.c_str(), "rb")) {
  if (!file_) throw std::runtime_error("cannot open " + path.string());
}

ExportReader::~ExportReader() { std::fclose(file_); }

bool ExportReader::ReadLine(std::string& line) {
  line.clear();
  int c;
  // getc_unlocked: the reader is used by one thread, and the locking getc
  // costs more than the rest of the check.
  while ((c = getc_unlocked(file_)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) return false;
  ++line_number_;
  if (c == '\n') {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      ++crlf_lines_;
    } else {
      ++lf_lines_;
    }
  }
  return true;
}

bool ExportReader::Next(ExportRecord& record) {
  std::string line;
  do {
    if (!ReadLine(line)) return false;
  } while (IsBlankLine(line));

  record.text.assign(TrimBlanks(line));
  record.first_line = line_number_;
  record.lines = 1;
  record.terminated = true;
  while (!StripEndMark(record.text)) {
    if (!ReadLine(line)) {
      record.terminated = false;
      return true;
    }
    record.text += " \\n ";
    record.text += TrimBlanks(line);
    ++record.lines;
  }
  return true;
}

std::vector<FileReport> CheckExport(const std::filesystem::path& dir) {
  std::vector<FileReport> reports;
  for (const DataSetLayout& layout : DataSetLayouts()) {
    FileReport report;
    report.file = layout.file;
    const std::filesystem::path path = dir / layout.file;
    report.present = std::filesystem::is_regular_file(path);
    if (report.present) {
      report.bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
      ExportReader reader(path);
      ExportRecord record;
      while (reader.Next(record)) {
        ++report.records;
        if (record.lines > 1) ++report.multi_line;
        std::optional<std::string> reason;
        if (!record.terminated)
          reason = "no end mark before the end of the file";
        else
          reason = CheckRecord(layout, record.text);
        if (reason) {
          ++report.rejected;
          if (report.reasons.size() < kReasonsKept)
            report.reasons.push_back("line " + std::to_string(record.first_line) + ": " + *reason);
        }
      }
      report.crlf_lines = reader.crlf_lines();
      report.lf_lines = reader.lf_lines();
    }
    reports.push_back(std::move(report));
  }
  return reports;
}

}  // namespace morvane::bench
