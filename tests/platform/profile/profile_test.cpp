#include "platform/profile/profile.h"

#include <string>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace morvane::profile {
namespace {

using morvane::testing::TempDir;

constexpr char kSettings[] =
    "; Morvane settings\n"
    "[InputFiles]\n"
    "TableMain=c:\\conv\\main.dat\n"
    "\n"
    "[OutputFiles]\n"
    "  OutputPathAndFilename =  c:\\conv\\dalkdb.mdb  \n"
    "Quoted=\"  spaced  \"\n"
    "Tabbed=\tvalue\t\n"
    ";Commented=yes\n"
    "Empty=\n"
    "Twice=first\n"
    "Twice=second\n"
    "[Ant Site]\n"
    "AntSite_A=\n"
    "Shared=ant site\n"
    "[OutputFiles]\n"
    "Late=late\n";

TEST(GetString, ReadsKeysAsStored) {
  TempDir dir;
  const auto file = dir.Write("morvane.ini", kSettings);
  struct Case {
    std::string section, key, expected;
  };
  const Case cases[] = {
      {"InputFiles", "TableMain", "c:\\conv\\main.dat"},
      {"inputfiles", "TABLEMAIN", "c:\\conv\\main.dat"},
      {"OutputFiles", "OutputPathAndFilename", "c:\\conv\\dalkdb.mdb"},
      {"OutputFiles", "Quoted", "  spaced  "},
      {"OutputFiles", "Tabbed", "value"},
      {"OutputFiles", "Commented", "NONE"},
      {"OutputFiles", "Empty", ""},
      {"OutputFiles", "Twice", "first"},
      {"Ant Site", "AntSite_A", ""},
      {"Ant Site", "Shared", "ant site"},
      {"InputFiles", "Shared", "NONE"},  // a key of another section
      {"Ant Site", "TableMain", "NONE"},
      {"Missing", "TableMain", "NONE"},
      {"InputFiles", "Missing", "NONE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetString(c.section, c.key, "NONE", 100, file), c.expected)
        << c.section << "/" << c.key;
  }
}

TEST(GetString, MissingFileGivesTheFallback) {
  TempDir dir;
  EXPECT_EQ(GetString("InputFiles", "TableMain", "NONE", 100, dir / "morvane.ini"), "NONE");
}

TEST(GetString, FindsTheFileWithoutRegardToCase) {
  TempDir dir;
  dir.Write("Morvane.INI", "[A]\nk=v\n");
  EXPECT_EQ(GetString("A", "k", "NONE", 100, dir / "morvane.ini"), "v");
}

TEST(GetString, ReadsCrlfLinesWithoutTheirCarriageReturn) {
  TempDir dir;
  const auto file = dir.Write("s.ini", "[A]\r\nk=v\r\nlast=end\r\n");
  EXPECT_EQ(GetString("A", "k", "NONE", 100, file), "v");
  EXPECT_EQ(GetString("A", "last", "NONE", 100, file), "end");
}

TEST(GetString, CutsTheValueToTheBufferLessOne) {
  TempDir dir;
  const std::string long_value(120, 'x');
  const auto file =
      dir.Write("s.ini", "[A]\nlong=" + long_value + "\nwide=\xC3\xA9\xC3\xA9\xC3\xA9\n");
  struct Case {
    std::string key, fallback;
    std::size_t buffer;
    std::string expected;
  };
  const Case cases[] = {
      {"long", "NONE", 100, std::string(99, 'x')},
      {"long", "NONE", 121, long_value},
      {"long", "NONE", 1, ""},
      {"long", "NONE", 0, ""},
      {"wide", "NONE", 3, "\xC3\xA9\xC3\xA9"},  // characters, not bytes
      {"missing", "NONE", 3, "NO"},
      {"missing", "NONE", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetString("A", c.key, c.fallback, c.buffer, file), c.expected)
        << c.key << " with buffer " << c.buffer;
  }
}

struct WriteCase {
  const char* name;
  std::string before;
  std::string section, key, value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteStringTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteStringTest, ChangesOnlyTheKey) {
  const WriteCase& c = GetParam();
  TempDir dir;
  const auto file = dir.Write("morvane.ini", c.before);
  ASSERT_TRUE(WriteString(c.section, c.key, c.value, file));
  EXPECT_EQ(TempDir::Read(file), c.after);
  EXPECT_EQ(GetString(c.section, c.key, "NONE", 100, file), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WriteStringTest,
    ::testing::Values(
        WriteCase{"ReplacesInPlace",
                  "; comment\n[A]\nk=old\n  odd line\nz=1\n[B]\nk=b\n", "a", "K", "new",
                  "; comment\n[A]\nk=new\n  odd line\nz=1\n[B]\nk=b\n"},
        WriteCase{"AddsAfterTheLastKeyOfItsSection",
                  "[A]\nx=1\ny=2\n\n[B]\nx=b\n", "A", "z", "3",
                  "[A]\nx=1\ny=2\nz=3\n\n[B]\nx=b\n"},
        WriteCase{"AddsToAnEmptySectionAfterItsHeader",
                  "[A]\n[B]\nx=b\n", "A", "z", "3", "[A]\nz=3\n[B]\nx=b\n"},
        WriteCase{"AddsTheSectionAtTheEnd",
                  "[A]\nx=1\n", "Ant Site", "AntSite_A", "", "[A]\nx=1\n[Ant Site]\nAntSite_A=\n"},
        WriteCase{"EndsAnUnterminatedLastLineFirst",
                  "[A]\nx=1", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n"},
        WriteCase{"AddsAfterAnUnterminatedLastKey",
                  "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        WriteCase{"ReplacesAnUnterminatedLastKey",
                  "[A]\nx=1", "A", "x", "2", "[A]\nx=2"},
        WriteCase{"KeepsCrlfLineEnds",
                  "[A]\r\nx=1\r\n[B]\r\n", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n[B]\r\n"},
        WriteCase{"ReplacesInACrlfFile",
                  "[A]\r\nx=1\r\n", "A", "x", "22", "[A]\r\nx=22\r\n"},
        WriteCase{"WritesIntoTheFirstOfTwoEqualSections",
                  "[A]\nx=1\n[B]\n[a]\ny=2\n", "A", "y", "3", "[A]\nx=1\ny=3\n[B]\n[a]\ny=2\n"},
        WriteCase{"KeepsACommentedKey",
                  "[A]\n;x=1\n", "A", "x", "2", "[A]\nx=2\n;x=1\n"}));

TEST(WriteString, CreatesTheDefaultSettingsInOrder) {
  TempDir dir;
  const auto file = dir / "morvane.ini";
  ASSERT_TRUE(WriteString("InputFiles", "TableMain", "c:\\conv\\main.dat", file));
  ASSERT_TRUE(WriteString("OutputFiles", "OutputPathAndFilename", "c:\\conv\\dalkdb.mdb", file));
  ASSERT_TRUE(WriteString("TempFiles", "CompactMdbFile", "c:\\conv\\compact.mdb", file));
  for (const char* key : {"AntSite_A", "AntSite_B", "AntSite_C", "AntSite_D", "AntSite_E"}) {
    ASSERT_TRUE(WriteString("Ant Site", key, "", file));
  }
  ASSERT_TRUE(WriteString("Ant Site", "AntSiteDb", "c:\\conv\\AntSiteDb.mdb", file));
  EXPECT_EQ(TempDir::Read(file),
            "[InputFiles]\nTableMain=c:\\conv\\main.dat\n"
            "[OutputFiles]\nOutputPathAndFilename=c:\\conv\\dalkdb.mdb\n"
            "[TempFiles]\nCompactMdbFile=c:\\conv\\compact.mdb\n"
            "[Ant Site]\nAntSite_A=\nAntSite_B=\nAntSite_C=\nAntSite_D=\nAntSite_E=\n"
            "AntSiteDb=c:\\conv\\AntSiteDb.mdb\n");
  // Exactly one file: the temporary one is gone.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(WriteString, WritesTheFileFoundWithoutRegardToCase) {
  TempDir dir;
  dir.Write("Morvane.ini", "[A]\nx=1\n");
  ASSERT_TRUE(WriteString("A", "x", "2", dir / "morvane.ini"));
  EXPECT_EQ(TempDir::Read(dir / "Morvane.ini"), "[A]\nx=2\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "morvane.ini"));
}

TEST(WriteString, WritesThroughALink) {
  TempDir dir;
  const auto real = dir.Write("real.ini", "[A]\nx=1\n");
  std::filesystem::create_symlink(real, dir / "link.ini");
  ASSERT_TRUE(WriteString("A", "x", "2", dir / "link.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(TempDir::Read(real), "[A]\nx=2\n");
}

TEST(WriteString, RefusesWhatItCannotWrite) {
  TempDir dir;
  const std::string before = "[A]\nx=1\n";
  const auto file = dir.Write("s.ini", before);
  EXPECT_FALSE(WriteString("A", "x", "two\nlines", file));
  EXPECT_FALSE(WriteString("A", "x=y", "1", file));
  EXPECT_FALSE(WriteString("A]", "x", "1", file));
  EXPECT_FALSE(WriteString("A", "", "1", file));
  EXPECT_EQ(TempDir::Read(file), before);

  EXPECT_FALSE(WriteString("A", "x", "1", dir / "no such folder" / "s.ini"));
  dir.Write("plain file", "");
  EXPECT_FALSE(WriteString("A", "x", "1", dir / "plain file" / "s.ini"));
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_FALSE(WriteString("A", "x", "1", dir / "folder.ini"));
}

}  // namespace
}  // namespace morvane::profile
