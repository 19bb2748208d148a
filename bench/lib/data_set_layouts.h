// The 35 data set files of an export as the synthetic export writes them and
// as its checker reads them: file name, piece count, how the loader takes a
// record apart, the line end the synthetic export uses, and for every piece
// what makes it storable in its staging field (a text that fits, a number in
// range, a readable date).
//
// This is the benchmark's own, independent description of what a loader
// accepts: the checker built on it tells whether a generated export loads
// without a rejected record, without running the loaders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::bench {

enum class Splitting {
  kBars,       // split at "|" into at most N pieces; too few pieces reject the record
  kSubFields,  // at most N trimmed fields; missing fields are empty, never rejected
};

enum class LineEnd { kCrLf, kLf };

enum class Check {
  kUnused,   // piece not stored
  kAny,      // stored whatever it holds (long text, or a text the loader cuts)
  kLong,     // whole number within 32 bits (empty: 0)
  kInteger,  // whole number within 16 bits (empty: 0)
  kSingle,   // a number (empty: 0)
  kText,     // at most `size` characters once trimmed of blanks
  kAsIs,     // at most `size` characters, blanks included
  kDate,     // empty, or "Mmm dd yyyy" (day right-aligned), anything after ignored
  kRange,    // a number from `lo` to `hi` (empty: 0): the masked text fits
  kWhole,    // a whole number from `lo` to `hi`
};

struct PieceCheck {
  Check check = Check::kAny;
  int size = 0;
  double lo = 0;
  double hi = 0;
};

struct DataSetLayout {
  std::string file;        // e.g. "main.dat"
  int pieces = 0;          // N
  Splitting splitting = Splitting::kBars;
  LineEnd line_end = LineEnd::kLf;
  std::vector<PieceCheck> checks;  // one per piece, pieces 1 to N

  // The pieces a record needs to be stored: the highest stored piece for a
  // split data set, 1 for a sub-field data set.
  int PiecesNeeded() const;
};

// The 35 layouts in the order in which a run loads them.
const std::vector<DataSetLayout>& DataSetLayouts();

// The pieces of a record (without its end mark) as its loader takes them
// apart: split at "|" into at most N pieces, or for a sub-field data set
// all fields (not cut to N, not trimmed).
std::vector<std::string_view> SplitRecord(const DataSetLayout& layout, std::string_view record);

// Why the loader would reject the record (too few pieces, a text too long, a
// number out of range, an unreadable date), or nothing when it stores it.
// `record` holds the raw bytes without its end mark; a character is a byte
// (Windows-1252).
std::optional<std::string> CheckRecord(const DataSetLayout& layout, std::string_view record);

}  // namespace morvane::bench
