#include "run/progress.h"

#include <algorithm>

#include "platform/text/text.h"

namespace morvane::engine {

std::string FormatCount(std::int64_t value, const char* mask) {
  return text::Format(static_cast<double>(value), mask);
}

void ClearProgress(ui::Window& status) {
  for (const char* label :
       {"lblTotalRecords", "lblRecordCount", "lblPercentCompleted", "lblFileSize", "lblAmtProcessed"})
    status.SetCaption(label, "");
  status.SetVisible("fraTotalRecords", false);
  status.SetValue("ProgressBar1", 0);
}

double PercentDone(std::int64_t done, std::int64_t total) {
  if (total <= 0) return 100.0;
  return std::min(100.0, static_cast<double>(done) / static_cast<double>(total) * 100.0);
}

void ShowPercentAndCount(RunContext& run, double percent, const char* count_mask) {
  ui::Window& status = run.Status();
  run.percent_processed = percent;
  status.SetCaption("lblPercentCompleted", text::Format(percent, kPercentMask));
  status.SetValue("ProgressBar1", percent);
  status.SetCaption("lblRecordCount", FormatCount(run.record_counter, count_mask));
}

}  // namespace morvane::engine
