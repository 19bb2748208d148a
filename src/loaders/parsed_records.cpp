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
  if (next_ < current_.size) return &current_.passes[next_++];
  if (!current_.passes.empty()) {
    current_.size = 0;  // its passes are spare now
    channel_.GiveBack(std::move(current_));
  }
  current_ = Batch();
  next_ = 0;
  if (channel_.Pop(current_)) return &current_.passes[next_++];  // batches are never empty
  std::exception_ptr error = channel_.Error();
  if (!error) return nullptr;
  if (!channel_.ErrorInPass()) std::rethrow_exception(error);
  failed_.error = error;
  return &failed_;
}

void ParsedRecords::Produce() noexcept {
  Batch batch = channel_.TakeSpare();
  std::size_t bytes = 0;
  bool in_pass = false;
  try {
    engine::RecordReader reader(lines_);
    while (!lines_.AtEnd()) {
      if (batch.size >= kBatchPasses || bytes >= kBatchBytes) {
        if (!channel_.Push(std::move(batch))) return;  // the run took no more
        batch = channel_.TakeSpare();
        bytes = 0;
      }
      in_pass = true;
      if (batch.size == batch.passes.size()) batch.passes.emplace_back();
      ParsedPass& pass = batch.passes[batch.size];
      pass.Reset();
      pass.result = reader.Next(pass.text);
      pass.line = reader.FirstLine();
      converter_.Convert(pass);
      bytes += pass.text.size();
      ++batch.size;
      in_pass = false;
    }
    if (batch.size > 0 && !channel_.Push(std::move(batch))) return;
    channel_.Finish();
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    // The passes completed before the error are the run's to store.
    try {
      if (batch.size > 0 && !channel_.Push(std::move(batch))) return;
    } catch (...) {  // no memory even for that: the error itself is what counts
    }
    channel_.Finish(error, in_pass);
  }
}

}  // namespace morvane::loaders
