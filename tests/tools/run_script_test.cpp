// ./run without a display says so before it installs or builds anything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(RunScriptTest, WithoutADisplayItStopsBeforeItBuilds) {
  TempDir dir;
  fs::copy_file(fs::path(MORVANE_SOURCE_DIR) / "run", dir / "run");
  fs::create_directory(dir / "scripts");
  // Stand-ins that only say that they ran.
  dir.Write("scripts/bootstrap.sh",
            "MORVANE_ROOT=\"$(cd \"$(dirname \"${BASH_SOURCE[0]}\")/..\" && pwd)\"\n"
            "MORVANE_BUILD=\"$MORVANE_ROOT/build\"\n"
            "morvane_install_packages() { echo installing; }\n"
            "morvane_build() { echo building; }\n");
  const std::string command = "cd " + dir.path().string() +
                              " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
                              " bash ./run > out.txt 2>&1";
  EXPECT_EQ(std::system(command.c_str()) >> 8, 1);
  const std::string out = TempDir::Read(dir / "out.txt");
  EXPECT_NE(out.find("no display is available"), std::string::npos) << out;
  EXPECT_EQ(out.find("installing"), std::string::npos) << out;
  EXPECT_EQ(out.find("building"), std::string::npos) << out;
}

}  // namespace
}  // namespace morvane
