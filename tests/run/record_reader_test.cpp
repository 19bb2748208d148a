#include "run/record_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/line_reader.h"
#include "support/temp_dir.h"

namespace morvane::engine {
namespace {

using Result = RecordReader::Result;

struct Pass {
  Result result;
  std::string record;
  std::int64_t first_line;
};

std::vector<Pass> ReadAll(const std::string& content, std::size_t max_record = RecordReader::kMaxRecord,
                          std::size_t max_line = std::size_t{1} << 20) {
  testing::TempDir dir;
  const auto path = dir.Write("data.dat", content);
  files::LineReader lines(path, max_line);
  RecordReader reader(lines, max_record);
  std::vector<Pass> passes;
  std::string record;
  for (Result r; (r = reader.Next(record)) != Result::kEnd;)
    passes.push_back({r, record, reader.FirstLine()});
  return passes;
}

struct ReaderCase {
  const char* name;
  std::string content;
  std::vector<Pass> expected;
};

class RecordReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(RecordReaderTest, ReadsRecordsAsTheLoadersSeeThem) {
  const auto passes = ReadAll(GetParam().content);
  ASSERT_EQ(passes.size(), GetParam().expected.size());
  for (std::size_t i = 0; i < passes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(passes[i].result, GetParam().expected[i].result);
    EXPECT_EQ(passes[i].record, GetParam().expected[i].record);
    EXPECT_EQ(passes[i].first_line, GetParam().expected[i].first_line);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordReaderTest,
    ::testing::Values(
        ReaderCase{"OneLine", "a|b|c|^|\n", {{Result::kRecord, "a|b|c", 1}}},
        ReaderCase{"OneLineTrimmedOfBlanks", "  a|b |^|  \n", {{Result::kRecord, "a|b ", 1}}},
        ReaderCase{"ThreeLinesJoined", "a|b \n c|d\ne|^|\n", {{Result::kRecord, "a|b \\n c|d \\n e", 1}}},
        ReaderCase{"EndMarkAloneKeepsTheJoint", "1|A|B\n|^|\n", {{Result::kRecord, "1|A|B \\n ", 1}}},
        ReaderCase{"CrlfLikeLf", "a|b|^|\r\nc|\r\nd|^|\r\n",
                   {{Result::kRecord, "a|b", 1}, {Result::kRecord, "c| \\n d", 2}}},
        ReaderCase{"TabsAndCrAfterEndMark", "a|^|\t \r\nb|^|", {{Result::kRecord, "a", 1}, {Result::kRecord, "b", 2}}},
        ReaderCase{"BlankAndTabLinesAreEmpty", "\n \t \na|^|\n",
                   {{Result::kEmptyLine, "", 1}, {Result::kEmptyLine, "", 2}, {Result::kRecord, "a", 3}}},
        ReaderCase{"TabsInsideStay", "\ta\t|b|^|\n", {{Result::kRecord, "\ta\t|b", 1}}},
        ReaderCase{"UnterminatedTail", "a|^|\nb|c\nd\n",
                   {{Result::kRecord, "a", 1}, {Result::kUnterminated, "b|c \\n d", 2}}},
        ReaderCase{"LastLineWithoutNewline", "a|^|\nb|^|", {{Result::kRecord, "a", 1}, {Result::kRecord, "b", 2}}},
        ReaderCase{"CrOnlyLineEnds", "a|^|\r1|b|\rc|^|\r",
                   {{Result::kRecord, "a", 1}, {Result::kRecord, "1|b| \\n c", 2}}},
        ReaderCase{"LfCrLeavesNoCrInTheNextRecord", "a|^|\n\r7|b|^|\n\r",
                   {{Result::kRecord, "a", 1}, {Result::kEmptyLine, "", 2}, {Result::kRecord, "7|b", 3},
                    {Result::kEmptyLine, "", 4}}},
        ReaderCase{"LastLineOnlyCr", "a|^|\n\r", {{Result::kRecord, "a", 1}, {Result::kEmptyLine, "", 2}}},
        ReaderCase{"BarsKeptInRecord", "x||y|^|\n", {{Result::kRecord, "x||y", 1}}},
        ReaderCase{"Windows1252Decoded", "caf\xe9|\x80|^|\n", {{Result::kRecord, "caf\xc3\xa9|\xe2\x82\xac", 1}}},
        ReaderCase{"Utf8AfterAByteOrderMark", "\xEF\xBB\xBFG\xC3\xB3mez|^|\n", {{Result::kRecord, "G\xC3\xB3mez", 1}}},
        ReaderCase{"Utf8AfterTwoByteOrderMarks", "\xEF\xBB\xBF\xEF\xBB\xBFG\xC3\xB3mez|^|\n\xEF\xBB\xBF" "7|^|\n",
                   {{Result::kRecord, "G\xC3\xB3mez", 1}, {Result::kRecord, "\xEF\xBB\xBF" "7", 2}}},
        ReaderCase{"NotUtf8AfterAByteOrderMark", "\xEF\xBB\xBF" "a|^|\nb|\ncaf\xE9|^|\nc|^|\n",
                   {{Result::kRecord, "a", 1}, {Result::kNotUtf8, "b| \\n caf\xEF\xBF\xBD", 2},
                    {Result::kRecord, "c", 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The same in a Windows-1252 file and in a UTF-8 one.
struct Encoding {
  const char* start;  // of the file
  const char* e_acute;
};
const Encoding kEncodings[] = {{"", "\xE9"}, {"\xEF\xBB\xBF", "\xC3\xA9"}};

// A line over the limit is judged by how it ends: blanks alone are an empty
// line, blanks before a record's text a record too long.
TEST(RecordReaderLimits, AnOverLongRecordIsSkippedUpToItsEndMark) {
  std::string blanks;
  for (int i = 0; i < 40; ++i) blanks += "\t ";
  for (const Encoding& e : kEncodings) {
    SCOPED_TRACE(e.e_acute);
    const std::string long_line = "x" + std::string(40, 'l') + "|^|";
    const auto passes = ReadAll(std::string(e.start) + "aaaa|\nbbbb|\ncccc|\ndddd|^|\ne|^|\n" + long_line +
                                    "\nf|^|\n" + std::string(30, 'm') + "\ng|h|^|\ni|^|\n" + e.e_acute +
                                    long_line + blanks + "\nj" + e.e_acute + "|^|\n" + blanks + "\n" + blanks +
                                    long_line + "\nk|^|\n",
                                /*max_record=*/12, /*max_line=*/20);
    ASSERT_EQ(passes.size(), 11u);
    const Result kinds[] = {Result::kTooLong, Result::kRecord,  Result::kTooLong,   Result::kRecord,
                            Result::kTooLong, Result::kRecord,  Result::kTooLong,   Result::kRecord,
                            Result::kEmptyLine, Result::kTooLong, Result::kRecord};
    const std::int64_t lines[] = {1, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < passes.size(); ++i) {
      EXPECT_EQ(passes[i].result, kinds[i]) << i;
      EXPECT_EQ(passes[i].first_line, lines[i]) << i;
    }
    EXPECT_EQ(passes[1].record, "e");
    EXPECT_EQ(passes[3].record, "f");
    EXPECT_EQ(passes[5].record, "i");
    EXPECT_EQ(passes[7].record, "j\xC3\xA9");
    EXPECT_EQ(passes[10].record, "k");
  }
}

// The limit counts the bytes of the record's lines in the file, blanks
// and end mark included, line ends not: in a Windows-1252 file an accented
// letter is one of them, in a UTF-8 file two, however long the record
// grows once decoded and joined.
TEST(RecordReaderLimits, TheLimitCountsTheBytesInTheFile) {
  const std::string e1 = "\xE9", e2 = "\xC3\xA9";
  const struct {
    bool utf8;
    std::string content;
    Result result;
    std::string record;
  } cases[] = {
      {false, e1 + e1 + e1 + e1 + e1 + e1 + e1 + e1 + e1 + "|^|\n", Result::kRecord,
       e2 + e2 + e2 + e2 + e2 + e2 + e2 + e2 + e2},
      {false, e1 + e1 + e1 + e1 + e1 + e1 + e1 + e1 + e1 + "1|^|\n", Result::kTooLong, ""},
      {false, " " + e1 + e1 + e1 + "|\n" + e1 + e1 + e1 + e1 + "|^|\n", Result::kRecord,
       e2 + e2 + e2 + "| \\n " + e2 + e2 + e2 + e2},
      {false, " " + e1 + e1 + e1 + "|\n" + e1 + e1 + e1 + e1 + "|^| \n", Result::kTooLong, ""},
      {true, e2 + "|\n" + e2 + e2 + "a|^| \n", Result::kRecord, e2 + "| \\n " + e2 + e2 + "a"},
      {true, e2 + "|\n" + e2 + e2 + "a|^|  \n", Result::kTooLong, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    const auto passes = ReadAll((c.utf8 ? "\xEF\xBB\xBF" : "") + c.content + "z|^|", /*max_record=*/12);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_EQ(passes[0].result, c.result);
    if (c.result == Result::kRecord) {
      EXPECT_EQ(passes[0].record, c.record);
    }
    EXPECT_EQ(passes[1].record, "z");
  }
}

// The loaders' limit holds a record with its end mark: one of exactly that
// many bytes on one line is read, one byte more is too long. Windows-1252
// letters count one byte each, though twice that many once decoded.
TEST(RecordReaderLimits, ARecordOfExactlyTheLimitIsRead) {
  const std::string body(RecordReader::kMaxRecord - 3, 'x');
  const std::string accented(RecordReader::kMaxRecord - 3, '\xE9');
  testing::TempDir dir;
  files::LineReader lines(dir.Write("data.dat", body + "|^|\n" + accented + "|^|\ny" + body + "|^|\n"));
  RecordReader reader(lines);
  std::string record;
  ASSERT_EQ(reader.Next(record), Result::kRecord);
  EXPECT_EQ(record, body);
  ASSERT_EQ(reader.Next(record), Result::kRecord);
  EXPECT_EQ(record.size(), 2 * accented.size());
  EXPECT_EQ(reader.Next(record), Result::kTooLong);
}

TEST(EndsRecordTest, OnlyBlanksTabsAndCarriageReturnsMayFollowTheEndMark) {
  std::size_t body = 0;
  EXPECT_TRUE(EndsRecord("a|^|", &body));
  EXPECT_EQ(body, 1u);
  EXPECT_TRUE(EndsRecord("a|^| \t\r", &body));
  EXPECT_EQ(body, 1u);
  EXPECT_FALSE(EndsRecord("a|^|x"));
  EXPECT_FALSE(EndsRecord("a|^"));
  EXPECT_FALSE(EndsRecord("^|"));
}

}  // namespace
}  // namespace morvane::engine
