// The records are read and converted on a thread of their own while the
// run stores them: an error, a stop or a record set aside on either side
// ends or goes on exactly as one loop would, and the thread always ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "loaders/common_loader.h"
#include "loaders/field_cases.h"

namespace morvane::testing {
namespace {

// purpose.dat's loader with a code that fails (not a refusal) on "boom".
loaders::LoaderDef FailingOnBoom() {
  loaders::LoaderDef d = LoaderNamed("PopulatePurposeTable");
  d.fields[1] = loaders::Custom(2, "PurposeCode", [](const loaders::Record& r, loaders::RunActions&) {
    if (r.Piece(2) == "boom") throw std::runtime_error("the code cannot be read");
    return loaders::FieldValue(db::Value(r.Piece(2)));
  });
  return d;
}

// Many more records than the reading thread may hold ahead of the run.
std::string Records(int count, int boom_at = 0, int short_at = 0) {
  std::string content;
  for (int i = 1; i <= count; ++i) {
    if (i == short_at) content += "|^|\n";
    else content += RecordLine({std::to_string(7000 + i), i == boom_at ? "boom" : "code" + std::to_string(i)});
  }
  return content;
}

TEST(ThreadedLoadingTest, AnErrorInTheMiddleEndsTheStepAfterTheRecordsBeforeIt) {
  LoaderFixture fx;
  fx.WriteDataSet("purpose.dat", Records(6000, 3210, 17));
  const loaders::LoaderDef loader = FailingOnBoom();
  EXPECT_THROW(fx.Run(loader, 26), std::runtime_error);
  EXPECT_EQ(fx.run().record_counter, 3210);
  EXPECT_EQ(fx.RowCount("DalkPurpose"), 3208);
  EXPECT_EQ(fx.RowCount("ProcessLog"), 0);
  const auto last = fx.Rows("DalkPurpose", {"FilingKey", "PurposeCode"}).back();
  EXPECT_EQ(Describe(last), (std::vector<std::string>{"integer 10209", "\"code3209\""}));
  EXPECT_EQ(RejectedLineNumbers(fx, "purpose.dat"), std::vector<int>{17});
}

TEST(ThreadedLoadingTest, AStopWhileTheReadingThreadWaitsForRoomEndsTheStep) {
  LoaderFixture fx;
  fx.WriteDataSet("purpose.dat", Records(9000));
  fx.ui().RequestStopAtCaption("frmStatus", "lblRecordCount", "100");  // shown before record 100
  EXPECT_THROW(fx.Run(LoaderNamed("PopulatePurposeTable"), 26), engine::RunStopped);
  EXPECT_EQ(fx.RowCount("DalkPurpose"), 99);
}

}  // namespace
}  // namespace morvane::testing
