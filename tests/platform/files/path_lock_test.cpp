#include "platform/files/path_lock.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace morvane::files {
namespace {

TEST(PathLockTest, OneHolderPerFileHoweverItIsNamed) {
  testing::TempDir dir;
  dir.Write("out.mdb", "x");
  std::filesystem::create_symlink(dir / "out.mdb", dir / "link.mdb");
  auto first = PathLock::TryLock(dir / "out.mdb");
  ASSERT_TRUE(first);
  EXPECT_FALSE(PathLock::TryLock(dir / "out.mdb"));
  EXPECT_FALSE(PathLock::TryLock(dir / "." / "OUT.MDB"));
  EXPECT_FALSE(PathLock::TryLock(dir / "link.mdb"));
  EXPECT_FALSE(PathLock::TryLock(dir / "Not" / ".." / "OUT.mdb"));
  EXPECT_TRUE(PathLock::TryLock(dir / "other.mdb"));  // need not exist
  first.reset();
  EXPECT_TRUE(PathLock::TryLock(dir / "out.mdb"));
}

// The claim goes with the folder as the file system knows it: a second path
// to it (a linked folder stands in for a bind mount, a renamed one for a
// path that changed) is refused; another folder whose name differs only in
// letter case is another folder. Nothing is left behind.
TEST(PathLockTest, AFolderIsKnownByWhatItIsNotHowItIsSpelled) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir / "out");
  std::filesystem::create_directory(dir / "OUT");
  std::filesystem::create_directory_symlink(dir / "out", dir / "mounted");
  auto first = PathLock::TryLock(dir / "out" / "dalkdb.mdb");
  ASSERT_TRUE(first);
  EXPECT_FALSE(PathLock::TryLock(dir / "mounted" / "dalkdb.mdb"));
  EXPECT_TRUE(PathLock::TryLock(dir / "OUT" / "dalkdb.mdb"));
  EXPECT_TRUE(first->Covers(dir / "mounted" / "DalkDB.mdb"));
  EXPECT_FALSE(first->Covers(dir / "OUT" / "dalkdb.mdb"));
  std::filesystem::rename(dir / "out", dir / "renamed");
  EXPECT_FALSE(PathLock::TryLock(dir / "renamed" / "dalkdb.mdb"));
  first.reset();
  EXPECT_TRUE(PathLock::TryLock(dir / "renamed" / "dalkdb.mdb"));
  EXPECT_TRUE(std::filesystem::is_empty(dir / "renamed"));
  EXPECT_TRUE(std::filesystem::is_empty(dir / "OUT"));
}

}  // namespace
}  // namespace morvane::files
