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

}  // namespace
}  // namespace morvane::files
