// The common frame, exercised through the widest loader: main.dat.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loaders/data_sets.h"
#include "support/loader_fixture.h"

namespace morvane::loaders {
namespace {

using testing::LoaderFixture;

// A main.dat record of 71 pieces; `set` overrides pieces by number.
std::string MainRecord(std::int64_t key, std::vector<std::pair<int, std::string>> set = {}) {
  std::vector<std::string> pieces(71);
  pieces[0] = std::to_string(key);
  pieces[1] = "1";
  pieces[2] = "E0" + std::to_string(key % 100000);
  pieces[4] = "SES";
  pieces[10] = "Mar 22 2013";
  pieces[35] = "FXE";
  for (auto& [n, text] : set) pieces[n - 1] = text;
  std::string record;
  for (std::size_t i = 0; i < pieces.size(); ++i) record += (i ? "|" : "") + pieces[i];
  return record + "|^|\r\n";
}

class MainLoaderTest : public ::testing::Test {
 protected:
  LoaderFixture fx;
  std::vector<std::vector<db::Value>> Rows(const std::vector<std::string>& fields) {
    return fx.Rows("DalkMain", fields);
  }
};

TEST_F(MainLoaderTest, StoresEachFieldByItsConversion) {
  fx.WriteDataSet("main.dat",
                  MainRecord(101, {{3, "  W1AW  "}, {7, "Jan  5 2010"}, {9, "Dec 31 1999 12:00AM"},
                                   {25, "  1234567890123456789012345 "}, {27, " long text "},
                                   {36, "   "}, {46, " a@b.c "}, {66, "12"}}));
  fx.Run(MainLoader(), 20);

  const auto rows = Rows({"FilingKey", "CallSign", "StatusDate", "LastActionDate", "FeeControlNumber",
                          "FilingOtherTxt", "ClassOfStationCode", "AddressEMail", "RemittanceId",
                          "DateDeny", "MtsNumber", "AddressKey"});
  ASSERT_EQ(rows.size(), 1u);
  const auto& r = rows[0];
  EXPECT_EQ(r[0], db::Value(std::int64_t{101}));
  EXPECT_EQ(r[1], db::Value("W1AW"));
  EXPECT_EQ(r[2], db::Value("20100105"));
  EXPECT_EQ(r[3], db::Value("19991231"));
  EXPECT_EQ(r[4], db::Value("12345678901234567890"));  // trimmed, then its first 20
  EXPECT_EQ(r[5], db::Value("long text"));
  EXPECT_EQ(r[6], db::Value("??"));  // an empty class of station
  EXPECT_EQ(r[7], db::Value("a@b.c"));
  EXPECT_EQ(r[8], db::Value(std::int64_t{12}));
  EXPECT_EQ(r[9], db::Value(""));  // an empty date is the empty text, not Null
  EXPECT_EQ(r[10], db::Value(""));
  EXPECT_EQ(r[11], db::Value(std::int64_t{0}));  // an empty number is 0
}

TEST_F(MainLoaderTest, TheLastPieceKeepsFurtherBars) {
  std::string record = MainRecord(7);
  record.insert(record.size() - 5, " A|B ");  // pieces 71 to 72
  fx.WriteDataSet("main.dat", record);
  fx.Run(MainLoader());
  EXPECT_EQ(Rows({"OrderDaNumber"})[0][0], db::Value("A|B"));
}

TEST_F(MainLoaderTest, RejectsWhatItCannotStoreAndGoesOn) {
  std::string content = MainRecord(1);
  content += "2|too|few|^|\r\n";                                // line 2
  content += MainRecord(3, {{3, "ABCDEFGHIJK"}});               // line 3: call sign of 11
  content += MainRecord(4, {{11, "Foo 12 2001"}});              // line 4: unreadable date
  content += MainRecord(5, {{1, "3000000000"}});                // line 5: out of Long range
  content += MainRecord(6, {{1, "6.5"}});                       // line 6: not a whole number
  content += MainRecord(7, {{11, "Jan 05 2010"}});              // line 7: fine
  content += "8|unterminated";                                  // line 8: no end mark
  fx.WriteDataSet("main.dat", content);
  fx.Run(MainLoader(), 20);

  const auto rows = Rows({"FilingKey", "DateFiled"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0], db::Value(std::int64_t{1}));
  EXPECT_EQ(rows[1][0], db::Value(std::int64_t{7}));
  EXPECT_EQ(rows[1][1], db::Value("20100105"));

  const auto rejected = fx.RejectedLines();
  ASSERT_EQ(rejected.size(), 6u);
  const char* expected_starts[] = {"main.dat\tline 2\ttoo few fields", "main.dat\tline 3\ttext longer",
                                   "main.dat\tline 4\ta date", "main.dat\tline 5\tnumber out of range",
                                   "main.dat\tline 6\tnot a whole number", "main.dat\tline 8\tthe last record"};
  for (std::size_t i = 0; i < rejected.size(); ++i) {
    SCOPED_TRACE(rejected[i]);
    EXPECT_EQ(rejected[i].rfind(expected_starts[i], 0), 0u);
  }
  EXPECT_NE(rejected[0].find("\t2|too|few"), std::string::npos);  // the record itself

  // The process log counts every line the loop took, rejected or not.
  const auto log = fx.Rows("ProcessLog", {"ActionCounter", "ActionText", "RecordsProcessed"});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0][0], db::Value(std::int64_t{20}));
  EXPECT_EQ(log[0][1], db::Value("Populate Main Table!"));
  EXPECT_EQ(log[0][2], db::Value(std::int64_t{8}));
}

