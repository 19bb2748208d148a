// A full disk while a loader stores its rows, simulated with the engine's
// page limit: the step stops and says which records are not in the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "support/loader_fixture.h"

namespace morvane::loaders {
namespace {

TEST(FullDiskTest, TheStepStopsAndNamesTheFirstRecordThatIsNotStored) {
  testing::LoaderFixture f;
  std::string content;
  for (int i = 1; i <= 30000; ++i) content += std::to_string(1000000 + i) + "|" + std::string(80, 'p') + "|^|\n";
  f.WriteDataSet("purpose.dat", content);
  db::Workspace& ws = f.run().workspace();
  ws.SetGroupLimit(1000);
  db::Database limited = ws.OpenDatabase(f.OutputPath());  // the loader shares its connection
  limited.Execute("PRAGMA max_page_count=" +
                  std::to_string(std::filesystem::file_size(f.OutputPath()) / 4096 + 300));

  std::string message;
  try {
    f.Run(testing::LoaderNamed("PopulatePurposeTable"), 26);
  } catch (const db::Error& e) {
    EXPECT_TRUE(e.DiskFull());
    message = e.what();
  }
  limited.Close();
  ws.Close();
  const std::string said = "DalkPurpose holds the rows of the records of purpose.dat before line ";
  const auto at = message.find(said);
  ASSERT_NE(at, std::string::npos) << message;
  const long first_missing = std::stol(message.substr(at + said.size()));
  EXPECT_NE(message.find("the records from line " + std::to_string(first_missing) + " on are not in the database"),
            std::string::npos);
  const auto keys = f.Rows("DalkPurpose", {"FilingKey"});
  ASSERT_EQ(static_cast<long>(keys.size()), first_missing - 1);
  EXPECT_EQ(keys.back()[0], db::Value(std::int64_t{1000000 + first_missing - 1}));
}

}  // namespace
}  // namespace morvane::loaders
