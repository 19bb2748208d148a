// The progress display of a step in the status window: the counts with
// their masks, the percentage capped at 100 and the progress bar.
//
// Steps show their progress every N rows (the loaders every 100 records,
// the conversion every 10 rows) and once more at their end; the masks are
// the status window's: counts "###,###,##0" (or "###,##0"), percentages
// "  ##0.0".
#pragma once

#include <cstdint>
#include <string>

#include "run/run_context.h"

namespace morvane::engine {

inline constexpr const char* kCountMask = "###,###,##0";
inline constexpr const char* kShortCountMask = "###,##0";
inline constexpr const char* kPercentMask = "  ##0.0";

// Empties the count, size and percentage labels, hides the total-records
// frame and sets the progress bar to 0: a step's display before it starts.
void ClearProgress(ui::Window& status);

// `value` with a count mask.
std::string FormatCount(std::int64_t value, const char* mask = kCountMask);

// done / total * 100, at most 100; 100 when `total` is 0 (nothing to do is
// all done).
double PercentDone(std::int64_t done, std::int64_t total);

// Sets lblPercentCompleted and ProgressBar1 to `percent`, keeps it in
// run.percent_processed, and sets lblRecordCount to run.record_counter with
// `count_mask`.
void ShowPercentAndCount(RunContext& run, double percent, const char* count_mask = kCountMask);

// True when `counter` is a multiple of `every`: the rows at which a step
// refreshes its display.
inline bool ProgressDue(std::int64_t counter, std::int64_t every) {
  return counter % every == 0;
}

}  // namespace morvane::engine
