#include "platform/files/line_reader.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace morvane::files {
namespace {

using morvane::testing::TempDir;
using Status = LineReader::Status;

struct Line {
  std::string text;
  Status status = Status::kLine;
  friend bool operator==(const Line&, const Line&) = default;
};

void PrintTo(const Line& line, std::ostream* os) {
  *os << ::testing::PrintToString(line.text)
      << (line.status == Status::kTooLong ? " (too long)" : "");
}

std::vector<Line> ReadAll(LineReader& reader) {
  std::vector<Line> lines;
  std::string text;
  for (Status s; (s = reader.ReadLine(text)) != Status::kEnd;) lines.push_back({text, s});
  EXPECT_TRUE(text.empty());
  return lines;
}

struct ReadCase {
  const char* name;
  std::string content;
  std::size_t max_line;
  std::vector<Line> lines;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class LineReaderTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineReaderTest, SplitsLines) {
  const ReadCase& c = GetParam();
  TempDir dir;
  LineReader reader(dir.Write("data.dat", c.content), c.max_line);
  EXPECT_EQ(ReadAll(reader), c.lines);
  EXPECT_EQ(reader.BytesRead(), static_cast<std::int64_t>(c.content.size()));
  EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(c.lines.size()));
}

constexpr std::size_t kMax = 1 << 20;
const Status kTooLong = Status::kTooLong;

INSTANTIATE_TEST_SUITE_P(
    Contents, LineReaderTest,
    ::testing::Values(
        ReadCase{"Lf", "a|b|^|\nc|^|\n", kMax, {{"a|b|^|"}, {"c|^|"}}},
        ReadCase{"Crlf", "a|b|^|\r\nc|^|\r\n", kMax, {{"a|b|^|"}, {"c|^|"}}},
        ReadCase{"MixedEnds", "a\r\nb\nc\r\n", kMax, {{"a"}, {"b"}, {"c"}}},
        ReadCase{"LastLineWithoutEnd", "a\nb|^|", kMax, {{"a"}, {"b|^|"}}},
        ReadCase{"Empty", "", kMax, {}},
        ReadCase{"EmptyLines", "\n\r\n\n", kMax, {{""}, {""}, {""}}},
        ReadCase{"LoneCrEndsALine", "a\rb\n", kMax, {{"a"}, {"b"}}},
        ReadCase{"CrOnlyEnds", "a|^|\rb|^|\r", kMax, {{"a|^|"}, {"b|^|"}}},
        ReadCase{"LfCrIsTwoEnds", "a\n\r7|^|\n\r", kMax, {{"a"}, {""}, {"7|^|"}, {""}}},
        ReadCase{"CrAtTheEndOfTheFile", "a\r", kMax, {{"a"}}},
        ReadCase{"CrCrLf", "a\r\r\n", kMax, {{"a"}, {""}}},
        ReadCase{"LeadingBlanksStay", "  a  \n", kMax, {{"  a  "}}},
        ReadCase{"TooLong", "abcdefgh\nxy\n", 4, {{"abcd", kTooLong}, {"xy"}}},
        ReadCase{"TooLongCrlf", "abcde\r\nxy\r\n", 4, {{"abcd", kTooLong}, {"xy"}}},
        ReadCase{"TooLongLastLine", "xy\nabcdefgh", 4, {{"xy"}, {"abcd", kTooLong}}},
        ReadCase{"ExactlyMaxLf", "abcd\n", 4, {{"abcd"}}},
        ReadCase{"ExactlyMaxCrlf", "abcd\r\nx", 4, {{"abcd"}, {"x"}}},
        ReadCase{"ExactlyMaxEndingInCr", "abcd\r\r\n", 4, {{"abcd"}, {""}}},
        ReadCase{"ZeroMax", "a\n\n", 0, {{"", kTooLong}, {""}}},
        // A UTF-8 byte-order mark opens the file, not its first line; elsewhere it is text.
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF" "7|^|\n\xEF\xBB\xBF" "8|^|\n", kMax, {{"7|^|"}, {"\xEF\xBB\xBF" "8|^|"}}},
        ReadCase{"OnlyAByteOrderMark", "\xEF\xBB\xBF", kMax, {}},
        ReadCase{"HalfAByteOrderMark", "\xEF\xBB\n", kMax, {{"\xEF\xBB"}}},
        // Marks written over and over at the start are all marks.
        ReadCase{"ByteOrderMarkThrice", "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF" "7|^|\n\xEF\xBB\xBF" "8|^|\n", kMax,
                 {{"7|^|"}, {"\xEF\xBB\xBF" "8|^|"}}},
        ReadCase{"OnlyTwoByteOrderMarks", "\xEF\xBB\xBF\xEF\xBB\xBF", kMax, {}},
        ReadCase{"AByteOrderMarkThenHalfOne", "\xEF\xBB\xBF\xEF\xBB", kMax, {{"\xEF\xBB"}}}));

// Byte-order marks over the first fill of the 1 MiB buffer: its last byte
// is the first of a mark, or of a sequence that only begins like one.
TEST(LineReaderBuffer, SkipsByteOrderMarksAcrossAFill) {
  std::string marks;
  for (int i = 0; i < (1 << 20) / 3; ++i) marks += "\xEF\xBB\xBF";
  ASSERT_EQ(marks.size() + 1, std::size_t{1} << 20);
  const struct {
    std::string content;
    std::string first_line;
  } cases[] = {{marks + "\xEF\xBB\xBF" "a|^|\n", "a|^|"}, {marks + "\xEF\xBB" "b|^|\n", "\xEF\xBB" "b|^|"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first_line);
    TempDir dir;
    LineReader reader(dir.Write("data.dat", c.content));
    EXPECT_EQ(ReadAll(reader), std::vector<Line>{{c.first_line}});
    EXPECT_TRUE(reader.Utf8ByteOrderMark());
    EXPECT_EQ(reader.BytesRead(), static_cast<std::int64_t>(c.content.size()));
  }
}

