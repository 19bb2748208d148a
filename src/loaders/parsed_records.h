// The records of a data set file, read and converted away from the run a
// bounded number of passes ahead of it; the run takes them in file order and
// stores them.
//
// One thread reads the records in batches; converter threads (each with a
// converter of its own) take the batches and convert them, so that a data
// set whose conversions cost more than its rows is not held up by one
// thread; the batches reach the run in the order they were read. These
// threads touch nothing but the line reader and their converters: no ui, no
// run state, no database object. What a conversion asks of the run comes
// with its pass (RunActions). Memory stays flat: at most kBatches batches of
// at most kBatchPasses passes or about kBatchBytes of text are held.
//
// Errors. An error of reading or converting (a read error, no memory) is
// handed over in order: Next() returns every pass completed before it, then
// either a pass with `error` set (the error came within a pass of the loop,
// after the run counted that pass) or throws it (it came between passes).
// The destructor stops the threads and joins them, whether or not every
// pass was taken (an error of the run's own, a stop request); it never
// blocks for good and never throws.
#pragma once

#include <cstddef>
#include <thread>
#include <vector>

#include "loaders/batch_channel.h"
#include "loaders/record_converter.h"
#include "platform/files/line_reader.h"

namespace morvane::loaders {

class ParsedRecords {
 public:
  static constexpr std::size_t kBatches = 8;
  static constexpr std::size_t kBatchPasses = 256;
  static constexpr std::size_t kBatchBytes = std::size_t{1} << 18;

  // Starts reading and converting with `converter_threads` threads (at
  // least one). `lines` must outlive this object and is not to be touched by
  // anyone else until it is destroyed.
  ParsedRecords(files::LineReader& lines, const RecordConverter& converter,
                std::size_t converter_threads = DefaultConverterThreads());
  ~ParsedRecords();
  ParsedRecords(const ParsedRecords&) = delete;
  ParsedRecords& operator=(const ParsedRecords&) = delete;

  // The next pass, valid until the next call; null after the last one. The
  // caller may take its buffers (swap its text, move its values).
  ParsedPass* Next();

  // Two where the machine has the cores to spare, else one.
  static std::size_t DefaultConverterThreads();

 private:
  // The first `size` passes are filled; those after them are spare.
  struct Batch {
    std::vector<ParsedPass> passes;
    std::size_t size = 0;
  };
  void Read() noexcept;
  void Convert(RecordConverter& converter) noexcept;
  void Stop() noexcept;

  files::LineReader& lines_;
  std::vector<RecordConverter> converters_;  // one per converter thread
  BatchChannel<Batch> channel_{kBatches};
  Batch current_;
  std::size_t next_ = 0;
  ParsedPass failed_;
  std::vector<std::thread> threads_;
};

}  // namespace morvane::loaders
