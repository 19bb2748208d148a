// Hands batches of work from one producer thread to one consumer thread,
// holding at most `capacity` batches at a time, so that a producer that runs
// ahead waits instead of filling memory.
//
// Reuse. The consumer may give a batch it has done with back (GiveBack), and
// the producer fills such a batch again (TakeSpare), so that their buffers
// are allocated once rather than for every batch.
//
// Ending. The producer ends with Finish(), with or without an error; the
// consumer then takes the batches still held and learns the error. The
// consumer that stops early (an error of its own, a stop request) calls
// Close(): a producer waiting for room wakes, its Push returns false and it
// ends. Finish and Close never throw and allocate nothing, so either side can
// always end the other's wait.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace morvane::loaders {

template <typename Batch>
class BatchChannel {
 public:
  explicit BatchChannel(std::size_t capacity) : capacity_(capacity) { spare_.reserve(capacity_); }

  // Producer: waits for room. False when the consumer has closed the
  // channel; the batch is then dropped.
  bool Push(Batch&& batch) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] { return closed_ || batches_.size() < capacity_; });
    if (closed_) return false;
    batches_.push_back(std::move(batch));
    lock.unlock();
    ready_.notify_one();
    return true;
  }

  // Producer: nothing more follows. `error` (may be null) is what stopped it.
  void Finish(std::exception_ptr error = nullptr, bool error_in_pass = false) noexcept {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
      error_ = std::move(error);
      error_in_pass_ = error_in_pass;
    }
    ready_.notify_one();
  }

  // Consumer: waits for the next batch. False when the producer has finished
  // and every batch is taken; Error() then says why it finished.
  bool Pop(Batch& batch) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return finished_ || !batches_.empty(); });
    if (batches_.empty()) return false;
    batch = std::move(batches_.front());
    batches_.pop_front();
    lock.unlock();
    room_.notify_one();
    return true;
  }

  // Consumer: hands a batch it has done with back to the producer.
  void GiveBack(Batch&& batch) noexcept {
    std::lock_guard lock(mutex_);
    if (spare_.size() < capacity_) spare_.push_back(std::move(batch));  // reserved: no allocation
  }

  // Producer: a batch given back, or a new one.
  Batch TakeSpare() {
    std::lock_guard lock(mutex_);
    if (spare_.empty()) return Batch();
    Batch batch = std::move(spare_.back());
    spare_.pop_back();
    return batch;
  }

  // Consumer: takes no more batches.
  void Close() noexcept {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    room_.notify_one();
  }

  // After Pop returned false: the producer's error (null: a clean end) and
  // whether it came in the middle of a pass of its work.
  std::exception_ptr Error() const {
    std::lock_guard lock(mutex_);
    return error_;
  }
  bool ErrorInPass() const {
    std::lock_guard lock(mutex_);
    return error_in_pass_;
  }

 private:
  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::condition_variable ready_;
  std::deque<Batch> batches_;
  std::vector<Batch> spare_;
  bool closed_ = false;
  bool finished_ = false;
  std::exception_ptr error_;
  bool error_in_pass_ = false;
};

}  // namespace morvane::loaders
