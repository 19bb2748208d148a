// The check of a user's database before a step writes into it.
#include "run/user_database.h"

#include <fcntl.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/sql_database.h"
#include "support/temp_dir.h"

namespace morvane::engine {
namespace {

using morvane::testing::TempDir;

constexpr const char* kTable =
    "CREATE TABLE AntSite_B (TowerSiteKeyB TEXT(20) COLLATE NOCASE, "
    "TowerSiteInfoB VARCHAR(80) COLLATE NOCASE, AntSite_CountB INTEGER);";
constexpr const char* kCount = "CREATE INDEX idxCount ON AntSite_B (AntSite_CountB);";

struct CheckCase {
  const char* name;
  std::string sql;            // the database; "" builds no file
  const char* path;           // the setting's text; "@" is the built file
  const char* error_part;     // "" when the check passes
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class UserDatabaseCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(UserDatabaseCheckTest, StopsWithTheSettingPathAndWhatIsMissing) {
  const CheckCase& c = GetParam();
  TempDir dir;
  const auto file = dir / "b.mdb";
  if (!c.sql.empty()) testing::BuildSqlDatabase(file, c.sql);
  const std::string path = std::string(c.path) == "@" ? file.string() : c.path;
  const std::string before = TempDir::Read(file);
  const UserDatabase database{"AntSite_B", path,
                              {{"AntSite_B",
                                {"TowerSiteKeyB", "TowerSiteInfoB", "AntSite_CountB"},
                                {{"idxTowerSiteInfoB", "TowerSiteInfoB"}, {"idxCount", "AntSite_CountB"}}}}};
  db::Workspace workspace;
  std::optional<std::string> error;
  try {
    CheckUserDatabase(workspace, database);
  } catch (const StepError& e) {
    error = e.what();
    EXPECT_EQ(e.file(), path);
  }
  if (*c.error_part == '\0') {
    EXPECT_FALSE(error) << *error;
  } else {
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("The setting AntSite_B (" + path + ") "), std::string::npos) << *error;
    EXPECT_NE(error->find(c.error_part), std::string::npos) << *error;
  }
  // Nothing is created or changed, whatever the outcome.
  EXPECT_EQ(TempDir::Read(file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), c.sql.empty() ? 0 : 1);
}

const std::string kIndex = "CREATE INDEX idxTowerSiteInfoB ON AntSite_B (TowerSiteInfoB);";

INSTANTIATE_TEST_SUITE_P(
    Cases, UserDatabaseCheckTest,
    ::testing::Values(
        CheckCase{"Complete", kTable + kIndex + kCount, "@", ""},
        CheckCase{"IndexNamedWithItsTable",
                  kTable + std::string("CREATE INDEX \"AntSite_B.idxTowerSiteInfoB\" ON AntSite_B "
                                       "(TowerSiteInfoB);") + kCount,
                  "@", ""},
        CheckCase{"NoPath", "", "", "names no database file"},
        CheckCase{"PathNone", "", "NONE", "names no database file"},
        CheckCase{"MissingFile", "", "/nowhere/b.mdb", "names a file that does not exist"},
        CheckCase{"MissingTable", "CREATE TABLE Other (x);", "@", "has no table AntSite_B"},
        CheckCase{"MissingField",
                  "CREATE TABLE AntSite_B (TowerSiteKeyB TEXT, TowerSiteInfoB TEXT COLLATE NOCASE);" + kIndex,
                  "@", "has no field AntSite_CountB in table AntSite_B"},
        CheckCase{"MissingIndex", kTable + std::string(kCount), "@",
                  "has no index idxTowerSiteInfoB on field TowerSiteInfoB of table AntSite_B"},
        CheckCase{"IndexOnAnotherField",
                  kTable + std::string("CREATE INDEX idxTowerSiteInfoB ON AntSite_B (TowerSiteKeyB);") + kCount,
                  "@", "index idxTowerSiteInfoB of table AntSite_B on field TowerSiteKeyB, not on TowerSiteInfoB"},
        CheckCase{"CaseSensitiveIndex",
                  kTable + std::string("CREATE INDEX idxTowerSiteInfoB ON AntSite_B (TowerSiteInfoB COLLATE BINARY);") +
                      kCount,
                  "@",
                  "compares letter case, so keys cannot be found without regard to case. Rebuild it with the "
                  "sqlite3 shell: DROP INDEX \"idxTowerSiteInfoB\"; CREATE INDEX \"idxTowerSiteInfoB\" ON "
                  "\"AntSite_B\" (\"TowerSiteInfoB\" COLLATE NOCASE);"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UserDatabaseCheckTest, RefusesAFileThatIsNotADatabase) {
  TempDir dir;
  const auto file = dir.Write("b.mdb", "not a database at all, just text\n");
  db::Workspace workspace;
  try {
    CheckUserDatabase(workspace, {"AntSite_B", file.string(), {}});
    FAIL() << "no error";
  } catch (const StepError& e) {
    EXPECT_NE(std::string(e.what()).find("cannot be opened as a database"), std::string::npos) << e.what();
  }
  EXPECT_EQ(TempDir::Read(file), "not a database at all, just text\n");
}

// SQLite opens a file that it may not write read-only without a word, and
// begins even an immediate transaction on it; and a writable file in a
// folder that will not take its rollback journal fails only at its first
// change; a file it may not read at all is there all the same. The check
// must refuse each, saying why. Root may write anything, so it checks
// as nobody (setfsuid and setfsgid: this thread only).
TEST(UserDatabaseCheckTest, RefusesADatabaseThatCannotReallyBeWritten) {
  namespace fs = std::filesystem;
  const struct {
    const char* name;
    fs::perms file;
    bool folder_writable;
    const char* error_part;
  } cases[] = {
      {"read-only file", fs::perms::owner_read | fs::perms::others_read, true,
       "names a file that cannot be written now ("},
      {"read-only file in a read-only folder", fs::perms::owner_read | fs::perms::others_read, false,
       "names a file that cannot be written now ("},  // the file is what cannot be written
      {"read-only folder", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read |
                               fs::perms::others_write,
       false, "names a file that cannot be written now: its folder "},
      {"unreadable file", fs::perms::owner_read | fs::perms::owner_write, true,
       "names a file that cannot be read: permission denied."},
  };
  const bool root = ::geteuid() == 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto file = dir / "b.mdb";
    testing::BuildSqlDatabase(file, kTable);
    const std::string before = TempDir::Read(file);
    fs::permissions(file, c.file);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec |
                                    (c.folder_writable ? fs::perms::others_write : fs::perms::none));
    if (!c.folder_writable && !root) fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    if (root) ::setfsgid(65534), ::setfsuid(65534);
    if (const int fd = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY); fd >= 0) {
      ::close(fd);
    } else {  // a temporary folder inside one that nobody may enter
      if (root) ::setfsuid(0), ::setfsgid(0);
      GTEST_SKIP() << "the test database cannot be read as nobody: " << file;
    }
    std::optional<std::string> error;
    try {
      db::Workspace workspace;
      CheckUserDatabase(workspace, {"AntSite_B", file.string(), {}, /*written=*/true});
    } catch (const StepError& e) {
      error = e.what();
    }
    if (root) ::setfsuid(0), ::setfsgid(0);
    fs::permissions(dir.path(), fs::perms::owner_all);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(c.error_part), std::string::npos) << *error;
    EXPECT_EQ(TempDir::Read(file), before);
  }
}

