// Creating and opening database files: what is refused, and that a refused
// open never leaves a file behind.
#include <fstream>

#include "db_test_support.h"

namespace morvane::db::testing {
namespace {

void WriteFile(const std::filesystem::path& p, const std::string& content) {
  std::ofstream(p, std::ios::binary) << content;
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct RefusedOpen {
  std::string why;
  std::string name;  // relative to the temporary folder unless absolute or special
  bool in_folder = true;
};

void PrintTo(const RefusedOpen& c, std::ostream* os) { *os << c.why; }

class RefusedOpenTest : public ::testing::TestWithParam<RefusedOpen> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder_ / "folder.mdb");
    WriteFile(folder_ / "empty.mdb", "");
    WriteFile(folder_ / "text.mdb", "Not a database at all, just some text that is long enough.\n");
  }
  TempFolder folder_;
};

TEST_P(RefusedOpenTest, ThrowsAndCreatesNothing) {
  const RefusedOpen& c = GetParam();
  const std::filesystem::path p = c.in_folder ? folder_ / c.name : std::filesystem::path(c.name);
  const auto before = folder_.Entries();
  const bool existed_here = !c.name.empty() && std::filesystem::exists(c.name);
  const std::string text_before = ReadFile(folder_ / "text.mdb");
  Workspace ws;
  EXPECT_THROW(ws.OpenDatabase(p), Error);
  ws.Close();
  EXPECT_EQ(folder_.Entries(), before);
  if (!c.name.empty()) {
    EXPECT_EQ(std::filesystem::exists(c.name), existed_here) << c.name;
  }
  EXPECT_EQ(ReadFile(folder_ / "text.mdb"), text_before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedOpenTest,
    ::testing::Values(RefusedOpen{"empty name", "", false},
                      RefusedOpen{"memory", ":memory:", false},
                      RefusedOpen{"URI", "file:morvane-test.mdb", false},
                      RefusedOpen{"URI, upper case", "FILE:morvane-test.mdb?mode=rwc", false},
                      RefusedOpen{"unset setting", "NONE", false},
                      RefusedOpen{"missing file", "missing.mdb"},
                      RefusedOpen{"missing folder", "nowhere/missing.mdb"},
                      RefusedOpen{"a folder", "folder.mdb"},
                      RefusedOpen{"empty file", "empty.mdb"},
                      RefusedOpen{"not a database", "text.mdb"}));

TEST(WorkspaceOpenTest, OpensWithoutRegardToLetterCase) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Output");
  Workspace ws;
  {
    Database db = ws.CreateDatabase(folder / "Output" / "DalkDB.MDB");
    db.AppendTable(SampleTable());
  }
  Database db = ws.OpenDatabase(folder / "output" / "dalkdb.mdb");
  EXPECT_EQ(db.Path().filename(), "DalkDB.MDB");
  EXPECT_TRUE(db.FindTable("sample"));
}

TEST(WorkspaceOpenTest, ANewEmptyDatabaseOpensAgain) {
  TempFolder folder;
  Workspace ws;
  ws.CreateDatabase(folder / "new.mdb", ";LANGID=0x0409;CP=1252;COUNTRY=0").Close();
  EXPECT_GT(std::filesystem::file_size(folder / "new.mdb"), 0u);
  Database db = ws.OpenDatabase(folder / "new.mdb");
  EXPECT_TRUE(db.TableDefs().empty());
}

TEST(WorkspaceOpenTest, CreateRefusesAnExistingFileOrAMissingFolder) {
  TempFolder folder;
  WriteFile(folder / "Taken.mdb", "keep me");
  Workspace ws;
  EXPECT_THROW(ws.CreateDatabase(folder / "Taken.mdb"), Error);
  EXPECT_THROW(ws.CreateDatabase(folder / "taken.MDB"), Error);  // the same file here
  EXPECT_THROW(ws.CreateDatabase(folder / "missing" / "new.mdb"), Error);
  EXPECT_THROW(ws.CreateDatabase(""), Error);
  EXPECT_THROW(ws.CreateDatabase(":memory:"), Error);
  EXPECT_THROW(ws.CreateDatabase("file:" + (folder / "uri.mdb").string()), Error);
  EXPECT_EQ(ReadFile(folder / "Taken.mdb"), "keep me");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Taken.mdb"}));
}

}  // namespace
}  // namespace morvane::db::testing
