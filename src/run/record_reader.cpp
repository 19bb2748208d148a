#include "run/record_reader.h"

#include "platform/text/text.h"

namespace morvane::engine {
namespace {

constexpr std::string_view kEndMark = "|^|";
constexpr std::string_view kJoint = " \\n ";

bool OnlyBlanksAndTabs(std::string_view s) {
  for (char c : s)
    if (!text::IsBlankOrTab(c)) return false;
  return true;
}

}  // namespace

std::string TrimBlanksAndTabs(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && text::IsBlankOrTab(s[b])) ++b;
  while (e > b && text::IsBlankOrTab(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

bool EndsRecord(std::string_view line, std::size_t* body_end) {
  std::size_t e = line.size();
  while (e > 0 && (text::IsBlankOrTab(line[e - 1]) || line[e - 1] == '\r')) --e;
  if (e < kEndMark.size() || line.substr(e - kEndMark.size(), kEndMark.size()) != kEndMark)
    return false;
  if (body_end) *body_end = e - kEndMark.size();
  return true;
}

RecordReader::RecordReader(files::LineReader& lines, std::size_t max_record)
    : lines_(lines), max_record_(max_record) {}

bool RecordReader::ReadLine(std::string& line) {
  const auto status = lines_.ReadLine(raw_);
  if (status == files::LineReader::Status::kEnd) return false;
  line_too_long_ = status == files::LineReader::Status::kTooLong;
  record_bytes_ += raw_.size();
  if (text::IsAscii(raw_)) {
    line.swap(raw_);
  } else if (!lines_.Utf8ByteOrderMark()) {
    line = text::Cp1252ToUtf8(raw_);
  } else if (text::IsUtf8(raw_)) {
    line.swap(raw_);
  } else {
    not_utf8_ = true;
    line = text::ReplaceInvalidUtf8(raw_);
  }
  return true;
}

bool RecordReader::LineEndsRecord(const std::string& line) const {
  return EndsRecord(line_too_long_ ? lines_.TooLongTail() : line);
}

void RecordReader::SkipToEndMark(std::string& line) {
  // The lines of an over-long record after its head are not records of
  // their own: reading resumes after the line that holds its end mark.
  while (!LineEndsRecord(line))
    if (!ReadLine(line)) return;
}

RecordReader::Result RecordReader::Next(std::string& record) {
  record.clear();
  not_utf8_ = false;
  record_bytes_ = 0;
  std::string& line = line_;
  if (!ReadLine(line)) return Result::kEnd;
  first_line_ = lines_.LineNumber();

  // Every line is trimmed of blanks (tabs inside the text are data); a line
  // of nothing but blanks and tabs is an empty line between records, at any
  // length.
  if (line_too_long_ ? lines_.TooLongTail().empty() : OnlyBlanksAndTabs(line))
    return Result::kEmptyLine;
  record.assign(text::TrimView(line));

  std::size_t body_end = 0;
  while (true) {
    if (line_too_long_ || record_bytes_ > max_record_) {
      SkipToEndMark(line);
      return Result::kTooLong;
    }
    if (EndsRecord(record, &body_end)) {
      record.resize(body_end);
      return not_utf8_ ? Result::kNotUtf8 : Result::kRecord;
    }
    if (!ReadLine(line)) return Result::kUnterminated;
    record += kJoint;
    record += text::TrimView(line);
  }
}

}  // namespace morvane::engine
