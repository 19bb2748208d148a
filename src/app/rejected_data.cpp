#include "app/rejected_data.h"

#include <cerrno>
#include <system_error>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {

constexpr std::size_t kMaxRecordShown = 1000;

[[noreturn]] void Fail(const char* what, const std::filesystem::path& path) {
  throw std::filesystem::filesystem_error(what, path,
                                          std::error_code(errno, std::generic_category()));
}

}  // namespace

RejectedData::RejectedData(std::filesystem::path path) : path_(std::move(path)) {
  files::RemoveFileIfExists(path_);
  file_ = std::fopen(path_.c_str(), "wb");
  if (!file_) Fail("cannot create the rejected-data file", path_);
}

RejectedData::~RejectedData() { Close(); }

void RejectedData::Write(std::string_view data_set, std::int64_t line, std::string_view reason,
                         std::string_view record) {
  if (!file_) return;
  std::string out;
  out.reserve(data_set.size() + reason.size() + record.size() + 32);
  out.append(data_set).append("\tline ").append(std::to_string(line)).append("\t");
  out.append(reason).append("\t");
  if (text::Length(record) > kMaxRecordShown) {
    out.append(text::Left(record, kMaxRecordShown)).append(" ...");
  } else {
    out.append(record);
  }
  out.push_back('\n');
  if (std::fwrite(out.data(), 1, out.size(), file_) != out.size() || std::fflush(file_) != 0)
    Fail("cannot write the rejected-data file", path_);
  ++count_;
}

void RejectedData::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace morvane::app
