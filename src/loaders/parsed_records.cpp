#include "loaders/parsed_records.h"

#include <algorithm>
#include <exception>

namespace morvane::loaders {

ParsedRecords::ParsedRecords(files::LineReader& lines, const RecordConverter& converter,
                             std::size_t converter_threads)
    : lines_(lines), converters_(std::max<std::size_t>(converter_threads, 1), converter) {
  try {
    threads_.reserve(converters_.size() + 1);
    threads_.emplace_back([this] { Read(); });
    for (RecordConverter& c : converters_) threads_.emplace_back([this, &c] { Convert(c); });
  } catch (...) {  // a thread could not be started: end those that were
    Stop();
    throw;
  }
}

ParsedRecords::~ParsedRecords() { Stop(); }

void ParsedRecords::Stop() noexcept {
  channel_.Close();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

std::size_t ParsedRecords::DefaultConverterThreads() {
  return std::thread::hardware_concurrency() >= 4 ? 2 : 1;
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

void ParsedRecords::Read() noexcept {
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
      bytes += pass.text.size();
      ++batch.size;
      in_pass = false;
    }
    if (batch.size > 0 && !channel_.Push(std::move(batch))) return;
    channel_.Finish();
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    // The passes read before the error are the run's to store.
    try {
      if (batch.size > 0 && !channel_.Push(std::move(batch))) return;
    } catch (...) {  // no memory even for that: the error itself is what counts
    }
    channel_.Finish(error, in_pass);
  }
}

void ParsedRecords::Convert(RecordConverter& converter) noexcept {
  while (Batch* batch = channel_.TakeWork()) {
    for (std::size_t i = 0; i < batch->size; ++i) {
      ParsedPass& pass = batch->passes[i];
      try {
        converter.Convert(pass);
      } catch (...) {
        // The run stops at this pass: the passes after it stay unconverted.
        pass.error = std::current_exception();
        break;
      }
    }
    channel_.Done(batch);
  }
}

}  // namespace morvane::loaders
