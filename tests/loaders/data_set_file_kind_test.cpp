// A data set "file" that is no regular file is named for what it is.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "run/run_context.h"
#include "support/loader_fixture.h"

namespace morvane::loaders {
namespace {
namespace fs = std::filesystem;

TEST(DataSetFileKindTest, TheMessageSaysWhatStandsThere) {
  struct Case {
    std::function<void(const fs::path&)> make;
    std::string said;
  };
  const Case cases[] = {
      {[](const fs::path&) {}, "The data set file was not found."},
      {[](const fs::path& p) { fs::create_directory(p); }, "The data set file is a folder, not a file."},
      {[](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "The data set file is a named pipe (FIFO), not a file."},
      {[](const fs::path& p) { fs::create_symlink("/nowhere/purpose.dat", p); },
       "The data set file is a symbolic link to /nowhere/purpose.dat, which does not exist."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    testing::LoaderFixture f;
    c.make(f.dir() / "purpose.dat");
    try {
      f.Run(testing::LoaderNamed("PopulatePurposeTable"), 26);
      ADD_FAILURE() << "no error";
    } catch (const engine::StepError& e) {
      EXPECT_EQ(e.what(), c.said);
      EXPECT_EQ(e.file(), (f.dir() / "purpose.dat").string());
    }
  }
}

}  // namespace
}  // namespace morvane::loaders
