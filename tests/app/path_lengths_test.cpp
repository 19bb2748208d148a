// Path settings that the system could not open as they stand.
#include "app/path_lengths.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane::app {
namespace {

// A path of `bytes` bytes whose file and folder names have at most `name`.
std::string PathOf(std::size_t bytes, std::size_t name, char separator = '/') {
  std::string path;
  while (path.size() < bytes) {
    path += separator;
    path += std::string(std::min(name, bytes - path.size()), 'n');
  }
  return path;
}

TEST(PathLengthsTest, APathOrANameOverTheSystemsLimitIsRefusedNamingTheSetting) {
  const struct {
    std::string engine::RunPaths::*setting;
    std::string path;
    const char* refusal;  // the start of the message; "" when the path is taken
  } cases[] = {
      {&engine::RunPaths::output, PathOf(4095, 200), ""},
      {&engine::RunPaths::output, PathOf(4096, 200), "The setting OutputPathAndFilename holds a path of 4,096 bytes"},
      {&engine::RunPaths::output, PathOf(300, 255), ""},
      {&engine::RunPaths::output, PathOf(300, 256), "The setting OutputPathAndFilename holds a file or folder name of 256"},
      {&engine::RunPaths::ant_site_b, PathOf(300, 255, '\\'), ""},
      {&engine::RunPaths::ant_site_b, PathOf(300, 256, '\\'), "The setting AntSite_B holds a file or folder name of 256"},
      {&engine::RunPaths::table_main, PathOf(600, 256) + "/main.dat", "The setting TableMain holds a file or folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.size());
    engine::RunPaths paths;
    paths.*c.setting = c.path;
    const auto refusal = OverlongPathSetting(paths);
    if (*c.refusal == '\0') {
      EXPECT_FALSE(refusal) << refusal->text;
    } else {
      ASSERT_TRUE(refusal);
      EXPECT_EQ(refusal->text.rfind(c.refusal, 0), 0u) << refusal->text;
    }
  }
}

}  // namespace
}  // namespace morvane::app
