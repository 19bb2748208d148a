// Where a path leads: found, missing, or there but out of reach.
#include "platform/files/files.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace morvane::files {
namespace {

namespace fs = std::filesystem;
using Kind = Located::Kind;

// Only what is not there is missing: a folder that may not be searched, or
// a name that two entries match without regard to case, leaves it unknown.
// Root may search any folder, so it looks as nobody (this thread only).
TEST(LocateTest, OnlyWhatIsNotThereIsMissing) {
  testing::TempDir dir;
  fs::create_directories(dir / "Export");
  fs::create_directories(dir / "two");
  fs::create_directories(dir / "closed");
  dir.Write("Export/MAIN.DAT", "");
  dir.Write("two/a.mdb", "");
  dir.Write("two/A.mdb", "");
  dir.Write("closed/einkwd.mdb", "");
  fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  for (const char* open : {"Export", "two"})
    fs::permissions(dir / open, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  const bool root = ::geteuid() == 0;
  fs::permissions(dir / "closed", root ? fs::perms::owner_all : fs::perms::none);
  const struct {
    fs::path path;
    Kind kind;
    const char* reason_part;
  } cases[] = {
      {dir / "export" / "main.dat", Kind::kFound, ""},
      {dir / "export" / "site.dat", Kind::kMissing, ""},
      {dir / "gone" / "main.dat", Kind::kMissing, ""},
      // A file where a folder should be ("not a directory"): nothing can be
      // there, so an optional database named so is simply not there.
      {dir / "export" / "main.dat" / "antsite_e.mdb", Kind::kMissing, ""},
      {dir / "two" / "a.MDB", Kind::kUnreachable, ", whose names differ only in letter case"},
      {dir / "closed" / "einkwd.mdb", Kind::kUnreachable, "permission denied on the way to "},
  };
  if (root) ::setfsgid(65534), ::setfsuid(65534);
  const bool enterable = fs::exists(dir / "Export" / "MAIN.DAT");
  for (const auto& c : cases) {
    if (!enterable) break;
    SCOPED_TRACE(c.path);
    const Located located = Locate(c.path);
    EXPECT_EQ(located.kind, c.kind);
    EXPECT_NE(located.reason.find(c.reason_part), std::string::npos) << located.reason;
    if (c.kind == Kind::kUnreachable) {
      EXPECT_EQ(NotARegularFile(c.path).rfind("cannot be reached: ", 0), 0u);
    }
  }
  if (root) ::setfsuid(0), ::setfsgid(0);
  fs::permissions(dir / "closed", fs::perms::owner_all);
  if (!enterable) GTEST_SKIP() << "the temporary folder cannot be entered as nobody: " << dir.path();
  EXPECT_EQ(Locate(dir / "export" / "main.dat").path, dir / "Export" / "MAIN.DAT");
}

}  // namespace
}  // namespace morvane::files
