// An engine error while a loader stores its rows (a full disk, simulated
// with the engine's page limit; a statement that fails): the step stops and
// says which records are not in the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "support/loader_fixture.h"

namespace morvane::loaders {
namespace {

// The first record that `message` says is not in DalkPurpose (0 when it
// names none), checked against the table: every record before it is there.
long FirstMissingRecord(testing::LoaderFixture& f, const std::string& message) {
  const std::string said = "DalkPurpose holds the rows of the records of purpose.dat before line ";
  const auto at = message.find(said);
  EXPECT_NE(at, std::string::npos) << message;
  if (at == std::string::npos) return 0;
  const long first_missing = std::stol(message.substr(at + said.size()));
  EXPECT_NE(message.find("the records from line " + std::to_string(first_missing) + " on are not in the database"),
            std::string::npos);
  const auto keys = f.Rows("DalkPurpose", {"FilingKey"});
  EXPECT_EQ(static_cast<long>(keys.size()), first_missing - 1);
  if (!keys.empty()) {
    EXPECT_EQ(keys.back()[0], db::Value(std::int64_t{1000000 + first_missing - 1}));
  }
  return first_missing;
}

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
  EXPECT_GT(FirstMissingRecord(f, message), 0);
}

// A statement that fails on its own (here a trigger of the file refuses a
// record) stops the step as well; the rows stored with it are undone, and
// the message names the first record that is not in the table.
TEST(FullDiskTest, AFailingStatementNamesTheFirstRecordThatIsNotStored) {
  testing::LoaderFixture f;
  std::string content;
  for (int i = 1; i <= 200; ++i) content += std::to_string(1000000 + i) + "|purpose " + std::to_string(i) + "|^|\n";
  f.WriteDataSet("purpose.dat", content);
  db::Workspace& ws = f.run().workspace();
  db::Database output = ws.OpenDatabase(f.OutputPath());
  output.Execute("CREATE TRIGGER Refuse BEFORE INSERT ON DalkPurpose WHEN NEW.FilingKey = 1000150 "
                 "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  std::string message;
  try {
    f.Run(testing::LoaderNamed("PopulatePurposeTable"), 26);
  } catch (const db::Error& e) {
    message = e.what();
  }
  output.Close();
  ws.Close();
  const long first_missing = FirstMissingRecord(f, message);
  EXPECT_GT(first_missing, 100);  // the rows before the progress shown at 100 stay
  EXPECT_LE(first_missing, 150);
}

}  // namespace
}  // namespace morvane::loaders
