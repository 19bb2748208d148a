#include "bench/lib/step_times.h"

namespace morvane::bench {
namespace {

constexpr std::string_view kStatusCaption = "frmStatus.lblStatus = ";
constexpr std::size_t kActionTextSize = 50;  // the ProcessLog field keeps this much

}  // namespace

StepTimeline::StepTimeline(std::vector<StepOpening> openings) : openings_(std::move(openings)) {}

void StepTimeline::Feed(double seconds, std::string_view line) {
  if (!line.starts_with(kStatusCaption)) return;
  const std::string_view status = line.substr(kStatusCaption.size());
  std::size_t best = openings_.size();
  for (std::size_t i = 0; i < openings_.size(); ++i) {
    if (status.starts_with(openings_[i].status) &&
        (best == openings_.size() || openings_[i].status.size() > openings_[best].status.size()))
      best = i;
  }
  // A step that shows its opening text again with more after it (the
  // database it is at) is still the same step.
  if (best != openings_.size() && (opened_.empty() || opened_.back().opening != best))
    opened_.push_back({seconds, best});
}

RunSteps StepTimeline::Split(double end_seconds, const std::vector<LogRow>& rows) const {
  RunSteps run;
  run.total_seconds = end_seconds;
  run.start_seconds = opened_.empty() ? end_seconds : opened_.front().seconds;
  const auto segment_end = [&](std::size_t i) {
    return i + 1 < opened_.size() ? opened_[i + 1].seconds : end_seconds;
  };

  std::size_t next = 0;
  for (const LogRow& row : rows) {
    StepTime step{row.step, row.action, "", row.records, 0, false};
    if (next < opened_.size()) {
      const StepOpening& opening = openings_[opened_[next].opening];
      if (opening.action.substr(0, kActionTextSize) == row.action) {
        step.name = opening.name;
        step.seconds = segment_end(next) - opened_[next].seconds;
        step.timed = true;
        ++next;
      }
    }
    if (!step.timed)
      run.problems.push_back("step " + std::to_string(row.step) + " (" + row.action +
                             ") opened with no known status text; its time is counted in the "
                             "step before it");
    run.steps.push_back(std::move(step));
  }
  for (; next < opened_.size(); ++next)
    run.problems.push_back("a step opened with \"" + openings_[opened_[next].opening].status +
                           "\" but wrote no matching ProcessLog row");
  return run;
}

double RunSteps::SecondsThrough(int last) const {
  double seconds = start_seconds;
  for (const StepTime& step : steps) {
    if (step.step > last && step.timed) return seconds;
    seconds += step.seconds;
  }
  return total_seconds;
}

std::int64_t RunSteps::RecordsThrough(int last) const {
  std::int64_t records = 0;
  for (const StepTime& step : steps)
    if (step.step >= 1 && step.step <= last) records += step.records;
  return records;
}

}  // namespace morvane::bench
