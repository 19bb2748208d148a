// The part of a loader's work that needs nothing but the record: taking it
// apart, converting its pieces as the field rules say and fitting each value
// to its staging field. It holds no run state and no database object (the
// fields' definitions are copies), so it may run on a thread of its own
// (parsed_records.h) while the run stores the rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "loaders/field_conversions.h"
#include "loaders/loader_def.h"
#include "platform/db/table_def.h"
#include "platform/db/value.h"
#include "run/record_reader.h"

namespace morvane::loaders {

// A field rule with the staging field it fills.
struct FieldTarget {
  const FieldRule* rule;
  db::FieldDef field;
  Fraction fraction;  // what a whole-number field does with a fraction
};

// One pass of a loader's loop as the reader and the converter leave it.
struct ParsedPass {
  engine::RecordReader::Result result = engine::RecordReader::Result::kEnd;
  std::int64_t line = 0;        // where the record (or empty line) began
  // kRecord: the record as taken apart (the run's last record); kUnterminated,
  // kTooLong, kNotUtf8: what was read.
  std::string text;
  std::size_t text_length = 0;  // of `text`, in characters
  // kRecord: whether the record cannot be stored, and why; else the values,
  // one per field target (Null: the field stays unassigned).
  bool set_aside = false;
  std::string reason;
  std::vector<db::Value> values;
  RunActions actions;           // what converting asked of the run
  std::exception_ptr error;     // reading or converting failed in this pass

  // A text buffer above this is freed rather than kept: each of the
  // thousands of passes held would otherwise keep the longest record that
  // ever went through it, and memory would grow with a file's long records.
  static constexpr std::size_t kKeptTextBytes = 4096;

  // Empties the pass for the next record, keeping its buffers of an
  // ordinary size.
  void Reset() {
    result = engine::RecordReader::Result::kEnd;
    line = 0;
    if (text.capacity() > kKeptTextBytes) std::string().swap(text);
    text.clear();
    text_length = 0;
    set_aside = false;
    reason.clear();
    values.clear();
    actions = RunActions();
    error = nullptr;
  }
};

class RecordConverter {
 public:
  // `loader` and the rules that `targets` point to must outlive the converter.
  RecordConverter(const LoaderDef& loader, std::vector<FieldTarget> targets);

  // Fills in a pass whose result, line and text the reader gave.
  void Convert(ParsedPass& pass);

 private:
  void ConvertRecord(ParsedPass& pass);

  const LoaderDef& loader_;
  std::vector<FieldTarget> targets_;
  const int pieces_needed_;
  // Kept from record to record, so that a record costs no new buffers.
  std::vector<std::string> sub_fields_;
  std::vector<std::string_view> pieces_;
};

}  // namespace morvane::loaders