// Lines that cross the reader's 1 MiB buffer, a CRLF split between two
// fills among them, and a too-long line that spans several fills.
TEST(LineReaderBuffer, JoinsLinesAcrossFills) {
  TempDir dir;
  std::string content;
  std::vector<Line> expected;
  const std::string first((1 << 20) - 1, 'x');  // its CR ends the first fill
  content += first + "\r\n";
  expected.push_back({first});
  for (int i = 0; i < 20000; ++i) {
    std::string line(static_cast<std::size_t>(i % 301), static_cast<char>('a' + i % 26));
    line += std::to_string(i);
    content += line + (i % 2 ? "\r\n" : "\n");
    expected.push_back({line});
  }
  content += std::string(3 << 20, 'y') + "\r\n";  // too long, over four fills
  expected.push_back({std::string(1 << 20, 'y'), Status::kTooLong});
  content += "after|^|";
  expected.push_back({"after|^|"});

  LineReader reader(dir.Write("big.dat", content));
  EXPECT_EQ(reader.FileLength(), static_cast<std::int64_t>(content.size()));
  const auto lines = ReadAll(reader);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
  }
  EXPECT_EQ(reader.BytesRead(), static_cast<std::int64_t>(content.size()));
}

// The tail of a too-long line is how it ends before its trailing blanks
// and tabs, however many, so that an end mark there is seen; blanks between
// text stay, also where they lie in other fills of the buffer.
TEST(LineReaderTail, KeepsTheEndOfATooLongLine) {
  const std::string tail = "0123456789" + std::string(60, 't') + "|^|";
  const std::string last64 = tail.substr(tail.size() - LineReader::kTailSize);
  std::string blanks;
  for (int i = 0; i < 40; ++i) blanks += " \t";
  const std::size_t fill = std::size_t{1} << 20;
  const struct {
    const char* name;
    std::string line;
    std::size_t max_line;
    std::string tail;
  } cases[] = {
      {"Plain", "abcdef" + tail, 4, last64},
      {"BlanksAfter", "abcdef" + tail + blanks, 4, last64},
      {"BlanksAfterAShortRest", "ab|^|" + blanks, 4, "ab|^|"},
      {"BlanksBetween", "ab|^  |" + blanks, 5, "ab|^  |"},
      {"ManyBlanksBetween", "ab|^" + blanks + "|" + blanks, 4, blanks.substr(17) + "|"},
      {"OnlyBlanks", blanks, 4, ""},
      {"MarkInTheFirstFill", std::string(fill - 3, 'z') + "|^|" + std::string(fill, '\t'), fill,
       std::string(61, 'z') + "|^|"},
      {"MarkOverThreeFills", std::string(fill - 2, 'z') + "|^" + std::string(fill, ' ') + "|" + blanks,
       fill, std::string(63, ' ') + "|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    LineReader reader(dir.Write("data.dat", c.line + "\r\nxy\n"), c.max_line);
    std::string line;
    ASSERT_EQ(reader.ReadLine(line), Status::kTooLong);
    EXPECT_EQ(reader.TooLongTail(), c.tail);
    ASSERT_EQ(reader.ReadLine(line), Status::kLine);
    EXPECT_EQ(line, "xy");
    EXPECT_EQ(reader.TooLongTail(), "");
  }
}

TEST(LineReaderProgress, CountsLinesAndBytes) {
  TempDir dir;
  LineReader reader(dir.Write("data.dat", "ab\r\ncd\nef"));
  EXPECT_EQ(reader.FileLength(), 9);
  EXPECT_FALSE(reader.AtEnd());
  struct Step {
    std::string text;
    std::int64_t line_number, bytes_read;
  };
  const Step steps[] = {{"ab", 1, 4}, {"cd", 2, 7}, {"ef", 3, 9}};
  std::string line;
  for (const Step& step : steps) {
    ASSERT_EQ(reader.ReadLine(line), Status::kLine);
    EXPECT_EQ(line, step.text);
    EXPECT_EQ(reader.LineNumber(), step.line_number);
    EXPECT_EQ(reader.BytesRead(), step.bytes_read);
  }
  EXPECT_TRUE(reader.AtEnd());
  line = "stale";
  EXPECT_EQ(reader.ReadLine(line), Status::kEnd);
  EXPECT_EQ(line, "");
  EXPECT_EQ(reader.LineNumber(), 3);
  EXPECT_EQ(reader.ReadLine(line), Status::kEnd);
}

TEST(LineReaderOpen, FindsTheFileWithoutRegardToCase) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Export");
  dir.Write("Export/MAIN.DAT", "a|^|\n");
  LineReader reader(dir / "export" / "main.dat");
  std::string line;
  EXPECT_EQ(reader.ReadLine(line), Status::kLine);
  EXPECT_EQ(line, "a|^|");
}

TEST(LineReaderOpen, ThrowsWhenItCannotOpen) {
  TempDir dir;
  EXPECT_THROW(LineReader(dir / "missing.dat"), std::filesystem::filesystem_error);
  std::filesystem::create_directory(dir / "folder.dat");
  EXPECT_THROW(LineReader(dir / "folder.dat"), std::filesystem::filesystem_error);
}

}  // namespace
}  // namespace morvane::files
