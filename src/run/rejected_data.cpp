#include "run/rejected_data.h"

#include <cerrno>
#include <system_error>

#include "platform/files/files.h"
#include "platform/text/text.h"
#include "run/run_context.h"

namespace morvane::engine {
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
  Write(data_set, "line " + std::to_string(line), reason, record);
}

void RejectedData::Write(std::string_view source, std::string_view where, std::string_view reason,
                         std::string_view record) {
  if (!file_) return;
  Append(source, where, reason, record);
  ++count_;
}

void RejectedData::WriteNote(std::string_view source, std::string_view where, std::string_view reason,
                             std::string_view value) {
  if (!file_) return;
  Append(source, where, reason, value);
  ++notes_;
}

void RejectedData::Append(std::string_view source, std::string_view where, std::string_view reason,
                          std::string_view record) {
  std::string out;
  out.reserve(source.size() + where.size() + reason.size() + record.size() + 8);
  out.append(source).append("\t").append(where).append("\t");
  out.append(reason).append("\t");
  if (text::Length(record) > kMaxRecordShown) {
    out.append(text::Left(record, kMaxRecordShown)).append(" ...");
  } else {
    out.append(record);
  }
  out.push_back('\n');
  if (std::fwrite(out.data(), 1, out.size(), file_) != out.size() || std::fflush(file_) != 0)
    Fail("cannot write the rejected-data file", path_);
}

namespace {

RejectedData& RejectedDataOf(RunContext& run, std::string_view source, std::string_view where,
                             std::string_view reason) {
  RejectedData* rejected = run.rejected();
  if (!rejected)
    throw StepError(std::string(source), std::string(where) + ": " + std::string(reason));
  return *rejected;
}

}  // namespace

void RecordRejected(RunContext& run, std::string_view source, std::string_view where,
                    std::string_view reason, std::string_view value) {
  RejectedDataOf(run, source, where, reason).Write(source, where, reason, value);
}

void RecordNoted(RunContext& run, std::string_view source, std::string_view where,
                 std::string_view reason, std::string_view value) {
  RejectedDataOf(run, source, where, reason).WriteNote(source, where, reason, value);
}

void RejectedData::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace morvane::engine
