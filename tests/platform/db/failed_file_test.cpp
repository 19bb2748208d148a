// Which place a full disk is put down to: the database's disk, or the
// engine's temporary folder on a disk of its own.
#include "platform/db/internal/failed_file.h"

#include <gtest/gtest.h>

#include <optional>

namespace morvane::db::internal {
namespace {

constexpr std::uint64_t kRoom = std::uint64_t{5} << 30;

struct Case {
  const char* name;
  std::optional<DiskRoom> database, temporary;
  bool in_temporary_folder;
};

TEST(FullDiskPlaceTest, TheTemporaryFolderOnlyWhenItAloneHasNoRoom) {
  const Case cases[] = {
      {"temporary disk full, database disk with room", DiskRoom{1, kRoom}, DiskRoom{2, 4096}, true},
      {"one disk for both", DiskRoom{1, kRoom}, DiskRoom{1, 4096}, false},
      {"database disk full", DiskRoom{1, 4096}, DiskRoom{2, kRoom}, false},
      {"both full", DiskRoom{1, 4096}, DiskRoom{2, 4096}, false},
      {"both with room again", DiskRoom{1, kRoom}, DiskRoom{2, kRoom}, false},
      {"room of the database unknown", std::nullopt, DiskRoom{2, 0}, false},
      {"room of the temporary folder unknown", DiskRoom{1, kRoom}, std::nullopt, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FullDiskInTemporaryFolder(c.database, c.temporary), c.in_temporary_folder) << c.name;
}

}  // namespace
}  // namespace morvane::db::internal