// A file that begins with a UTF-8 byte-order mark is UTF-8: a call sign of
// ten characters in eleven bytes fits its Text(10), and a record with a byte
// that is not UTF-8 (the Windows-1252 é on its second line) is set aside.
TEST_F(MainLoaderTest, AFileWithAUtf8ByteOrderMarkIsReadAsUtf8) {
  std::string broken = MainRecord(2, {{41, "first caf\xE9"}});
  broken.replace(broken.find(" caf"), 1, "\r\n");
  fx.WriteDataSet("main.dat", "\xEF\xBB\xBF" + MainRecord(1, {{3, "G\xC3\xB3mez12345"}}) + broken +
                                  MainRecord(4, {{3, "\xC3\xA9t\xC3\xA9"}}));
  fx.Run(MainLoader(), 20);

  const auto rows = Rows({"FilingKey", "CallSign"});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1], db::Value("G\xC3\xB3mez12345"));
  EXPECT_EQ(rows[1][0], db::Value(std::int64_t{4}));
  EXPECT_EQ(rows[1][1], db::Value("\xC3\xA9t\xC3\xA9"));
  const auto rejected = fx.RejectedLines();
  ASSERT_EQ(rejected.size(), 1u);
  EXPECT_EQ(rejected[0].rfind("main.dat\tline 2\ta byte sequence that is not UTF-8", 0), 0u);
  EXPECT_NE(rejected[0].find("|first \\n caf\xEF\xBF\xBD|"), std::string::npos) << rejected[0];
}

// After a record over 1 MiB whose end mark is followed by many blanks and
// tabs, and after a line of more than 1 MiB of blanks, the next record is
// stored: every record of the file is stored or named in baddata.txt, in a
// Windows-1252 file as in a UTF-8 one.
TEST(MainLoaderOverLongLines, EveryRecordAfterThemIsStoredOrRejected) {
  std::string blanks;
  for (int i = 0; i < 40; ++i) blanks += " \t";
  const std::pair<std::string, std::string> encodings[] = {{"", "\xE9"}, {"\xEF\xBB\xBF", "\xC3\xA9"}};
  for (const auto& [start, e_acute] : encodings) {
    SCOPED_TRACE(e_acute);
    LoaderFixture fx;
    std::string over_long = MainRecord(2, {{41, std::string(1 << 20, 'd')}});
    over_long.insert(over_long.size() - 2, blanks);
    fx.WriteDataSet("main.dat", start + MainRecord(1) + over_long + MainRecord(3, {{41, "caf" + e_acute}}) +
                                    std::string((1 << 20) + 1, ' ') + "\r\n" + MainRecord(5));
    fx.Run(MainLoader());
    EXPECT_EQ(fx.Rows("DalkMain", {"FilingKey", "Description"}),
              (std::vector<std::vector<db::Value>>{{db::Value(std::int64_t{1}), db::Value("")},
                                                   {db::Value(std::int64_t{3}), db::Value("caf\xC3\xA9")},
                                                   {db::Value(std::int64_t{5}), db::Value("")}}));
    const auto rejected = fx.RejectedLines();
    ASSERT_EQ(rejected.size(), 1u);
    EXPECT_EQ(rejected[0].rfind("main.dat\tline 2\ta record longer than 1 MiB", 0), 0u);
  }
}

