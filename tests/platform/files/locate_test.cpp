// Where a path leads: found, missing, or there but out of reach; and
// whether what stands there may be removed.
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

// In a shared folder (sticky bit) an entry is removable by its owner or the
// folder's, whatever its group; a link is the link's, wherever it leads.
// Root may remove anything, so nobody asks (this thread only).
TEST(NotRemovableTest, InASharedFolderOnlyTheEntrysOwnerOrTheFoldersMayRemoveIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give files to other users";
  struct AsNobody {
    AsNobody() { ::setfsgid(65534), ::setfsuid(65534); }
    ~AsNobody() { ::setfsuid(0), ::setfsgid(0); }
  };
  constexpr uid_t kNobody = 65534, kOther = 4321;
  testing::TempDir dir;
  fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);
  const fs::path own = dir.Write("own.txt", ""), others = dir.Write("others.txt", "");
  ASSERT_EQ(::chown(own.c_str(), kNobody, kNobody) | ::chown(others.c_str(), kOther, kOther), 0);
  const struct {
    const char* name;
    uid_t folder_owner, owner;
    gid_t group;
    const fs::path* link_to;  // nullptr: a file
    bool removable;
  } cases[] = {
      {"another user's file in nobody's folder", kNobody, kOther, kOther, nullptr, true},
      {"nobody's file of another group", 0, kNobody, kOther, nullptr, true},
      {"another user's link to nobody's file", 0, kOther, kOther, &own, false},
      {"nobody's link to another user's file", 0, kNobody, kNobody, &others, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = dir / c.name, entry = folder / "baddata.txt";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all | fs::perms::sticky_bit);
    if (c.link_to) fs::create_symlink(*c.link_to, entry);
    else dir.Write(std::string(c.name) + "/baddata.txt", "");
    ASSERT_EQ(::chown(folder.c_str(), c.folder_owner, c.folder_owner) | ::lchown(entry.c_str(), c.owner, c.group), 0);
    const std::string why = [&] { AsNobody nobody; return NotRemovable(entry); }();
    EXPECT_EQ(why.empty(), c.removable) << why;
  }
}

}  // namespace
}  // namespace morvane::files
