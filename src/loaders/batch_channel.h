// Hands batches of work from one producer thread, through any number of
// worker threads that finish them, to one consumer thread, in the order the
// producer made them. At most `capacity` batches are held at a time, so a
// producer that runs ahead waits instead of filling memory.
//
// Order. The producer pushes batches in order; each worker takes the oldest
// batch no worker has taken yet, finishes it outside the lock and marks it
// done; the consumer takes the oldest batch once it is done, so batches that
// workers finish out of order still reach the consumer in order.
//
// Reuse. The consumer may give a batch it has done with back (GiveBack), and
// the producer fills such a batch again (TakeSpare), so that their buffers
// are allocated once rather than for every batch.
//
// Ending. The producer ends with Finish(), with or without an error; the
// workers finish what is held and the consumer then takes it and learns the
// error. The consumer that stops early (an error of its own, a stop request)
// calls Close(): every thread waiting wakes, Push returns false, TakeWork
// returns null, and they end. Finish and Close never throw and allocate
// nothing, so either side can always end the others' wait.
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
  // channel; the batch is then dropped. Throws (no memory) with `batch`
  // left as it was.
  bool Push(Batch&& batch) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] { return closed_ || held_.size() < capacity_; });
    if (closed_) return false;
    // The slot first: should it take memory that is not there, the batch
    // is still the producer's, whole, to hand over in the error's place.
    held_.emplace_back();
    held_.back().batch = std::move(batch);
    lock.unlock();
    work_.notify_one();
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
    work_.notify_all();
    ready_.notify_one();
  }

  // Worker: waits for the oldest batch that no worker has taken, which stays
  // the worker's to change until it calls Done(batch). Null when there will
  // be none (the producer finished, or the consumer closed the channel).
  Batch* TakeWork() {
    std::unique_lock lock(mutex_);
    work_.wait(lock, [this] { return closed_ || taken_ < held_.size() || finished_; });
    if (closed_ || taken_ == held_.size()) return nullptr;
    return &held_[taken_++].batch;  // a deque keeps its elements in place
  }

  // Worker: the batch from TakeWork is finished.
  void Done(Batch* batch) noexcept {
    {
      std::lock_guard lock(mutex_);
      for (Held& h : held_)
        if (&h.batch == batch) h.done = true;
    }
    ready_.notify_one();
  }

  // Consumer: waits for the next batch in order. False when the producer has
  // finished and every batch is taken; Error() then says why it finished.
  bool Pop(Batch& batch) {
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return (!held_.empty() && held_.front().done) || (finished_ && held_.empty()); });
    if (held_.empty()) return false;
    batch = std::move(held_.front().batch);
    held_.pop_front();
    --taken_;
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
    room_.notify_all();
    work_.notify_all();
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
  struct Held {
    Batch batch;
    bool done = false;
  };

  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::condition_variable room_;   // the producer waits for room
  std::condition_variable work_;   // workers wait for a batch to finish
  std::condition_variable ready_;  // the consumer waits for the oldest batch
  std::deque<Held> held_;          // in order; the first taken_ are taken by workers
  std::size_t taken_ = 0;
  std::vector<Batch> spare_;
  bool closed_ = false;
  bool finished_ = false;
  std::exception_ptr error_;
  bool error_in_pass_ = false;
};

}  // namespace morvane::loaders