TEST_F(MainLoaderTest, JoinsRecordsOverSeveralLinesAndCountsBlankLines) {
  std::string record = MainRecord(9, {{41, "first line"}});
  const auto at = record.find("first line") + 5;
  record.replace(at, 1, "  \r\n   ");  // "first \n line" once joined
  fx.WriteDataSet("main.dat", "\r\n \t \r\n" + record);
  fx.Run(MainLoader());
  EXPECT_EQ(Rows({"Description"})[0][0], db::Value("first \\n line"));
  const auto log = fx.Rows("ProcessLog", {"RecordsProcessed", "InputFileSize"});
  EXPECT_EQ(log[0][0], db::Value(std::int64_t{3}));  // two empty lines and one record
  EXPECT_EQ(log[0][1], db::Value(static_cast<std::int64_t>(2 + 5 + record.size())));
}

TEST_F(MainLoaderTest, ShowsProgressEveryHundredRecordsAndAtTheEnd) {
  std::string content;
  for (int i = 1; i <= 250; ++i) content += MainRecord(i);
  fx.WriteDataSet("main.dat", content);
  fx.Run(MainLoader(), 20);

  EXPECT_EQ(fx.ui().CaptionHistory("frmStatus", "lblRecordCount"),
            (std::vector<std::string>{"", "100", "200", "250"}));
  // The byte estimate counts each record without its end mark and trails
  // the reading by one record, so the last percentage stays short of 100.
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblPercentCompleted"), "  96.6");
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblStepCurrent"), " 20");
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblStatus"), "Finished processing  <  main.dat  >  data !");
  EXPECT_EQ(fx.RowCount("DalkMain"), 250);
}

TEST_F(MainLoaderTest, AnEmptyFileIsAllDoneWithItsProcessLogRow) {
  fx.WriteDataSet("main.dat", "");
  fx.Run(MainLoader(), 20);
  EXPECT_EQ(fx.RowCount("DalkMain"), 0);
  EXPECT_EQ(fx.ui().Caption("frmStatus", "lblPercentCompleted"), "  100.0");
  const auto log = fx.Rows("ProcessLog", {"RecordsProcessed", "InputFileSize"});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0][0], db::Value(std::int64_t{0}));
  EXPECT_EQ(log[0][1], db::Value(std::int64_t{0}));
}

TEST_F(MainLoaderTest, AMissingFileStopsTheStepBeforeAnyRow) {
  EXPECT_THROW(fx.Run(MainLoader()), engine::StepError);
  EXPECT_EQ(fx.RowCount("ProcessLog"), 0);
}

TEST_F(MainLoaderTest, AStopAtAYieldKeepsTheRowsCommittedBefore) {
  std::string content;
  for (int i = 1; i <= 150; ++i) content += MainRecord(i);
  fx.WriteDataSet("main.dat", content);
  fx.ui().RequestStopAtCaption("frmStatus", "lblRecordCount", "100");  // shown before record 100
  EXPECT_THROW(fx.Run(MainLoader()), engine::RunStopped);
  EXPECT_EQ(fx.RowCount("DalkMain"), 99);
  EXPECT_EQ(fx.RowCount("ProcessLog"), 0);
}

// The staging table's indexes are built after its rows, and are there
// however the step ends.
TEST_F(MainLoaderTest, TheStagingIndexesAreThereWhateverWayTheStepEnds) {
  const std::string indexes = fx.IndexesOf("DalkMain");
  ASSERT_NE(indexes, "");
  std::string content;
  for (int i = 1; i <= 150; ++i) content += MainRecord(i);
  fx.WriteDataSet("main.dat", content);

  fx.Run(MainLoader());
  EXPECT_EQ(fx.IndexesOf("DalkMain"), indexes);
  // Stopped at the progress shown before record 100, not at the first
  // yield: a slow machine may yield on the clock before that.
  fx.ui().RequestStopAtCaption("frmStatus", "lblRecordCount", "100");
  EXPECT_THROW(fx.Run(MainLoader(), 2), engine::RunStopped);
  EXPECT_EQ(fx.IndexesOf("DalkMain"), indexes);
  EXPECT_EQ(fx.RowCount("DalkMain"), 150 + 99);
}

}  // namespace
}  // namespace morvane::loaders
