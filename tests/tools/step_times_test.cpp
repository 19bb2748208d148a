// The benchmark's split of a run's output into steps: opening lines matched
// in order to the ProcessLog rows, mismatches reported.
#include "bench/lib/step_times.h"

#include <gtest/gtest.h>

namespace morvane::bench {
namespace {

const std::vector<StepOpening> kOpenings = {
    {"Populating 'Address' table with  < address.dat >  data !", "PopulateAddressTable", "address.dat"},
    {"Populating 'X' table with  < freq.dat >  data !", "Populate Frequency Table!", "freq.dat"},
    {"Populating 'X' table with  < freq.dat >  data ! (again)", "Populate Again!", "again"},
    {"Compacting DALK database !", "Compacting DALK database !", "(compaction)"},
};

StepTimeline Fed(const std::vector<std::pair<double, std::string>>& lines) {
  StepTimeline timeline(kOpenings);
  for (const auto& [seconds, line] : lines) timeline.Feed(seconds, line);
  return timeline;
}

TEST(StepTimesTest, EachStepLastsFromItsOpeningLineToTheNext) {
  const StepTimeline timeline = Fed({
      {0.1, "frmStatus.lblStatus = Building the Data Base structure !"},
      {0.5, "frmStatus.lblStatus = Populating 'Address' table with  < address.dat >  data !"},
      {0.7, "frmStatus.lblStepCurrent =  1"},
      {1.5, "frmStatus.lblStatus = Populating 'X' table with  < freq.dat >  data !"},
      {2.0, "frmStatus.lblStatus = Finished processing  <  freq.dat  >  data !"},
      {4.0, "frmStatus.lblStatus = Compacting DALK database !\\nCurrent file size (bytes): 1"},
      {4.5, "frmStatus.lblStatus = Uncompressed file size: 1"},
  });
  const RunSteps run = timeline.Split(5.0, {{1, "PopulateAddressTable", 10},
                                            {13, "Populate Frequency Table!", 20},
                                            {38, "Compacting DALK database !", 20}});
  EXPECT_TRUE(run.problems.empty());
  EXPECT_DOUBLE_EQ(run.start_seconds, 0.5);
  ASSERT_EQ(run.steps.size(), 3u);
  EXPECT_EQ(run.steps[0].name, "address.dat");
  EXPECT_DOUBLE_EQ(run.steps[0].seconds, 1.0);
  EXPECT_DOUBLE_EQ(run.steps[1].seconds, 2.5);
  EXPECT_DOUBLE_EQ(run.steps[2].seconds, 1.0);  // the last one runs to the end
  EXPECT_DOUBLE_EQ(run.SecondsThrough(37), 4.0);
  EXPECT_EQ(run.RecordsThrough(37), 30);
  EXPECT_DOUBLE_EQ(run.total_seconds, 5.0);
}

TEST(StepTimesTest, TheLongestOpeningTextWins) {
  const StepTimeline timeline = Fed({
      {1.0, "frmStatus.lblStatus = Populating 'X' table with  < freq.dat >  data ! (again)"},
  });
  const RunSteps run = timeline.Split(2.0, {{40, "Populate Again!", 5}});
  EXPECT_TRUE(run.problems.empty());
  EXPECT_EQ(run.steps[0].name, "again");
}

TEST(StepTimesTest, AnOpeningShownAgainWithMoreAfterItIsTheSameStep) {
  const StepTimeline timeline = Fed({
      {1.0, "frmStatus.lblStatus = Compacting DALK database !"},
      {2.0, "frmStatus.lblStatus = Compacting DALK database !\\nAntSite_E"},
      {3.0, "frmStatus.lblStatus = Populating 'X' table with  < freq.dat >  data !"},
  });
  const RunSteps run = timeline.Split(4.0, {{38, "Compacting DALK database !", 0},
                                            {40, "Populate Frequency Table!", 5}});
  EXPECT_TRUE(run.problems.empty());
  EXPECT_DOUBLE_EQ(run.steps[0].seconds, 2.0);
  EXPECT_DOUBLE_EQ(run.steps[1].seconds, 1.0);
}

TEST(StepTimesTest, RowsAndOpeningsThatDoNotMatchAreReported) {
  const StepTimeline timeline = Fed({
      {1.0, "frmStatus.lblStatus = Populating 'Address' table with  < address.dat >  data !"},
      {2.0, "frmStatus.lblStatus = Populating 'X' table with  < freq.dat >  data !"},
  });
  // A step with an opening text of its own that the benchmark does not know
  // (28), and an opening without its row (freq.dat).
  const RunSteps run = timeline.Split(3.0, {{1, "PopulateAddressTable", 10},
                                            {28, "Match sites", 4}});
  ASSERT_EQ(run.steps.size(), 2u);
  EXPECT_TRUE(run.steps[0].timed);
  EXPECT_DOUBLE_EQ(run.steps[0].seconds, 1.0);
  EXPECT_FALSE(run.steps[1].timed);
  EXPECT_EQ(run.problems.size(), 2u);
}

}  // namespace
}  // namespace morvane::bench
