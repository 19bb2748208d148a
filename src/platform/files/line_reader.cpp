#include "platform/files/line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/files/files.h"

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

[[noreturn]] void ThrowOpenError(const fs::path& path, std::error_code ec) {
  throw fs::filesystem_error("cannot open the file", path, ec);
}

}  // namespace

LineReader::LineReader(const fs::path& path, std::size_t max_line) : max_line_(max_line) {
  const auto resolved = Resolve(path);
  if (!resolved) ThrowOpenError(path, std::make_error_code(std::errc::no_such_file_or_directory));
  std::error_code ec;
  if (fs::is_directory(*resolved, ec)) {
    ThrowOpenError(*resolved, std::make_error_code(std::errc::is_a_directory));
  }
  file_ = std::fopen(resolved->c_str(), "rb");
  if (file_ == nullptr) ThrowOpenError(*resolved, std::error_code(errno, std::generic_category()));
  struct stat st {};
  if (::fstat(::fileno(file_), &st) != 0) {
    const std::error_code stat_error(errno, std::generic_category());
    std::fclose(file_);
    ThrowOpenError(*resolved, stat_error);
  }
  file_length_ = static_cast<std::int64_t>(st.st_size);
  // The reader buffers for itself; stdio's own buffer would only add a copy.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.resize(kBufferSize);
}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::Fill() {
  if (eof_) return false;
  const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (got == 0) {
    if (std::ferror(file_)) {
      throw std::system_error(errno, std::generic_category(), "cannot read the file");
    }
    eof_ = true;
    return false;
  }
  pos_ = 0;
  end_ = got;
  return true;
}

bool LineReader::AtEnd() { return pos_ == end_ && !Fill(); }

LineReader::Status LineReader::ReadLine(std::string& line) {
  line.clear();
  std::size_t length = 0;  // bytes of the line seen, line end excluded
  char last = '\0';
  bool any = false;
  bool ended_by_lf = false;
  while (pos_ < end_ || Fill()) {
    any = true;
    const char* start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t n = lf != nullptr ? static_cast<std::size_t>(lf - start) : available;
    if (line.size() < max_line_) line.append(start, std::min(n, max_line_ - line.size()));
    if (n > 0) last = start[n - 1];
    length += n;
    pos_ += n;
    bytes_consumed_ += static_cast<std::int64_t>(n);
    if (lf != nullptr) {
      ++pos_;
      ++bytes_consumed_;
      ended_by_lf = true;
      break;
    }
  }
  if (!any) return Status::kEnd;
  ++line_number_;
  if (ended_by_lf && length > 0 && last == '\r') --length;
  if (length > max_line_) {
    line.resize(max_line_);
    return Status::kTooLong;
  }
  line.resize(length);
  return Status::kLine;
}

}  // namespace morvane::files
