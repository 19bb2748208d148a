#include "loaders/parsed_records.h"

#include <exception>

namespace morvane::loaders {

ParsedRecords::ParsedRecords(files::LineReader& lines, RecordConverter converter)
    : lines_(lines), converter_(std::move(converter)), thread_([this] { Produce(); }) {}

ParsedRecords::~ParsedRecords() {
  channel_.Close();
  thread_.join();
}

ParsedPass* ParsedRecords::Next() {
  if (next_ < current_.size()) return &current_[next_++];
  next_ = 0;
  current_.clear();
  if (channel_.Pop(current_)) return &current_[next_++];  // batches are never empty
  std::exception_ptr error = channel_.Error();
  if (!error) return nullptr;
  if (!channel_.ErrorInPass()) std::rethrow_exception(error);
  failed_.error = error;
  return &failed_;
}

void ParsedRecords::Produce() noexcept {
  Batch batch;
  std::size_t bytes = 0;
  std::size_t done = 0;  // passes of `batch` completed
  bool in_pass = false;
  try {
    engine::RecordReader reader(lines_);
    while (!lines_.AtEnd()) {
      if (batch.size() >= kBatchPasses || bytes >= kBatchBytes) {
        if (!channel_.Push(std::move(batch))) return;  // the run took no more
        batch = Batch();
        bytes = 0;
        done = 0;
      }
      if (batch.capacity() == 0) batch.reserve(kBatchPasses);
      in_pass = true;
      ParsedPass& pass = batch.emplace_back();
      pass.result = reader.Next(pass.text);
      pass.line = reader.FirstLine();
      converter_.Convert(pass);
      bytes += pass.text.size();
      ++done;
      in_pass = false;
    }
    if (!batch.empty() && !channel_.Push(std::move(batch))) return;
    channel_.Finish();
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    // The passes completed before the error are the run's to store.
    while (batch.size() > done) batch.pop_back();
    try {
      if (!batch.empty() && !channel_.Push(std::move(batch))) return;
    } catch (...) {  // no memory even for that: the error itself is what counts
    }
    channel_.Finish(error, in_pass);
  }
}

}  // namespace morvane::loaders
