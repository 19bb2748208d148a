#include "platform/files/file_claim.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "support/temp_dir.h"

namespace morvane::files {
namespace {

namespace fs = std::filesystem;

// The claim holds the file itself: every name it has is refused, from this
// process too, while another file of the same name elsewhere is free.
TEST(FileClaimTest, OneHolderPerFileUnderEveryName) {
  testing::TempDir dir;
  fs::create_directory(dir / "a");
  fs::create_directory(dir / "b");
  const fs::path file = dir.Write("a/b.mdb", "the user's database");
  fs::create_hard_link(file, dir / "b" / "other name.mdb");
  fs::create_symlink(file, dir / "link.mdb");
  dir.Write("b/b.mdb", "another database");

  auto first = FileClaim::TryTake(file);
  ASSERT_TRUE(first);
  EXPECT_FALSE(FileClaim::TryTake(file));
  EXPECT_FALSE(FileClaim::TryTake(dir / "b" / "other name.mdb"));
  EXPECT_FALSE(FileClaim::TryTake(dir / "link.mdb"));
  EXPECT_TRUE(first->Covers(dir / "b" / "other name.mdb"));
  EXPECT_FALSE(first->Covers(dir / "b" / "b.mdb"));
  EXPECT_TRUE(FileClaim::TryTake(dir / "b" / "b.mdb"));
  first.reset();
  EXPECT_TRUE(FileClaim::TryTake(dir / "b" / "other name.mdb"));
  EXPECT_EQ(testing::TempDir::Read(file), "the user's database");  // the claim writes nothing
}

TEST(FileClaimTest, WhatIsNotAFileCannotBeClaimed) {
  testing::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.mdb").c_str(), 0644), 0);
  for (const fs::path& path : {dir / "missing.mdb", dir.path(), dir / "pipe.mdb"}) {
    SCOPED_TRACE(path);
    EXPECT_THROW(FileClaim::TryTake(path), std::system_error);
  }
}

}  // namespace
}  // namespace morvane::files
