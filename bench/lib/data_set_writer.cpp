#include "bench/lib/data_set_writer.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace morvane::bench {
namespace {

constexpr std::size_t kFileBuffer = 1 << 16;

std::runtime_error WriteError(const std::filesystem::path& path) {
  return std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
}

}  // namespace

std::string FixedText(double value, int decimals) {
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) throw std::logic_error("number too long to write");
  std::string text(buffer, end);
  if (text.starts_with("-") && text.find_first_not_of("-0.") == std::string::npos)
    text.erase(0, 1);  // -0.0 is written 0.0
  return text;
}

DataSetWriter::DataSetWriter(const std::filesystem::path& path, const DataSetLayout& layout)
    : layout_(layout),
      path_(path),
      file_(std::fopen(path.c_str(), "wb")),
      eol_(layout.line_end == LineEnd::kCrLf ? "\r\n" : "\n") {
  if (!file_) throw WriteError(path);
  std::setvbuf(file_, nullptr, _IOFBF, kFileBuffer);
}

DataSetWriter::~DataSetWriter() {
  if (file_) std::fclose(file_);
}

DataSetWriter& DataSetWriter::Begin() {
  record_.clear();
  pieces_ = 0;
  return *this;
}

void DataSetWriter::Separate() {
  if (pieces_++ > 0) record_ += '|';
}

DataSetWriter& DataSetWriter::Text(std::string_view piece) {
  if (piece.find_first_of("|\r\n") != std::string_view::npos)
    throw std::logic_error(layout_.file + ": a piece holds a bar or a line end: " +
                           std::string(piece));
  Separate();
  record_ += piece;
  return *this;
}

DataSetWriter& DataSetWriter::Num(std::int64_t value) {
  Separate();
  record_ += std::to_string(value);
  return *this;
}

DataSetWriter& DataSetWriter::Fixed(double value, int decimals) {
  Separate();
  record_ += FixedText(value, decimals);
  return *this;
}

DataSetWriter& DataSetWriter::Lines(std::span<const std::string> lines) {
  Separate();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find_first_of("|\r\n") != std::string::npos)
      throw std::logic_error(layout_.file + ": a line holds a bar or a line end");
    if (i > 0) record_ += eol_;
    record_ += lines[i];
  }
  return *this;
}

void DataSetWriter::End() {
  if (layout_.splitting == Splitting::kBars && pieces_ != layout_.pieces)
    throw std::logic_error(layout_.file + ": a record of " + std::to_string(pieces_) +
                           " pieces instead of " + std::to_string(layout_.pieces));
  record_ += "|^|";
  record_ += eol_;
  Put(record_);
  if (++records_ == 1) PutBadRecords();
}

void DataSetWriter::AddBadRecord(std::string body, bool terminated) {
  if (!terminated)
    unterminated_ = std::move(body);
  else if (records_ > 0)
    throw std::logic_error(layout_.file + ": a bad record after the first good one");
  else
    bad_records_.push_back(std::move(body));
}

void DataSetWriter::PutBadRecords() {
  for (const std::string& body : bad_records_) {
    Put(body);
    Put("|^|");
    Put(eol_);
  }
  bad_records_.clear();
}

void DataSetWriter::Put(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) throw WriteError(path_);
}

void DataSetWriter::Close() {
  if (!file_) return;
  PutBadRecords();
  if (unterminated_) Put(*unterminated_);
  const bool failed = std::ferror(file_) != 0;
  const bool close_failed = std::fclose(file_) != 0;
  file_ = nullptr;
  if (failed || close_failed) throw WriteError(path_);
}

}  // namespace morvane::bench
