#include "platform/files/line_reader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

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

// Reads up to n bytes into the buffer at `at`; 0 at the end of the file.
std::size_t LineReader::Read(std::size_t at, std::size_t n) {
  if (eof_) return 0;
  const std::size_t got = std::fread(buffer_.data() + at, 1, n, file_);
  if (got == 0) {
    if (std::ferror(file_)) {
      throw std::system_error(errno, std::generic_category(), "cannot read the file");
    }
    eof_ = true;
  }
  return got;
}

bool LineReader::Fill() {
  const std::size_t got = Read(0, buffer_.size());
  if (got == 0) return false;
  pos_ = 0;
  end_ = got;
  next_lf_ = kUnknown;
  if (at_file_start_) SkipByteOrderMarks();
  return pos_ < end_;
}

// Some exporters write the mark more than once: every mark that opens the
// file is a mark, also one that the end of a fill splits. A fill that ends
// in what may be the start of a mark is completed with the bytes after it
// before it is judged.
void LineReader::SkipByteOrderMarks() {
  while (true) {
    const std::string_view rest(buffer_.data() + pos_, end_ - pos_);
    if (rest.starts_with(kUtf8ByteOrderMark)) {
      byte_order_mark_ = true;
      pos_ += kUtf8ByteOrderMark.size();
      bytes_consumed_ += static_cast<std::int64_t>(kUtf8ByteOrderMark.size());
      continue;
    }
    if (rest.size() >= kUtf8ByteOrderMark.size() || !kUtf8ByteOrderMark.starts_with(rest)) break;
    std::memmove(buffer_.data(), rest.data(), rest.size());
    pos_ = 0;
    end_ = rest.size();
    const std::size_t got = Read(end_, buffer_.size() - end_);
    if (got == 0) break;  // the file ends in part of a mark: that is text
    end_ += got;
  }
  at_file_start_ = false;
}

bool LineReader::AtEnd() { return pos_ == end_ && !Fill(); }

// Keeps the end of the part of an over-long line that ReadLine does not
// return (its segments in turn): the last bytes before the blanks and tabs
// that end it so far in tail_, those blanks and tabs (their last
// kTailSize) in tail_blanks_. Blanks between text are text: they join
// tail_ when text follows them, in a later segment too.
void LineReader::KeepTail(const char* segment, std::size_t n) {
  std::size_t text_end = n;
  while (text_end > 0 && text::IsBlankOrTab(segment[text_end - 1])) --text_end;
  if (text_end > 0) {
    tail_ += tail_blanks_;
    tail_blanks_.clear();
    const std::size_t take = std::min(text_end, kTailSize);
    tail_.append(segment + text_end - take, take);
    if (tail_.size() > kTailSize) tail_.erase(0, tail_.size() - kTailSize);
  }
  const std::size_t take = std::min(n - text_end, kTailSize);
  tail_blanks_.append(segment + n - take, take);
  if (tail_blanks_.size() > kTailSize) tail_blanks_.erase(0, tail_blanks_.size() - kTailSize);
}

// Completes the tail of an over-long line from the bytes that ReadLine
// returns (`head`) when the part after them holds fewer than kTailSize
// bytes before its trailing blanks and tabs; those are trailing too when
// that part holds nothing else.
void LineReader::CompleteTail(std::string_view head) {
  tail_blanks_.clear();
  if (tail_.size() >= kTailSize) return;
  if (tail_.empty()) {
    while (!head.empty() && text::IsBlankOrTab(head.back())) head.remove_suffix(1);
  }
  const std::size_t take = std::min(head.size(), kTailSize - tail_.size());
  tail_.insert(0, head.substr(head.size() - take));
}

LineReader::Status LineReader::ReadLine(std::string& line) {
  line.clear();
  tail_.clear();
  std::size_t length = 0;  // bytes of the line seen, line end excluded
  bool any = false;
  while (pos_ < end_ || Fill()) {
    any = true;
    const char* start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    // The line ends at the first LF or CR; memchr twice beats a byte loop.
    // The next LF is remembered: a file with CR line ends only would
    // otherwise have the rest of the buffer searched again for every line.
    if (next_lf_ < pos_ || next_lf_ > end_) {
      const auto* found = static_cast<const char*>(std::memchr(start, '\n', available));
      next_lf_ = found != nullptr ? static_cast<std::size_t>(found - buffer_.data()) : end_;
    }
    const char* lf = next_lf_ < end_ ? buffer_.data() + next_lf_ : nullptr;
    const std::size_t before_lf = next_lf_ - pos_;
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', before_lf));
    const char* stop = cr != nullptr ? cr : lf;
    const std::size_t n = stop != nullptr ? static_cast<std::size_t>(stop - start) : available;
    const std::size_t kept = std::min(n, max_line_ - line.size());
    line.append(start, kept);
    if (kept < n) KeepTail(start + kept, n - kept);
    length += n;
    pos_ += n;
    bytes_consumed_ += static_cast<std::int64_t>(n);
    if (stop != nullptr) {
      ++pos_;
      ++bytes_consumed_;
      if (cr != nullptr) SkipLfAfterCr();
      break;
    }
  }
  if (!any) return Status::kEnd;
  ++line_number_;
  if (length <= max_line_) return Status::kLine;
  CompleteTail(line);
  return Status::kTooLong;
}

// A CR LF pair is one line end: the LF after a CR is part of it, also when
// it comes with the next fill of the buffer (the line is copied out by then).
void LineReader::SkipLfAfterCr() {
  if (pos_ == end_ && !Fill()) return;
  if (buffer_[pos_] == '\n') {
    ++pos_;
    ++bytes_consumed_;
  }
}

}  // namespace morvane::files