// A database that a run may go without is passed over only when nothing is
// there: a folder named in its place is a mistake, and said so.
TEST(UserDatabaseCheckTest, AnOptionalDatabaseThatIsAFolderIsRefused) {
  TempDir dir;
  db::Workspace workspace;
  try {
    CheckUserDatabase(workspace, {"AntSite_E", dir.path().string(), {}, false, /*optional=*/true});
    FAIL() << "no error";
  } catch (const StepError& e) {
    EXPECT_NE(std::string(e.what()).find("which is a folder, not a file"), std::string::npos) << e.what();
  }
}

TEST(UserDatabaseCheckTest, AFileOfAFixedNameIsNamedItself) {
  db::Workspace workspace;
  try {
    CheckUserDatabase(workspace, {"", "/nowhere/einkwd.mdb", {}});
    FAIL() << "no error";
  } catch (const StepError& e) {
    EXPECT_EQ(std::string(e.what()), "The file /nowhere/einkwd.mdb does not exist.");
  }
}

TEST(UserDatabaseErrorTest, NamesTheUsersFileForAnErrorOfTheDatabaseLayer) {
  try {
    InUserDatabase("/data/b.mdb", []() -> int { throw db::Error("disk I/O error", "AntSite_B"); });
    FAIL() << "no error";
  } catch (const StepError& e) {
    EXPECT_EQ(e.file(), "/data/b.mdb");
    EXPECT_EQ(std::string(e.what()), "disk I/O error (AntSite_B)");
  }
}

}  // namespace
}  // namespace morvane::engine
