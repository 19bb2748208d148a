// A data set loader as data: which file goes into which staging table, the
// texts it shows and logs, how its records are taken apart, and how each
// piece becomes a field. The common frame (common_loader.h) runs any of
// them; the 35 loaders differ only in these definitions.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/value.h"

namespace morvane::engine {
class RunContext;
}

namespace morvane::loaders {

// The pieces of one record, numbered from 1 in record order.
class Record {
 public:
  // Refers to `pieces` and `text`, which must outlive the record.
  Record(std::span<const std::string_view> pieces, std::string_view text)
      : pieces_(pieces), text_(text) {}

  int PieceCount() const { return static_cast<int>(pieces_.size()); }
  // "" for a piece the record does not have (only sub-field records have
  // missing pieces; split records with too few pieces are rejected first).
  std::string_view Piece(int n) const {
    return n >= 1 && n <= PieceCount() ? pieces_[n - 1] : std::string_view();
  }
  const std::string_view& Text() const { return text_; }

 private:
  std::span<const std::string_view> pieces_;
  std::string_view text_;
};

// Thrown by a conversion when a record cannot be stored as it stands; the
// frame writes the record to the rejected-data file and goes on.
class Rejected : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a field receives: a value, or nothing at all (the field stays Null),
// which a few conversions choose for values outside their range.
using FieldValue = std::optional<db::Value>;

// What converting a record asks of the run besides the field values: a
// message box, a value carried to later steps. Records are converted away
// from the run, on a thread of their own, while the rows before them are
// still being stored; the actions then take place on the run's thread, in
// the order they were asked for, after every record before this one is
// stored or set aside and before this one is.
class RunActions {
 public:
  using Action = std::function<void(engine::RunContext&)>;

  void Add(Action action) { actions_.push_back(std::move(action)); }
  bool Empty() const { return actions_.empty(); }
  // Takes the actions in order; an action that throws (engine::RunStopped
  // after a box) ends the record there, as it would have ended its
  // conversion.
  void TakePlace(engine::RunContext& run) {
    for (Action& action : actions_) action(run);
    actions_.clear();
  }

 private:
  std::vector<Action> actions_;
};

// A rule of a data set's own: reads any pieces of the record, and asks for
// run actions; throws Rejected. It runs away from the run (see RunActions),
// so it reads nothing but the record.
using CustomConversion = std::function<FieldValue(const Record&, RunActions&)>;

// The conversion words of the field tables.
enum class Conversion {
  kAsIs,            // the piece unchanged
  kTrimmed,         // without leading and trailing blanks
  kNumber,          // numeric value of the piece
  kFirst,           // the first n characters
  kFirstTrimmed,    // the first n characters, then trimmed
  kTrimmedFirst,    // trimmed, then the first n characters
  kDate,            // the date of the trimmed piece, "yyyymmdd" or ""
  kMask,            // numeric value of the piece formatted with the mask
  kMemo,            // long text, the piece as is
  kMemoOfTrimmed,   // long text, the trimmed piece
  kCustom,          // the loader's own rule
};

struct FieldRule {
  int piece = 0;              // 1-based; the highest one read decides the pieces a record needs
  std::string field;          // staging field
  Conversion conversion = Conversion::kTrimmed;
  int n = 0;                  // kFirst*, kTrimmedFirst
  std::string mask;           // kMask
  CustomConversion custom;    // kCustom
  // Pieces a kCustom rule reads besides `piece`, for the pieces-needed test.
  int highest_piece = 0;
};

// How the records of a data set are taken apart.
enum class Splitting {
  kBars,       // split at "|" into at most `pieces` pieces; the last keeps further bars
  kSubFields,  // the sub-field scanner: at most `pieces` trimmed fields, missing ones empty
};

struct LoaderDef {
  std::string procedure;        // e.g. "PopulateMainTable" (names the step in messages)
  std::string file;             // data set file in the input folder, e.g. "main.dat"
  std::string table;            // staging table, e.g. "DalkMain"
  std::string opening_status;   // e.g. "Populating 'MAIN' table with  < "
  std::string action_text;      // e.g. "Populate Main Table!"
  int pieces = 0;               // N
  Splitting splitting = Splitting::kBars;
  bool finishing_status = true; // ends with "Finished processing  <  ...  >  data !"
  std::vector<FieldRule> fields;  // in the order they are assigned
};

// Splits a record at "|" into at most `limit` pieces; the last keeps the
// rest, further bars included (Splitting::kBars). Fills `pieces`, whose
// capacity is kept from record to record.
void SplitBars(std::string_view record, int limit, std::vector<std::string_view>& pieces);

// The highest piece that the loader's field rules read: a split record with
// fewer pieces cannot be stored.
int PiecesNeeded(const LoaderDef& loader);

// Field-rule shorthands, so that a field table reads like its description.
FieldRule AsIs(int piece, std::string field);
FieldRule Trimmed(int piece, std::string field);
FieldRule Number(int piece, std::string field);
FieldRule First(int piece, std::string field, int n);
FieldRule FirstTrimmed(int piece, std::string field, int n);
FieldRule TrimmedFirst(int piece, std::string field, int n);
FieldRule Date(int piece, std::string field);
FieldRule Mask(int piece, std::string field, std::string mask);
FieldRule Memo(int piece, std::string field);
FieldRule MemoOfTrimmed(int piece, std::string field);
FieldRule Custom(int piece, std::string field, CustomConversion custom,
                 int highest_piece = 0);

}  // namespace morvane::loaders
